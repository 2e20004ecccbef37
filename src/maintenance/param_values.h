#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/channels.h"

// The rules for a parameter's value text: what the user may type into the
// input dialog, what byte the text becomes in a command frame, and how the
// disk copy ParamSt.ini reads back. The window keeps every value as text (a
// hand-edited ParamSt.ini can put anything there); only these rules turn it
// into a number. No window, no state.
namespace lec::param_values {

// The number a value text stands for when it is sent: its leading number
// (blanks, a sign, digits, a fraction) rounded half to even; a text without
// leading digits ("", "abc") counts as 0. nullopt when that number does not
// fit in a byte (300, -1, or more digits than any number holds), so that a
// frame never carries a value the user did not see.
std::optional<Byte> sentByte(std::string_view text);

// The speed the input dialog offers for the motor: the value text of the
// row that holds the speed in hundreds of RPM, times 100 ("35" -> "3500";
// a text without digits gives "0").
std::string speedFromRow(std::string_view rowText);

// What the input dialog makes of an entry.
enum class Entry {
    Accepted,
    NotDigits,   // a character other than 0-9
    OutOfRange,  // a number below the minimum or above the maximum
};
// `entry` must be made of the digits 0-9 only (an empty entry is, and reads
// as 0) and, read as a number, lie within min..max inclusive: numbers are
// compared, not texts, so "60" lies within 50..180.
Entry checkEntry(std::string_view entry, double min, double max);
// A hint text ("180", "BCD 0-5") read as the bound it gives: its leading
// number, 0 when it has none.
double hintBound(std::string_view hint);

// The value texts ParamSt.ini holds for rows 0, 1, 2...: the items of its
// lines (commas and line ends separate them, quotes are removed) taken in
// groups of 32, the last complete group winning. A file of fewer than 32
// items gives the items it has, for the first rows; the caller says the
// rest are missing.
std::vector<std::string> fileValues(const std::vector<std::string>& lines);

}  // namespace lec::param_values
