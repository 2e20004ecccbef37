#include "platform/virtual/memory_surface.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace lec {
namespace {

using Points = std::set<std::pair<int, int>>;

constexpr Colour kInk = Colour::rgb(200, 10, 30);
constexpr Colour kPaper = colours::kWhite;

// The pixels of a surface that differ from the paper.
Points inked(const MemorySurface& s) {
    Points p;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.pixel(x, y) != kPaper)
                p.insert({x, y});
        }
    }
    return p;
}

// The textbook all-octant Bresenham loop, walking every pixel of the line and
// keeping those on a w x h surface.
Points reference(int x0, int y0, int x1, int y1, int w, int h) {
    Points p;
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (x0 >= 0 && y0 >= 0 && x0 < w && y0 < h)
            p.insert({x0, y0});
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
    return p;
}

struct LineCase {
    int x1, y1, x2, y2;
    Points expected;
};

TEST(MemorySurface, LinesDrawBothEnds) {
    const LineCase cases[] = {
        {2, 3, 5, 3, {{2, 3}, {3, 3}, {4, 3}, {5, 3}}},
        {4, 5, 4, 2, {{4, 2}, {4, 3}, {4, 4}, {4, 5}}},
        {1, 1, 3, 3, {{1, 1}, {2, 2}, {3, 3}}},
        {6, 6, 6, 6, {{6, 6}}},
        {0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        // Clipped: only the part on the 10 x 8 surface.
        {-3, 2, 1, 2, {{0, 2}, {1, 2}}},
        {8, 6, 12, 10, {{8, 6}, {9, 7}}},
        {-5, -5, -1, -1, {}},
    };
    for (const LineCase& c : cases) {
        MemorySurface s(10, 8, kPaper);
        s.line(c.x1, c.y1, c.x2, c.y2, kInk);
        EXPECT_EQ(inked(s), c.expected)
            << "line " << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    }
}

TEST(MemorySurface, LinesMatchTheClassicLoopInEveryOctantAndAcrossEdges) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-40, 80);
    for (int i = 0; i < 2000; ++i) {
        const int x1 = coordinate(random), y1 = coordinate(random);
        const int x2 = coordinate(random), y2 = coordinate(random);
        MemorySurface s(48, 32, kPaper);
        s.line(x1, y1, x2, y2, kInk);
        ASSERT_EQ(inked(s), reference(x1, y1, x2, y2, 48, 32))
            << "line " << x1 << "," << y1 << " to " << x2 << "," << y2;
    }
}

TEST(MemorySurface, FarReachingLineIsClippedWithoutWalkingItsLength) {
    MemorySurface s(20, 10, kPaper);
    s.line(-2000000000, 4, 2000000000, 4, kInk);
    s.line(7, -2000000000, 7, 2000000000, kInk);
    Points expected;
    for (int x = 0; x < 20; ++x)
        expected.insert({x, 4});
    for (int y = 0; y < 10; ++y)
        expected.insert({7, y});
    EXPECT_EQ(inked(s), expected);
}

TEST(MemorySurface, BoxesFillInclusivelyFromAnyCornerAndClip) {
    struct Case {
        int x1, y1, x2, y2;
        std::size_t pixels;
        std::pair<int, int> corner;
    };
    for (const Case& c : {Case{1, 2, 3, 4, 9, {3, 4}}, Case{3, 4, 1, 2, 9, {1, 2}},
                          Case{3, 2, 1, 4, 9, {1, 4}}, Case{5, 5, 5, 5, 1, {5, 5}},
                          Case{-5, 6, 20, 30, 10 * 2, {9, 7}}, Case{10, 0, 12, 3, 0, {0, 0}}}) {
        MemorySurface s(10, 8, kPaper);
        s.fillBox(c.x1, c.y1, c.x2, c.y2, kInk);
        const Points p = inked(s);
        EXPECT_EQ(p.size(), c.pixels) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        if (c.pixels > 0) {
            EXPECT_TRUE(p.count(c.corner)) << c.x1 << "," << c.y1;
        }
    }
}

TEST(MemorySurface, SystemColoursAreStoredResolved) {
    MemorySurface s(4, 4, colours::kButtonFace);
    EXPECT_EQ(s.pixel(0, 0), resolveColour(colours::kButtonFace));
    EXPECT_FALSE(s.pixel(0, 0).isSystem());
    s.point(1, 1, colours::kWindowText);
    EXPECT_EQ(s.pixel(1, 1), resolveColour(colours::kWindowText));
    s.point(9, 9, kInk);  // off the surface: nothing, no harm
    EXPECT_EQ(s.pixel(9, 9), colours::kBlack);
}

