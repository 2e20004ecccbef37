#include "platform/clock.h"

#include <gtest/gtest.h>

#include <string>

namespace lec {
namespace {

using Order = ShortDateFormat::Order;

TEST(ShortDateFormat, ReadsOrderAndSeparatorFromTheLocalePattern) {
    const struct {
        std::string pattern;
        Order order;
        char separator;
    } cases[] = {
        {"dd/MM/yyyy", Order::DayMonthYear, '/'},
        {"M/d/yy", Order::MonthDayYear, '/'},
        {"yyyy-MM-dd", Order::YearMonthDay, '-'},
        {"dd.MM.yy", Order::DayMonthYear, '.'},
        {"d. M. yyyy", Order::DayMonthYear, '.'},  // ". " is written as '.'
        {"yyyy/M/d", Order::YearMonthDay, '/'},
        {"ddMMyyyy", Order::DayMonthYear, '.'},  // no separator of its own
        // Nothing usable: dd.MM.yyyy.
        {"", Order::DayMonthYear, '.'},
        {"nonsense", Order::DayMonthYear, '.'},
        {"HH:mm:ss", Order::DayMonthYear, '.'},
        {"dd/mm/yyyy", Order::DayMonthYear, '.'},  // mm are minutes: no month
        {"yyyy/dd/MM", Order::DayMonthYear, '.'},  // an order we do not write
    };
    for (const auto& c : cases) {
        const auto f = ShortDateFormat::fromPattern(c.pattern);
        EXPECT_EQ(f.order, c.order) << c.pattern;
        EXPECT_EQ(f.separator, c.separator) << c.pattern;
    }
}

TEST(ShortDate, AlwaysTenCharactersInThePatternsOrder) {
    const DateTime early{2024, 3, 7, 0, 0, 0};
    const DateTime late{1999, 12, 31, 0, 0, 0};
    const struct {
        DateTime t;
        ShortDateFormat f;
        std::string text;
    } cases[] = {
        {early, {Order::DayMonthYear, '.'}, "07.03.2024"},
        {early, {Order::MonthDayYear, '/'}, "03/07/2024"},
        {early, {Order::YearMonthDay, '-'}, "2024-03-07"},
        {late, {Order::DayMonthYear, '/'}, "31/12/1999"},
        {DateTime{987, 1, 2}, {Order::DayMonthYear, '.'}, "02.01.0987"},
        {DateTime{12345, 1, 2}, {Order::YearMonthDay, '-'}, "9999-01-02"},  // width holds
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatShortDate(c.t, c.f), c.text);
}

TEST(ShortTime, TwentyFourHourWithSeconds) {
    EXPECT_EQ(formatShortTime(DateTime{2024, 3, 7, 0, 0, 0}), "00:00:00");
    EXPECT_EQ(formatShortTime(DateTime{2024, 3, 7, 9, 5, 3}), "09:05:03");
    EXPECT_EQ(formatShortTime(DateTime{2024, 3, 7, 23, 59, 59}), "23:59:59");
}

TEST(Clock, ShortTextsComeFromNowAndTheFormat) {
    class FixedClock : public Clock {
    public:
        DateTime now() const override { return {2024, 11, 5, 14, 30, 9}; }
        ShortDateFormat dateFormat() const override {
            return ShortDateFormat::fromPattern("M/d/yyyy");
        }
    };
    const FixedClock clock;
    EXPECT_EQ(clock.shortDate(), "11/05/2024");
    EXPECT_EQ(clock.shortTime(), "14:30:09");
}

}  // namespace
}  // namespace lec
