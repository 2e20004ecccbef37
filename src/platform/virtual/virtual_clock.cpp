#include "platform/virtual/virtual_clock.h"

namespace lec {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days since 1970-01-01 in the proleptic Gregorian calendar (H. Hinnant's
// civil-date algorithms: eras of 400 years starting in March, so the leap day
// is the last day of a year).
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = floorDiv(y, 400);
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

// Whole seconds since 1970-01-01 00:00:00; out-of-range fields (month 13,
// day 32, hour 24...) roll over into the next unit.
std::int64_t toEpochSeconds(const DateTime& t) {
    // Month first, so that month 13 is January of the next year.
    const std::int64_t months = static_cast<std::int64_t>(t.year) * 12 + (t.month - 1);
    const std::int64_t year = floorDiv(months, 12);
    const int month = static_cast<int>(months - year * 12) + 1;
    const std::int64_t days = daysFromCivil(year, month, 1) + (t.day - 1);
    return days * kSecondsPerDay + static_cast<std::int64_t>(t.hour) * 3600 +
           static_cast<std::int64_t>(t.minute) * 60 + t.second;
}

DateTime fromEpochSeconds(std::int64_t seconds) {
    const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
    const std::int64_t rest = seconds - days * kSecondsPerDay;
    DateTime t;
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

}  // namespace

VirtualClock::VirtualClock(const Scheduler& scheduler, DateTime start, ShortDateFormat format)
    : scheduler_(scheduler), startSeconds_(toEpochSeconds(start)), format_(format) {
}

DateTime VirtualClock::now() const {
    return fromEpochSeconds(startSeconds_ + floorDiv(scheduler_.now(), 1000));
}

void VirtualClock::setNow(const DateTime& t) {
    startSeconds_ = toEpochSeconds(t) - floorDiv(scheduler_.now(), 1000);
}

}  // namespace lec
