#pragma once

#include <cstdint>
#include <string>

namespace lec {

// A colour as the original stored it: &H00BBGGRR& for a plain colour, or a
// system colour (high bit set, low byte = system colour index).
struct Colour {
    std::uint32_t value = 0;

    static constexpr Colour rgb(int r, int g, int b) {
        return Colour{static_cast<std::uint32_t>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF))};
    }
    constexpr bool isSystem() const { return (value & 0x80000000u) != 0; }
    constexpr int red() const { return static_cast<int>(value & 0xFF); }
    constexpr int green() const { return static_cast<int>((value >> 8) & 0xFF); }
    constexpr int blue() const { return static_cast<int>((value >> 16) & 0xFF); }
    friend constexpr bool operator==(Colour, Colour) = default;
};

namespace colours {
inline constexpr Colour kButtonFace{0x8000000Fu};
inline constexpr Colour kButtonText{0x80000012u};
inline constexpr Colour kWindowBackground{0x80000005u};
inline constexpr Colour kWindowText{0x80000008u};
inline constexpr Colour kBlack{0x00000000u};
inline constexpr Colour kWhite{0x00FFFFFFu};
inline constexpr Colour kPaleBlue{0x00FFC0C0u};
}  // namespace colours

// A system colour turned into a plain one (classic Windows scheme values), so
// that surfaces and views can draw it. Plain colours come back unchanged.
Colour resolveColour(Colour c);

// "&H00BBGGRR&": eight upper-case hex digits.
std::string formatColour(Colour c);

}  // namespace lec
