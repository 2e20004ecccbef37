#include "link/status_fields.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/text_file.h"

namespace lec::status {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
}  // namespace

std::optional<std::int16_t> fieldValue(std::string_view field) {
    std::size_t begin = 0;
    std::size_t end = field.size();
    while (begin < end && isBlank(field[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(field[end - 1])) {
        --end;
    }
    const std::string_view text = field.substr(begin, end - begin);
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    double whole = 0;
    int digits = 0;
    while (pos < text.size() && isDigit(text[pos])) {
        whole = whole * 10 + (text[pos] - '0');
        ++pos;
        ++digits;
    }
    double fraction = 0;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        double weight = 0.1;
        while (pos < text.size() && isDigit(text[pos])) {
            fraction += weight * (text[pos] - '0');
            weight /= 10;
            ++pos;
            ++digits;
        }
    }
    if (digits == 0 || pos != text.size()) {
        return std::nullopt;
    }
    double value = std::nearbyint(whole + fraction);  // half to even, the default mode
    if (negative) {
        value = -value;
    }
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

FieldResults decodeFields(std::string_view frame) {
    FieldResults fields{};
    for (int k = 0; k < kFields; ++k) {
        const auto start = static_cast<std::size_t>(k) * kFieldWidth;
        if (start < frame.size()) {
            fields[static_cast<std::size_t>(k)] = fieldValue(frame.substr(start, kFieldWidth));
        }
    }
    return fields;
}

std::optional<double> coefficientValue(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && isBlank(text[end - 1])) {
        --end;
    }
    const auto value = textfile::parseNumber(text.substr(0, end));
    if (!value || !std::isfinite(*value)) {
        return std::nullopt;
    }
    return value;
}

std::string numberText(double value) {
    if (value == 0) {
        return "0";  // also for -0
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string vccText(double scaled) {
    const std::string number = numberText(scaled);
    return number.substr(0, 1) + "." + number.substr(1);
}

std::string Dec_Bin(std::uint8_t value) {
    std::string bits;
    int rest = value;
    for (int weight = 128; weight >= 1; weight /= 2) {
        if (rest >= weight) {
            bits += '1';
            rest -= weight;
        } else {
            bits += '0';
        }
    }
    return bits;
}

long counterHours(int minutes, int low, int high) {
    return minutes / 60 + 4L * (low + 256L * high);
}

}  // namespace lec::status
