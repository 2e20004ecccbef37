// Items and numbers come from files that users and older versions wrote: any
// line must split and parse without harm, and every byte must survive a read
// and a write in the original code page.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text_file.h"

namespace {

using namespace lec::textfile;

void check(bool ok) {
    if (!ok)
        std::abort();
}

std::string joined(const std::vector<std::string>& items) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ',';
        out += items[i];
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);

    check(toCp1252(fromCp1252(in)) == in);
    // Any bytes taken as UTF-8: one byte out at most for each byte in.
    check(toCp1252(in).size() <= in.size());

    const auto ignored = splitItems(in, Blanks::Ignore);
    const auto kept = splitItems(in, Blanks::Keep);
    check(!ignored.empty() && ignored.size() == kept.size());
    if (in.find('"') == std::string_view::npos) {
        // Without quotes the commas alone cut the line, and keeping the blanks
        // gives back every byte.
        const auto commas = static_cast<std::size_t>(std::count(in.begin(), in.end(), ','));
        check(kept.size() == commas + 1);
        check(joined(kept) == in);
    }
    for (const auto& item : kept)
        check(item.size() <= in.size());

    if (const auto n = parseNumber(in))
        check(std::isfinite(*n));
    for (const auto& item : ignored)
        (void)parseNumber(item);
    return 0;
}
