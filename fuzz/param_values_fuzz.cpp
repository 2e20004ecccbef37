// ParamSt.ini is edited by hand, and its value texts end up in command frames:
// whatever a file holds must read without harm, and no text may become a byte
// other than the number it shows.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "maintenance/param_values.h"
#include "platform/text_file.h"

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

bool digitsOnly(std::string_view text) {
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// A text of digits alone stands for exactly its number.
void checkDigits(std::string_view text) {
    if (text.empty() || !digitsOnly(text)) {
        return;
    }
    std::size_t first = text.find_first_not_of('0');
    const std::string_view significant =
        first == std::string_view::npos ? std::string_view("0") : text.substr(first);
    const auto sent = lec::param_values::sentByte(text);
    if (significant.size() > 3) {
        check(!sent);
        return;
    }
    const int number = std::stoi(std::string(significant));
    check(number > 255 ? !sent : (sent && *sent == number));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    namespace pv = lec::param_values;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = lec::textfile::splitLines(bytes);

    std::size_t items = 0;
    for (const auto& line : lines) {
        items += lec::textfile::splitItems(line).size();
    }
    const auto values = pv::fileValues(lines);
    check(values.size() == (items >= 32 ? 32 : items));

    for (const auto& value : values) {
        pv::sentByte(value);
        checkDigits(value);
        const auto verdict = pv::checkEntry(value, 0, 255);
        check(verdict == pv::Entry::NotDigits || digitsOnly(value));
        pv::speedFromRow(value);
        pv::hintBound(value);
    }
    pv::sentByte(lec::textfile::fromCp1252(bytes));
    return 0;
}
