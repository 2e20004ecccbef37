#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The two frames of the FADEC link, as bytes on the wire. The FADEC sends a
// status frame of 32 decimal fields, five characters each, with no marker and
// no checksum; the PC answers with 32 raw bytes followed by CR LF.
namespace lec {

inline constexpr int kStatusFields = 32;
inline constexpr int kStatusFieldWidth = 5;
inline constexpr int kStatusFrameLength = kStatusFields * kStatusFieldWidth;  // 160
inline constexpr int kCommandSlots = 32;
inline constexpr int kCommandFrameLength = kCommandSlots + 2;  // 34: the slots, CR, LF

// What a field of five characters can carry: five digits, or a minus and four.
inline constexpr int kStatusFieldMax = 99999;
inline constexpr int kStatusFieldMin = -9999;

using StatusFields = std::array<int, kStatusFields>;
using CommandSlots = std::array<std::uint8_t, kCommandSlots>;

// One field as the FADEC prints it: right-aligned in five characters, blanks
// in front ("  123", "   -5"). A value that needs more room is sent as the
// nearest one that fits (99999 or -9999), so a frame always keeps its 160
// characters and its fields stay where the PC cuts them.
std::string formatStatusField(int value);
std::string formatStatusFrame(const StatusFields& fields);

// Exactly 34 bytes: the 32 slots, then CR LF. Anything else is nullopt. The
// slots are binary, so a CR or LF among them is a value like any other.
std::optional<CommandSlots> parseCommandFrame(std::string_view bytes);
std::string formatCommandFrame(const CommandSlots& slots);

}  // namespace lec
