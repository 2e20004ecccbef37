#include "platform/colour.h"

#include <array>
#include <cstdio>

namespace lec {

namespace {

// The classic "Windows Standard" scheme, by system colour index
// (COLOR_SCROLLBAR = 0 ... COLOR_INFOBK = 24): the colours the original's
// windows had on the machines it was made for.
constexpr std::array<Colour, 25> kSystemColours = {
    Colour::rgb(212, 208, 200),  //  0 scroll bar
    Colour::rgb(58, 110, 165),   //  1 desktop
    Colour::rgb(10, 36, 106),    //  2 active caption
    Colour::rgb(128, 128, 128),  //  3 inactive caption
    Colour::rgb(212, 208, 200),  //  4 menu
    Colour::rgb(255, 255, 255),  //  5 window background
    Colour::rgb(0, 0, 0),        //  6 window frame
    Colour::rgb(0, 0, 0),        //  7 menu text
    Colour::rgb(0, 0, 0),        //  8 window text
    Colour::rgb(255, 255, 255),  //  9 caption text
    Colour::rgb(212, 208, 200),  // 10 active border
    Colour::rgb(212, 208, 200),  // 11 inactive border
    Colour::rgb(128, 128, 128),  // 12 application workspace
    Colour::rgb(10, 36, 106),    // 13 highlight
    Colour::rgb(255, 255, 255),  // 14 highlight text
    Colour::rgb(212, 208, 200),  // 15 button face
    Colour::rgb(128, 128, 128),  // 16 button shadow
    Colour::rgb(128, 128, 128),  // 17 grey text
    Colour::rgb(0, 0, 0),        // 18 button text
    Colour::rgb(212, 208, 200),  // 19 inactive caption text
    Colour::rgb(255, 255, 255),  // 20 button highlight
    Colour::rgb(64, 64, 64),     // 21 3D dark shadow
    Colour::rgb(212, 208, 200),  // 22 3D light
    Colour::rgb(0, 0, 0),        // 23 tooltip text
    Colour::rgb(255, 255, 225),  // 24 tooltip background
};

}  // namespace

Colour resolveColour(Colour c) {
    if (!c.isSystem())
        return c;
    const std::size_t index = c.value & 0xFF;
    // Windows answers black for an index it does not know.
    return index < kSystemColours.size() ? kSystemColours[index] : colours::kBlack;
}

std::string formatColour(Colour c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "&H%08X&", static_cast<unsigned>(c.value));
    return buffer;
}

}  // namespace lec
