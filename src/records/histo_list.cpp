#include "records/histo_list.h"

#include <cstddef>

#include "platform/text_file.h"

namespace lec::histo {

namespace {

constexpr std::size_t kTailStart = 36;  // the tail: the entry from its 37th character
constexpr std::size_t kBlankAt = 6;     // the tail's 7th character, the entry's 43rd
constexpr std::size_t kZeroAt = 7;      // the tail's 8th character

// The tail of one entry while the rule works on it, without copying its text:
// the deletions all happen at the tail's 7th place, so the tail as it stands
// is the first six characters of the original tail followed by the original
// from place 7 + `deleted` on.
struct Tail {
    std::string_view text;  // the original tail
    bool zeroInFirstSix = false;
    std::size_t deleted = 0;

    explicit Tail(std::string_view entry)
        : text(entry.size() > kTailStart ? entry.substr(kTailStart) : std::string_view{}),
          zeroInFirstSix(text.substr(0, kBlankAt).find('0') != std::string_view::npos) {}

    std::size_t size() const { return text.size() - deleted; }
    // The current character at place `i` (0-based) of the tail, i >= kBlankAt.
    char from6On(std::size_t i) const { return text[i + deleted]; }

    bool removable() const {
        if (size() == 0) {
            return true;
        }
        // The first "0" at the 8th place: none in places 1 to 7, one at 8.
        return !zeroInFirstSix && size() > kZeroAt && from6On(kBlankAt) != '0' &&
               from6On(kZeroAt) == '0';
    }
    bool blankToDelete() const { return size() > kBlankAt && from6On(kBlankAt) == ' '; }
    // Another look would change nothing.
    bool settled() const { return !removable() && !blankToDelete(); }
    // One look under the rule; true when the entry goes.
    bool look() {
        if (removable()) {
            return true;
        }
        if (blankToDelete()) {
            ++deleted;
        }
        return false;
    }
};

void appendLineEnd(std::string& out) {
    out += "\r\n";
}

}  // namespace

std::vector<std::string> headings() {
    return {" ", std::string(kDisplayPrefix) + std::string(kStoredHeading), " "};
}

FileRead readEntries(std::string_view bytes, int limit) {
    FileRead read;
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const auto end = rest.find_first_of("\r\n");
        std::string_view line = rest.substr(0, end);
        if (end == std::string_view::npos) {
            rest = {};
        } else {
            const bool crLf = rest[end] == '\r' && end + 1 < rest.size() && rest[end + 1] == '\n';
            rest.remove_prefix(end + (crLf ? 2 : 1));
        }
        const auto first = line.find_first_not_of(' ');
        line.remove_prefix(first == std::string_view::npos ? line.size() : first);

        std::string entry;
        entry.reserve(kEntryPrefix.size() + line.size());
        entry += kEntryPrefix;
        entry += line;
        read.entries.push_back(std::move(entry));
        if (++read.count > limit) {
            read.limitReached = true;
            break;
        }
    }
    read.unread = rest;
    return read;
}

// Each removal sends the rule back to the first record, so a record that was
// kept is looked at once more for every removal that follows it. Such a look
// is not idle: a record that lost its 43rd character may lose the next one
// too ("LE1" and four blanks ends with two when a removal came after it), or
// become removable (its tail then starts with six characters without a "0",
// a blank and a "0"). So the records that another look would still change are
// kept in order, and each pass looks at them and then goes on with the
// records not yet seen, up to the next removal. Every look at such a record
// deletes a character or removes it, so the whole costs no more than the
// characters of the file.
std::vector<std::string> tidy(std::vector<std::string> entries) {
    const std::size_t n = entries.size();
    std::vector<Tail> tails;
    tails.reserve(n);
    for (const auto& e : entries) {
        tails.emplace_back(e);
    }
    std::vector<bool> removed(n, false);

    std::vector<std::size_t> unsettled;  // looked at, and another look would change them
    std::size_t frontier = 0;            // the first record no pass has reached yet
    for (;;) {
        bool removal = false;
        std::size_t kept = 0;
        std::size_t k = 0;
        for (; k < unsettled.size() && !removal; ++k) {
            const std::size_t i = unsettled[k];
            if (tails[i].look()) {
                removed[i] = true;
                removal = true;
            } else if (!tails[i].settled()) {
                unsettled[kept++] = i;
            }
        }
        for (; k < unsettled.size(); ++k) {
            unsettled[kept++] = unsettled[k];  // not reached by this pass
        }
        unsettled.resize(kept);

        while (!removal && frontier < n) {
            const std::size_t i = frontier++;
            if (tails[i].look()) {
                removed[i] = true;
                removal = true;
            } else if (!tails[i].settled()) {
                unsettled.push_back(i);
            }
        }
        if (!removal) {
            break;
        }
    }

    std::vector<std::string> out;
    out.reserve(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (removed[i]) {
            continue;
        }
        std::string& e = entries[i];
        if (tails[i].deleted > 0) {
            e.erase(kTailStart + kBlankAt, tails[i].deleted);
        }
        out.push_back(std::move(e));
    }
    return out;
}

std::string rewrite(const std::vector<std::string>& entries, std::string_view unread) {
    std::size_t size = unread.size();
    for (const auto& e : entries) {
        size += kWritePrefix.size() + e.size() + 2;
    }
    std::string out;
    out.reserve(size);
    for (const auto& e : entries) {
        out += kWritePrefix;
        out += e;
        appendLineEnd(out);
    }
    out += unread;
    return out;
}

Loaded loadAndRewrite(const std::string& path, int limit) {
    Loaded loaded;
    const auto bytes = textfile::readAll(path);
    if (!bytes) {
        // Left alone: a file that cannot be read now may be readable later.
        loaded.readable = false;
        return loaded;
    }
    FileRead read = readEntries(*bytes, limit);
    loaded.count = read.count;
    loaded.limitReached = read.limitReached;
    const std::vector<std::string> entries = tidy(std::move(read.entries));
    // The records beyond the limit go back after the tidied ones: a full log
    // loses nothing by being looked at. A failed write leaves the old file.
    textfile::writeAll(path, rewrite(entries, read.unread));

    loaded.records.reserve(entries.size());
    for (const auto& e : entries) {
        loaded.records.push_back(textfile::fromCp1252(e));
    }
    return loaded;
}

std::vector<std::vector<std::string>> printJobs(const std::vector<std::string>& entries) {
    std::vector<std::vector<std::string>> jobs(1);
    jobs.back().emplace_back();
    int page = 1;
    int onPage = 0;
    for (const auto& e : entries) {
        if (onPage == kPageEntries) {
            jobs.emplace_back();
            ++page;
            onPage = 0;
            if (page >= 3) {
                auto& job = jobs.back();
                job.emplace_back();
                job.emplace_back();
                job.push_back(std::string(kPrintMargin) + std::string(kStoredHeading));
                job.emplace_back();
            }
        }
        jobs.back().push_back(std::string(kPrintMargin) + e);
        ++onPage;
    }
    return jobs;
}

}  // namespace lec::histo
