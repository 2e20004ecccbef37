#include "platform/clock.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace lec {

namespace {

constexpr std::size_t kNotFound = std::string::npos;

std::size_t firstOf(const std::string& pattern, const char* letters) {
    return pattern.find_first_of(letters);
}

// Two digits, or four for a year: the activity log's columns depend on the
// width, so a value that would not fit is held at the edge of its field.
void appendField(std::string& out, int value, int width) {
    const int limit = width == 4 ? 9999 : 99;
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, std::clamp(value, 0, limit));
    out += buffer;
}

}  // namespace

ShortDateFormat ShortDateFormat::fromPattern(const std::string& pattern) {
    // 'm' is minutes in a locale pattern, so only a capital M names the month.
    const std::size_t day = firstOf(pattern, "dD");
    const std::size_t month = firstOf(pattern, "M");
    const std::size_t year = firstOf(pattern, "yY");
    if (day == kNotFound || month == kNotFound || year == kNotFound)
        return {};

    ShortDateFormat f;
    if (day < month && month < year) {
        f.order = Order::DayMonthYear;
    } else if (month < day && day < year) {
        f.order = Order::MonthDayYear;
    } else if (year < month && month < day) {
        f.order = Order::YearMonthDay;
    } else {
        return {};
    }

    // "d. M. yyyy" separates with ". ": the first character of it stands for all.
    const auto sep = std::find_if(pattern.begin(), pattern.end(), [](char c) {
        return std::isalpha(static_cast<unsigned char>(c)) == 0;
    });
    if (sep != pattern.end())
        f.separator = *sep;
    return f;
}

std::string formatShortDate(const DateTime& t, const ShortDateFormat& f) {
    struct Field {
        int value;
        int width;
    };
    const Field day{t.day, 2};
    const Field month{t.month, 2};
    const Field year{t.year, 4};
    std::array<Field, 3> fields = {day, month, year};
    if (f.order == ShortDateFormat::Order::MonthDayYear)
        fields = {month, day, year};
    if (f.order == ShortDateFormat::Order::YearMonthDay)
        fields = {year, month, day};

    std::string out;
    out.reserve(10);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += f.separator;
        appendField(out, fields[i].value, fields[i].width);
    }
    return out;
}

std::string formatShortTime(const DateTime& t) {
    std::string out;
    out.reserve(8);
    appendField(out, t.hour, 2);
    out += ':';
    appendField(out, t.minute, 2);
    out += ':';
    appendField(out, t.second, 2);
    return out;
}

}  // namespace lec