TEST(MemorySurface, TextsAreKeptUntilClearAndEveryCallCountsAsDrawing) {
    MemorySurface s(30, 20, kPaper);
    std::uint64_t g = s.generation();
    const auto drew = [&] {
        const bool bumped = s.generation() > g;
        g = s.generation();
        return bumped;
    };
    s.text(3, 4, "LE1 12 °C", kInk, 10);
    EXPECT_TRUE(drew());
    ASSERT_EQ(s.texts().size(), 1u);
    EXPECT_EQ(s.texts()[0].text, "LE1 12 °C");
    EXPECT_EQ(s.texts()[0].x, 3);
    EXPECT_EQ(s.texts()[0].y, 4);
    EXPECT_EQ(s.texts()[0].colour, kInk);
    EXPECT_EQ(s.texts()[0].pointSize, 10);
    EXPECT_EQ(inked(s), Points{}) << "texts are not rasterised";

    s.point(1, 1, kInk);
    EXPECT_TRUE(drew());
    s.line(0, 0, 3, 3, kInk);
    EXPECT_TRUE(drew());
    s.fillBox(0, 0, 1, 1, kInk);
    EXPECT_TRUE(drew());
    s.clear(kPaper);
    EXPECT_TRUE(drew());
    EXPECT_TRUE(s.texts().empty());
    EXPECT_EQ(inked(s), Points{});
}

std::uint32_t le(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) {
        v = v << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return v;
}

TEST(MemorySurface, SavesA24BitBottomUpBmpWithPaddedRows) {
    test::TempFolder folder;
    // 3 pixels = 9 bytes a row, padded to 12.
    MemorySurface s(3, 2, kPaper);
    s.point(2, 0, Colour::rgb(10, 20, 30));  // top right
    s.point(0, 1, Colour::rgb(40, 50, 60));  // bottom left
    const std::string path = folder.file("chart.bmp");
    ASSERT_TRUE(s.saveBmp(path));
    const std::string bmp = textfile::readAll(path).value_or("");

    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(le(bmp, 2, 4), bmp.size());  // file size
    EXPECT_EQ(le(bmp, 10, 4), 54u);        // pixel data offset
    EXPECT_EQ(le(bmp, 14, 4), 40u);        // info header size
    EXPECT_EQ(le(bmp, 18, 4), 3u);         // width
    EXPECT_EQ(le(bmp, 22, 4), 2u);         // height, positive: bottom-up
    EXPECT_EQ(le(bmp, 26, 2), 1u);         // planes
    EXPECT_EQ(le(bmp, 28, 2), 24u);        // bits per pixel
    EXPECT_EQ(le(bmp, 30, 4), 0u);         // uncompressed
    EXPECT_EQ(le(bmp, 34, 4), 24u);        // image size

    // File row 0 is the bottom row; pixels are blue, green, red.
    const auto bgr = [&](int fileRow, int x) {
        const std::size_t at = 54 + static_cast<std::size_t>(fileRow) * 12 + 3 * x;
        return Colour::rgb(static_cast<unsigned char>(bmp[at + 2]),
                           static_cast<unsigned char>(bmp[at + 1]),
                           static_cast<unsigned char>(bmp[at]));
    };
    EXPECT_EQ(bgr(0, 0), Colour::rgb(40, 50, 60));
    EXPECT_EQ(bgr(1, 2), Colour::rgb(10, 20, 30));
    EXPECT_EQ(bgr(1, 0), kPaper);
    EXPECT_EQ(bmp.substr(54 + 9, 3), std::string(3, '\0'));

    EXPECT_FALSE(s.saveBmp(folder.file("no-such-folder/chart.bmp")));
}

TEST(MemorySurfaceFactory, CreatesSurfacesOfTheAskedSizeAndBackground) {
    MemorySurfaceFactory factory;
    const auto s = factory.createSurface(7, 5, kInk);
    EXPECT_EQ(s->width(), 7);
    EXPECT_EQ(s->height(), 5);
    EXPECT_EQ(s->pixel(6, 4), kInk);
}

}  // namespace
}  // namespace lec
