// Histo.txt is whatever years of appends, crashes and hand edits left: any
// bytes must load, tidy exactly as the rule says, and come back from the
// rewrite as what the list showed, with nothing beyond the limit lost.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "records/histo_list.h"

namespace {

using Lines = std::vector<std::string>;

void check(bool ok) {
    if (!ok)
        std::abort();
}

// The rule word for word: after every removal, back to the first record.
Lines tidyByTheRule(Lines e) {
restart:
    for (std::size_t i = 0; i < e.size(); ++i) {
        const std::string tail = e[i].size() > 36 ? e[i].substr(36) : std::string();
        if (tail.empty() || tail.find('0') == 7) {
            e.erase(e.begin() + static_cast<std::ptrdiff_t>(i));
            goto restart;
        }
        if (tail.size() > 6 && tail[6] == ' ')
            e[i].erase(42, 1);
    }
    return e;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    // The first byte sets a small limit, so that the limit is met often.
    const int limit = data[0] % 64;
    const std::string_view in(reinterpret_cast<const char*>(data) + 1, size - 1);

    const lec::histo::FileRead read = lec::histo::readEntries(in, limit);
    check(read.count == static_cast<int>(read.entries.size()));
    check(read.count <= limit + 1);
    check(read.limitReached == (read.count > limit));
    check(read.unread.empty() || read.limitReached);
    check(in.substr(in.size() - read.unread.size()) == read.unread);

    const Lines tidied = lec::histo::tidy(read.entries);
    if (read.entries.size() <= 40)
        check(tidied == tidyByTheRule(read.entries));
    check(tidied.size() <= read.entries.size());

    // What the file holds after the rewrite reads back as the list, followed
    // by the lines that were not read.
    const std::string written = lec::histo::rewrite(tidied, read.unread);
    check(written.substr(written.size() - read.unread.size()) == read.unread);
    const lec::histo::FileRead again =
        lec::histo::readEntries(lec::histo::rewrite(tidied, ""), lec::histo::kListLimit);
    check(again.entries == tidied);

    const auto jobs = lec::histo::printJobs(tidied);
    std::size_t printed = 0;
    for (const auto& job : jobs)
        printed += job.size();
    check(!jobs.empty() && printed >= tidied.size() + 1);
    return 0;
}
