#include "platform/virtual/virtual_clock.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/virtual/virtual_scheduler.h"

namespace lec {
namespace {

// Compared as text so that a failure shows both moments readably.
std::string iso(const DateTime& t) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return buffer;
}

struct CalendarCase {
    DateTime start;
    std::int64_t elapsedMs;
    DateTime expected;
};

class VirtualClockCalendar : public ::testing::TestWithParam<CalendarCase> {};

TEST_P(VirtualClockCalendar, AddsSchedulerTimeToTheStart) {
    const CalendarCase& c = GetParam();
    VirtualScheduler s;
    VirtualClock clock(s, c.start);
    s.advance(c.elapsedMs);
    EXPECT_EQ(iso(clock.now()), iso(c.expected));
}

constexpr std::int64_t kDay = 86400000;

INSTANTIATE_TEST_SUITE_P(
    Cases, VirtualClockCalendar,
    ::testing::Values(CalendarCase{{2026, 12, 11, 9, 30, 0}, 0, {2026, 12, 11, 9, 30, 0}},
                      // Milliseconds below a whole second do not show.
                      CalendarCase{{2026, 12, 11, 9, 30, 0}, 1999, {2026, 12, 11, 9, 30, 1}},
                      CalendarCase{{2026, 12, 31, 23, 59, 59}, 1000, {2027, 1, 1, 0, 0, 0}},
                      CalendarCase{{2024, 2, 28, 23, 59, 59}, 1000, {2024, 2, 29, 0, 0, 0}},
                      CalendarCase{{2023, 2, 28, 23, 59, 59}, 1000, {2023, 3, 1, 0, 0, 0}},
                      CalendarCase{{2100, 2, 28, 12, 0, 0}, kDay, {2100, 3, 1, 12, 0, 0}},
                      CalendarCase{{2000, 2, 28, 12, 0, 0}, kDay, {2000, 2, 29, 12, 0, 0}},
                      CalendarCase{{2026, 4, 30, 8, 0, 0}, kDay, {2026, 5, 1, 8, 0, 0}},
                      CalendarCase{{2026, 1, 31, 0, 0, 0}, 366 * kDay, {2027, 2, 1, 0, 0, 0}},
                      CalendarCase{{2023, 6, 15, 0, 0, 0}, 366 * kDay, {2024, 6, 15, 0, 0, 0}},
                      CalendarCase{{2026, 12, 11, 9, 30, 0},
                                   30LL * 3600 * 1000 + 29 * 60000 + 59999,
                                   {2026, 12, 12, 15, 59, 59}}));

TEST(VirtualClock, SetNowReadsFromThePresentMomentOn) {
    VirtualScheduler s;
    VirtualClock clock(s, {2026, 1, 1, 0, 0, 0});
    s.advance(5000);
    clock.setNow({2026, 3, 31, 23, 59, 58});
    EXPECT_EQ(iso(clock.now()), "2026-03-31 23:59:58");
    s.advance(2000);
    EXPECT_EQ(iso(clock.now()), "2026-04-01 00:00:00");
}

TEST(VirtualClock, ShortTextsFollowTheDateFormat) {
    VirtualScheduler s;
    VirtualClock clock(s, {2026, 3, 7, 9, 5, 3});
    EXPECT_EQ(clock.shortDate(), "07.03.2026");
    clock.setDateFormat({ShortDateFormat::Order::MonthDayYear, '/'});
    EXPECT_EQ(clock.shortDate(), "03/07/2026");
    EXPECT_EQ(clock.shortTime(), "09:05:03");
}

}  // namespace
}  // namespace lec
