#include "platform/virtual/memory_surface.h"

#include <algorithm>
#include <cstdlib>

#include "platform/text_file.h"

namespace lec {

namespace {

// How far the minor coordinate has moved after `step` steps along the major
// axis: step * minor / major rounded to nearest, halves away from the start.
// This is the pixel the usual error-accumulating Bresenham loop picks, but
// computed directly, so that a line reaching far outside the surface costs
// only the steps that land on it. (step and both extents are below 2^32, so
// the product fits in 64 bits.)
std::int64_t minorOffset(std::int64_t step, std::int64_t minor, std::int64_t major) {
    const auto product = static_cast<std::uint64_t>(step) * static_cast<std::uint64_t>(minor);
    const auto m = static_cast<std::uint64_t>(major);
    const std::uint64_t whole = product / m;
    const std::uint64_t rest = product % m;
    return static_cast<std::int64_t>(whole + (2 * rest >= m ? 1 : 0));
}

void putLe(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

MemorySurface::MemorySurface(int width, int height, Colour background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
              resolveColour(background).value) {
}

void MemorySurface::clear(Colour background) {
    std::fill(pixels_.begin(), pixels_.end(), resolveColour(background).value);
    texts_.clear();
    touched();
}

void MemorySurface::point(int x, int y, Colour c) {
    if (inside(x, y))
        set(x, y, resolveColour(c).value);
    touched();
}

void MemorySurface::line(int x1, int y1, int x2, int y2, Colour c) {
    touched();
    const std::uint32_t value = resolveColour(c).value;
    const std::int64_t dx = std::abs(static_cast<std::int64_t>(x2) - x1);
    const std::int64_t dy = std::abs(static_cast<std::int64_t>(y2) - y1);
    const int sx = x2 >= x1 ? 1 : -1;
    const int sy = y2 >= y1 ? 1 : -1;

    const bool xMajor = dx >= dy;
    const std::int64_t major = xMajor ? dx : dy;
    const std::int64_t minor = xMajor ? dy : dx;
    const std::int64_t start = xMajor ? x1 : y1;
    const int step = xMajor ? sx : sy;
    const std::int64_t limit = (xMajor ? width_ : height_) - 1;

    // The steps whose major coordinate lies on the surface.
    std::int64_t first = step > 0 ? -start : start - limit;
    std::int64_t last = step > 0 ? limit - start : start;
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, major);

    for (std::int64_t i = first; i <= last; ++i) {
        const std::int64_t along = major == 0 ? 0 : minorOffset(i, minor, major);
        const std::int64_t x = xMajor ? x1 + sx * i : x1 + sx * along;
        const std::int64_t y = xMajor ? y1 + sy * along : y1 + sy * i;
        if (inside(x, y))
            set(x, y, value);
    }
}

void MemorySurface::fillBox(int x1, int y1, int x2, int y2, Colour c) {
    touched();
    const std::uint32_t value = resolveColour(c).value;
    const int left = std::max(std::min(x1, x2), 0);
    const int right = std::min(std::max(x1, x2), width_ - 1);
    const int top = std::max(std::min(y1, y2), 0);
    const int bottom = std::min(std::max(y1, y2), height_ - 1);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x)
            set(x, y, value);
    }
}

void MemorySurface::text(int x, int y, std::string_view utf8, Colour c, int pointSize) {
    texts_.push_back({x, y, std::string(utf8), c, pointSize});
    touched();
}

Colour MemorySurface::pixel(int x, int y) const {
    if (!inside(x, y))
        return colours::kBlack;
    return Colour{pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(x)]};
}

std::string MemorySurface::bmpBytes() const {
    constexpr std::uint32_t kHeaderSize = 14 + 40;
    constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dpi, as the screen
    const auto w = static_cast<std::uint32_t>(width_);
    const auto h = static_cast<std::uint32_t>(height_);
    const std::uint32_t rowSize = (w * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = rowSize * h;

    std::string out;
    out.reserve(kHeaderSize + imageSize);
    // BITMAPFILEHEADER
    out += "BM";
    putLe(out, kHeaderSize + imageSize, 4);
    putLe(out, 0, 4);  // reserved
    putLe(out, kHeaderSize, 4);
    // BITMAPINFOHEADER; a positive height means the rows run bottom-up.
    putLe(out, 40, 4);
    putLe(out, w, 4);
    putLe(out, h, 4);
    putLe(out, 1, 2);   // planes
    putLe(out, 24, 2);  // bits per pixel
    putLe(out, 0, 4);   // BI_RGB: uncompressed
    putLe(out, imageSize, 4);
    putLe(out, kPixelsPerMetre, 4);
    putLe(out, kPixelsPerMetre, 4);
    putLe(out, 0, 4);  // colours used
    putLe(out, 0, 4);  // important colours

    for (int y = height_ - 1; y >= 0; --y) {
        const std::size_t rowStart = out.size();
        for (int x = 0; x < width_; ++x) {
            const Colour c = pixel(x, y);
            out += static_cast<char>(c.blue());
            out += static_cast<char>(c.green());
            out += static_cast<char>(c.red());
        }
        out.append(rowSize - (out.size() - rowStart), '\0');
    }
    return out;
}

bool MemorySurface::saveBmp(const std::string& path) const {
    return textfile::writeAll(path, bmpBytes());
}

std::unique_ptr<Surface> MemorySurfaceFactory::createSurface(int width, int height,
                                                             Colour background) {
    return std::make_unique<MemorySurface>(width, height, background);
}

}  // namespace lec
