#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/colour.h"

namespace lec {

// A persistent off-screen image in pixels, origin top left: what is drawn
// stays until cleared. Charts draw on it; a view shows it.
class Surface {
public:
    virtual ~Surface() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    virtual void clear(Colour background) = 0;
    virtual void point(int x, int y, Colour c) = 0;
    virtual void line(int x1, int y1, int x2, int y2, Colour c) = 0;
    // Inclusive corners, in any order.
    virtual void fillBox(int x1, int y1, int x2, int y2, Colour c) = 0;
    // Text with its top-left corner at x, y.
    virtual void text(int x, int y, std::string_view utf8, Colour c, int pointSize = 8) = 0;

    virtual Colour pixel(int x, int y) const = 0;
    // 24-bit uncompressed BMP. False when the file cannot be written.
    virtual bool saveBmp(const std::string& path) const = 0;

    // Bumped by every drawing call, so a view knows when to repaint.
    std::uint64_t generation() const { return generation_; }

protected:
    void touched() { ++generation_; }

private:
    std::uint64_t generation_ = 0;
};

class SurfaceFactory {
public:
    virtual ~SurfaceFactory() = default;
    virtual std::unique_ptr<Surface> createSurface(int width, int height, Colour background) = 0;
};

}  // namespace lec
