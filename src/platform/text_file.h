#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text files as the original program wrote them: one item per line, CR LF,
// the Windows-1252 code page. Inside the program texts are UTF-8.
namespace lec::textfile {

std::string fromCp1252(std::string_view bytes);
// Characters that Windows-1252 cannot hold become '?'.
std::string toCp1252(std::string_view utf8);

// The lines of a file, decoded; CR LF, lone LF and lone CR all end a line, and
// a last line without an end counts. nullopt when the file cannot be read.
std::optional<std::vector<std::string>> readLines(const std::string& path);
// The lines of a file's bytes, as readLines gives them.
std::vector<std::string> splitLines(std::string_view bytes);
std::optional<std::string> readAll(const std::string& path);  // raw bytes

// Writes every line followed by CR LF into a temporary file beside `path`,
// flushes it and renames it over `path`: readers see the old file or the new
// one, never half of one. False (old file untouched) on any failure.
bool writeLines(const std::string& path, const std::vector<std::string>& lines);
bool writeAll(const std::string& path, std::string_view bytes);

// Appends one line + CR LF and flushes it to the disk before returning.
bool appendLine(const std::string& path, std::string_view line);

bool exists(const std::string& path);
bool ensureFolder(const std::string& path);
std::string join(const std::string& folder, const std::string& name);

// --- Items as the original's sequential file statements saw them ---

// How a read treats blanks around an item.
enum class Blanks { Ignore, Keep };

// Splits one line into items the way an `Input #` read does: items separated
// by commas; a quoted item is taken without its quotes (commas inside kept);
// blanks around unquoted items are ignored unless Blanks::Keep.
std::vector<std::string> splitItems(std::string_view line, Blanks blanks = Blanks::Ignore);

// An item as `Write #` writes a text: "abc" with its quotes.
std::string quoted(std::string_view text);

// A whole number as `Print #` writes it: a leading blank for the sign place
// when not negative, and one trailing blank: 220 -> " 220 ", -5 -> "-5 ".
std::string printedNumber(long long n);
// The plain conversion of a number to text: 220 -> " 220", -5 -> "-5".
std::string str(long long n);

// A number read from an item the way a numeric `Input #` read takes it:
// leading blanks skipped, optional sign, digits, optional fraction. nullopt
// when the item does not start with a number.
std::optional<double> parseNumber(std::string_view item);

}  // namespace lec::textfile
