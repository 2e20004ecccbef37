// A status frame is whatever 160 characters the line delivered: lost, extra or
// garbled characters must decode field by field without harm, and a field
// that reads as a number must read as the number it shows.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "link/status_fields.h"

namespace {

using namespace lec::status;

void check(bool ok) {
    if (!ok)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view in(reinterpret_cast<const char*>(data), size);

    const FieldResults fields = decodeFields(in);
    for (int k = 0; k < kFields; ++k) {
        const auto start = static_cast<std::size_t>(k * kFieldWidth);
        const auto& field = fields[static_cast<std::size_t>(k)];
        // Past the end of a short read there is nothing to convert.
        if (start >= in.size())
            check(!field.has_value());
        if (field) {
            // What converted is what a plain field of that value reads as.
            std::string text = std::to_string(*field);
            check(fieldValue(text) == field);
            text.insert(0, 5 - std::min<std::size_t>(5, text.size()), ' ');
            check(fieldValue(text) == field);
        }
    }

    if (size >= 1) {
        const auto byte = static_cast<std::uint8_t>(data[0]);
        const std::string bits = Dec_Bin(byte);
        check(bits.size() == 8 && std::stoi(bits, nullptr, 2) == byte);
    }
    if (const auto factor = coefficientValue(in)) {
        const std::string text = numberText(255 * *factor);
        check(!text.empty() && text.front() != ' ');
        check(vccText(255 * *factor).size() == text.size() + 1);
    }
    return 0;
}
