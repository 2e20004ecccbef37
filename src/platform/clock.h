#pragma once

#include <string>

namespace lec {

struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The order of day, month and year in the system's short date, with its
// separator. dd.MM.yyyy where the locale gives none.
struct ShortDateFormat {
    enum class Order { DayMonthYear, MonthDayYear, YearMonthDay };
    Order order = Order::DayMonthYear;
    char separator = '.';

    // Reads a locale pattern such as "M/d/yy" or "yyyy-MM-dd"; falls back to
    // dd.MM.yyyy when the pattern names no day, month and year.
    static ShortDateFormat fromPattern(const std::string& pattern);
};

// Always 10 characters: zero-padded day and month, four-digit year.
std::string formatShortDate(const DateTime& t, const ShortDateFormat& f);
// Always 8 characters: 24-hour HH:mm:ss.
std::string formatShortTime(const DateTime& t);

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
    virtual ShortDateFormat dateFormat() const = 0;

    std::string shortDate() const { return formatShortDate(now(), dateFormat()); }
    std::string shortTime() const { return formatShortTime(now()); }
};

}  // namespace lec
