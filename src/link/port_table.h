#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/channels.h"

// The port table: which COM port belongs to which light engine and whether it
// is to be opened, as the port window edits it and ParamComx.ini keeps it.
namespace lec::port_table {

inline constexpr std::string_view kFileName = "ParamComx.ini";

// The port window refuses numbers above this one.
inline constexpr int kMaxTypedPort = 14;
// The highest port number the serial component accepts.
inline constexpr int kMaxPortNumber = 16;

struct Entry {
    std::string number;  // as typed, "0" when unset
    std::string active;  // "1" ticked, "0" unticked
    friend bool operator==(const Entry&, const Entry&) = default;
};
using Table = std::array<Entry, kLeCount>;

// Twelve lines, two a light engine in LE order, each a quoted text item:
// "3" then "1".
std::vector<std::string> toLines(const Table& table);
// Each line is one text item without its quotation marks; lines that are
// missing leave their entries empty.
Table fromLines(const std::vector<std::string>& lines);

// A text read as a number the way the original's Val() did: its leading
// number, 0 when it has none ("" and "abc" are 0).
double numberOf(std::string_view text);

// The port that a number text names, when the serial component can take it:
// a whole number from 1 to kMaxPortNumber, blanks around it allowed. "0",
// "" and "abc" name no port, so the LE's port is not opened.
std::optional<int> portNumberOf(std::string_view text);

// One line of the port test list: " 000   COM(i) = 1   LE-1    <---  ? ".
std::string testLine(Byte synchro, bool tested, int le, bool unsynchronised);

}  // namespace lec::port_table
