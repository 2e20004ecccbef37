#pragma once

#include <QImage>

#include "platform/surface.h"

namespace lec {

// A surface in memory, 32 bits a pixel; views paint image() as it is.
class QtSurface : public Surface {
public:
    QtSurface(int width, int height, Colour background);

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }

    void clear(Colour background) override;
    void point(int x, int y, Colour c) override;
    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void fillBox(int x1, int y1, int x2, int y2, Colour c) override;
    void text(int x, int y, std::string_view utf8, Colour c, int pointSize = 8) override;

    // Colour{0xFFFFFFFF} (-1) outside the image, as the original's Point did.
    Colour pixel(int x, int y) const override;
    bool saveBmp(const std::string& path) const override;

    const QImage& image() const { return image_; }

private:
    QImage image_;
};

class QtSurfaceFactory : public SurfaceFactory {
public:
    std::unique_ptr<Surface> createSurface(int width, int height, Colour background) override;
};

}  // namespace lec
