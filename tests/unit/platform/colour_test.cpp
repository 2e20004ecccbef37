#include "platform/colour.h"

#include <gtest/gtest.h>

namespace lec {
namespace {

TEST(Colour, SystemColoursResolveToTheClassicScheme) {
    EXPECT_EQ(resolveColour(colours::kButtonFace), Colour::rgb(212, 208, 200));
    EXPECT_EQ(resolveColour(colours::kButtonText), Colour::rgb(0, 0, 0));
    EXPECT_EQ(resolveColour(colours::kWindowBackground), Colour::rgb(255, 255, 255));
    EXPECT_EQ(resolveColour(colours::kWindowText), Colour::rgb(0, 0, 0));
    EXPECT_EQ(resolveColour(Colour{0x80000001u}), Colour::rgb(58, 110, 165));   // first after 0
    EXPECT_EQ(resolveColour(Colour{0x80000018u}), Colour::rgb(255, 255, 225));  // the last
    EXPECT_EQ(resolveColour(Colour{0x80000019u}), colours::kBlack);             // unknown
}

TEST(Colour, PlainColoursStayAsTheyAre) {
    for (const Colour c :
         {colours::kPaleBlue, colours::kWhite, colours::kBlack, Colour::rgb(1, 2, 3)}) {
        EXPECT_EQ(resolveColour(c), c);
    }
}

TEST(Colour, FormattedAsTheOriginalStoredIt) {
    EXPECT_EQ(formatColour(Colour::rgb(0xFF, 0xC0, 0x0A)), "&H000AC0FF&");
    EXPECT_EQ(formatColour(colours::kButtonFace), "&H8000000F&");
    EXPECT_EQ(formatColour(colours::kBlack), "&H00000000&");
    EXPECT_EQ(formatColour(Colour::rgb(0x12, 0xab, 0xcd)), "&H00CDAB12&");
}

}  // namespace
}  // namespace lec
