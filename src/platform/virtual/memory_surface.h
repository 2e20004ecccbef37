#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/surface.h"

namespace lec {

// A surface in plain memory: real pixels for shapes, so that tests can look at
// what a chart drew and save it; texts are kept as items instead of being
// rendered, since no font is at hand without Qt.
class MemorySurface : public Surface {
public:
    struct TextItem {
        int x = 0;
        int y = 0;
        std::string text;
        Colour colour;
        int pointSize = 8;
    };

    MemorySurface(int width, int height, Colour background);

    int width() const override { return width_; }
    int height() const override { return height_; }

    // Also forgets the texts.
    void clear(Colour background) override;
    void point(int x, int y, Colour c) override;
    // Bresenham, both ends drawn; the part outside the surface is cut off.
    void line(int x1, int y1, int x2, int y2, Colour c) override;
    void fillBox(int x1, int y1, int x2, int y2, Colour c) override;
    void text(int x, int y, std::string_view utf8, Colour c, int pointSize = 8) override;

    // Always a plain colour; black outside the surface.
    Colour pixel(int x, int y) const override;
    bool saveBmp(const std::string& path) const override;

    // The texts drawn since the last clear(), in drawing order, as given.
    const std::vector<TextItem>& texts() const { return texts_; }

    // The file saveBmp() writes: 24-bit, uncompressed, rows bottom-up, each
    // padded to four bytes.
    std::string bmpBytes() const;

private:
    bool inside(std::int64_t x, std::int64_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    void set(std::int64_t x, std::int64_t y, std::uint32_t value) {
        pixels_[static_cast<std::size_t>(y * width_ + x)] = value;
    }

    int width_;
    int height_;
    std::vector<std::uint32_t> pixels_;  // 0x00BBGGRR, row by row from the top
    std::vector<TextItem> texts_;
};

class MemorySurfaceFactory : public SurfaceFactory {
public:
    std::unique_ptr<Surface> createSurface(int width, int height, Colour background) override;
};

}  // namespace lec
