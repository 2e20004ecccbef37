#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The pure side of the status frame: cutting the 160 characters into 32
// fields and the texts the LE table shows. No state, no window.
namespace lec::status {

inline constexpr int kFields = 32;
inline constexpr int kFieldWidth = 5;

// One field converted as a whole number: blanks around it are allowed, then an
// optional sign, digits and an optional fraction (rounded half to even). A
// field that is empty, holds anything else or lies outside -32768..32767 has
// no value: its slot keeps what it held.
std::optional<std::int16_t> fieldValue(std::string_view field);

// Field k is characters 5k..5k+4 of what was read; a short read leaves the
// fields past its end without a value.
using FieldResults = std::array<std::optional<std::int16_t>, kFields>;
FieldResults decodeFields(std::string_view frame);

// A coefficient text read as a decimal number; nullopt when it holds none.
std::optional<double> coefficientValue(std::string_view text);

// A number written as the LE table and the data logger write it: no leading
// blank, no trailing zeros, at most 15 significant digits (30 x 0.4 is "12").
std::string numberText(double value);

// The VCC cell with coefficients: the decimal point goes after the first
// character of the scaled number (120 -> "1.20", 48 -> "4.8").
std::string vccText(double scaled);

// The 8-character binary text of a byte, most significant bit first.
std::string Dec_Bin(std::uint8_t value);

// Hours of a FADEC counter: minutes within the current four-hour block, then
// the low and high bytes of the number of blocks.
long counterHours(int minutes, int low, int high);

}  // namespace lec::status
