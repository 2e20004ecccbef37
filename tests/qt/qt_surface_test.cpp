#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include <QTemporaryDir>

#include "platform/qt/qt_surface.h"

namespace lec {
namespace {

constexpr Colour kInk = Colour::rgb(0x12, 0x34, 0x56);
constexpr Colour kPaper = colours::kWhite;

std::vector<std::pair<int, int>> inked(const Surface& s, Colour ink) {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.pixel(x, y) == ink) {
                out.emplace_back(x, y);
            }
        }
    }
    return out;
}

struct LineCase {
    const char* name;
    int x1, y1, x2, y2;
};

class QtSurfaceLine : public ::testing::TestWithParam<LineCase> {};

// One pixel a step along the longer axis, both ends included, nothing outside
// the box the ends span.
TEST_P(QtSurfaceLine, DrawsBothEndsOnePixelWide) {
    const LineCase& c = GetParam();
    QtSurface s(40, 30, kPaper);
    s.line(c.x1, c.y1, c.x2, c.y2, kInk);
    const auto pixels = inked(s, kInk);
    EXPECT_EQ(s.pixel(c.x1, c.y1), kInk);
    EXPECT_EQ(s.pixel(c.x2, c.y2), kInk);
    const int steps = std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1));
    EXPECT_EQ(pixels.size(), static_cast<std::size_t>(steps + 1));
    for (const auto& [x, y] : pixels) {
        EXPECT_GE(x, std::min(c.x1, c.x2));
        EXPECT_LE(x, std::max(c.x1, c.x2));
        EXPECT_GE(y, std::min(c.y1, c.y2));
        EXPECT_LE(y, std::max(c.y1, c.y2));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QtSurfaceLine,
    ::testing::Values(LineCase{"Horizontal", 2, 5, 30, 5}, LineCase{"Vertical", 7, 1, 7, 25},
                      LineCase{"Diagonal", 1, 1, 20, 20}, LineCase{"Reversed", 30, 20, 3, 4},
                      LineCase{"Steep", 10, 2, 13, 27}, LineCase{"SinglePoint", 9, 9, 9, 9}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtSurface, FillBoxIncludesBothCornersInAnyOrder) {
    QtSurface s(20, 20, kPaper);
    s.fillBox(9, 8, 3, 2, kInk);
    const auto pixels = inked(s, kInk);
    EXPECT_EQ(pixels.size(), 7u * 7u);
    EXPECT_EQ(pixels.front(), std::make_pair(3, 2));
    EXPECT_EQ(pixels.back(), std::make_pair(9, 8));
}

TEST(QtSurface, ColoursAreStoredAsBlueGreenRed) {
    QtSurface s(4, 4, colours::kButtonFace);
    const Colour face = resolveColour(colours::kButtonFace);
    EXPECT_EQ(s.pixel(0, 0), face);
    s.point(1, 1, Colour{0x00FFC0C0u});  // pale blue: blue FF, green C0, red C0
    EXPECT_EQ(s.pixel(1, 1), colours::kPaleBlue);
    EXPECT_EQ(s.image().pixel(1, 1), qRgb(0xC0, 0xC0, 0xFF));
    EXPECT_EQ(s.pixel(-1, 0), Colour{0xFFFFFFFFu});
    EXPECT_EQ(s.pixel(0, 4), Colour{0xFFFFFFFFu});
}

TEST(QtSurface, TextHangsBelowItsTopLeftCorner) {
    QtSurface s(120, 40, kPaper);
    s.text(10, 12, "H\xC3\xA9", kInk, 8);  // "Hé"
    const auto pixels = inked(s, kInk);
    ASSERT_FALSE(pixels.empty()) << "no font drew anything";
    int top = 1000, left = 1000, bottom = 0;
    for (const auto& [x, y] : pixels) {
        top = std::min(top, y);
        left = std::min(left, x);
        bottom = std::max(bottom, y);
    }
    // The accent on é reaches up to about the ascent; nothing goes above y.
    EXPECT_GE(top, 12);
    EXPECT_LE(top, 12 + 4);
    EXPECT_GE(left, 10);
    EXPECT_LE(left, 10 + 3);
    EXPECT_LE(bottom, 12 + 14);  // 8 pt at 96 dpi is about 11 pixels
}

TEST(QtSurface, EveryDrawingCallCountsAsAChange) {
    QtSurface s(10, 10, kPaper);
    const std::vector<std::function<void()>> calls = {
        [&] { s.clear(kPaper); },          [&] { s.point(1, 1, kInk); },
        [&] { s.point(50, 50, kInk); },  // off the picture, still a call
        [&] { s.line(0, 0, 5, 5, kInk); }, [&] { s.fillBox(1, 1, 2, 2, kInk); },
        [&] { s.text(0, 0, "x", kInk); },
    };
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const auto before = s.generation();
        calls[i]();
        EXPECT_GT(s.generation(), before) << "call " << i;
    }
}

std::uint32_t le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = v << 8 | b[at + static_cast<std::size_t>(i)];
    }
    return v;
}

TEST(QtSurface, SavesAn24BitUncompressedBmp) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QtSurface s(13, 7, kPaper);
    s.fillBox(0, 0, 3, 3, kInk);
    s.point(12, 6, colours::kPaleBlue);
    const std::string path = dir.filePath("chart.bmp").toStdString();
    ASSERT_TRUE(s.saveBmp(path));
    ASSERT_TRUE(s.saveBmp(path));  // over an existing picture too

    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(le(bytes, 18, 4), 13u);  // width
    EXPECT_EQ(le(bytes, 22, 4), 7u);   // height
    EXPECT_EQ(le(bytes, 28, 2), 24u);  // bits a pixel
    EXPECT_EQ(le(bytes, 30, 4), 0u);   // no compression

    const QImage back(QString::fromStdString(path));
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.pixel(2, 2), s.image().pixel(2, 2));
    EXPECT_EQ(back.pixel(12, 6), qRgb(0xC0, 0xC0, 0xFF));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"chart.bmp"});

    EXPECT_FALSE(s.saveBmp(dir.filePath("missing/chart.bmp").toStdString()));
}

TEST(QtSurface, FactoryMakesASurfaceOfTheBackground) {
    QtSurfaceFactory factory;
    const auto s = factory.createSurface(30, 20, kInk);
    EXPECT_EQ(s->width(), 30);
    EXPECT_EQ(s->height(), 20);
    EXPECT_EQ(inked(*s, kInk).size(), 30u * 20u);
}

}  // namespace
}  // namespace lec
