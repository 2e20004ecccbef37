#pragma once

#include <string>
#include <string_view>
#include <vector>

// The activity log as the Histo window reads, tidies, rewrites and prints it.
// Entries are kept in the file's code page while they are tidied, so that a
// place in an entry is a character, as the rule counts it; the list shows
// them in UTF-8.
namespace lec::histo {

// More lines than this and the reading stops (after the one that passed it).
inline constexpr int kListLimit = 32000;
// Entries on a printed page, each page a print job of its own.
inline constexpr int kPageEntries = 76;

// The heading as the log stores it; the list shows it behind the two-blank
// display prefix.
inline constexpr std::string_view kStoredHeading =
    "  Report faults history, starts, stops and mistakes errors";
inline constexpr std::string_view kDisplayPrefix = "  ";
// A line read becomes an entry behind four blanks; an entry goes back to the
// file behind two more.
inline constexpr std::string_view kEntryPrefix = "    ";
inline constexpr std::string_view kWritePrefix = "  ";
// Printed lines stand behind 19 blanks.
inline constexpr std::string_view kPrintMargin = "                   ";

// The three entries above the records: a blank, the heading, a blank.
std::vector<std::string> headings();

struct FileRead {
    // kEntryPrefix + each line without its leading blanks, in the file's bytes.
    std::vector<std::string> entries;
    int count = 0;  // lines read, blank ones included
    bool limitReached = false;
    // The bytes after the last line read, exactly as they stand in the file.
    std::string_view unread;
};

// Lines end with CR LF, a lone LF or a lone CR; a last line without an end
// counts. Reading stops once `count` exceeds `limit`.
FileRead readEntries(std::string_view bytes, int limit = kListLimit);

// The tidy rule, applied to the records (the headings are not passed). With
// tail = the entry from its 37th character:
//   - tail empty, or its first "0" is its 8th character: the entry goes, and
//     the rule starts again from the first record;
//   - otherwise, if the tail's 7th character is a blank, that character (the
//     entry's 43rd) is deleted;
//   - otherwise the entry stays as it is;
// until a whole pass removes nothing. The result is exactly that, without
// going back over the list after each removal.
std::vector<std::string> tidy(std::vector<std::string> entries);

// The file after the tidy: every entry behind kWritePrefix, CR LF each, then
// the lines that were not read, untouched.
std::string rewrite(const std::vector<std::string>& entries, std::string_view unread);

struct Loaded {
    std::vector<std::string> records;  // the tidied entries, UTF-8
    int count = 0;                     // HistoEntryCount
    bool limitReached = false;
    bool readable = true;  // false: the file could not be read and was left alone
};

// Reads the log at `path`, tidies it and rewrites it in one atomic step.
Loaded loadAndRewrite(const std::string& path, int limit = kListLimit);

// The print jobs of a list: one blank line, then the entries behind
// kPrintMargin, kPageEntries to a job; from the third job on, a job opens with
// two blank lines, the heading and a blank line.
std::vector<std::vector<std::string>> printJobs(const std::vector<std::string>& entries);

}  // namespace lec::histo
