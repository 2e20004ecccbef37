#include "maintenance/param_values.h"

#include <algorithm>
#include <cmath>

#include "core/startup_files.h"
#include "link/status_fields.h"
#include "platform/text_file.h"

namespace lec::param_values {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text starts, after blanks and a sign, with a number: one that
// parseNumber could not hold is too large, not absent.
bool startsWithNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
    }
    return i < text.size() && isDigit(text[i]);
}

}  // namespace

std::optional<Byte> sentByte(std::string_view text) {
    const auto number = textfile::parseNumber(text);
    if (!number) {
        if (startsWithNumber(text)) {
            return std::nullopt;
        }
        return Byte{0};
    }
    // The default rounding mode rounds half to even, as the original's
    // conversion to a byte did (2.5 -> 2, 3.5 -> 4).
    const double rounded = std::nearbyint(*number);
    if (!(rounded >= 0.0 && rounded <= 255.0)) {
        return std::nullopt;
    }
    return static_cast<Byte>(rounded);
}

std::string speedFromRow(std::string_view rowText) {
    return status::numberText(textfile::parseNumber(rowText).value_or(0.0) * 100.0);
}

Entry checkEntry(std::string_view entry, double min, double max) {
    if (!std::all_of(entry.begin(), entry.end(), isDigit)) {
        return Entry::NotDigits;
    }
    // Digits only: a number too long for a double is above any maximum.
    const auto value = entry.empty() ? std::optional<double>(0.0) : textfile::parseNumber(entry);
    if (!value || *value < min || *value > max) {
        return Entry::OutOfRange;
    }
    return Entry::Accepted;
}

double hintBound(std::string_view hint) {
    return textfile::parseNumber(hint).value_or(0.0);
}

std::vector<std::string> fileValues(const std::vector<std::string>& lines) {
    if (const auto group = startup_files::readParamValues(lines)) {
        return {group->begin(), group->end()};
    }
    std::vector<std::string> items;
    for (const auto& line : lines) {
        for (auto& item : textfile::splitItems(line)) {
            items.push_back(std::move(item));
        }
    }
    return items;
}

}  // namespace lec::param_values
