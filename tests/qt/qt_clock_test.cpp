#include <gtest/gtest.h>

#include <QDateTime>

#include "platform/qt/qt_clock.h"

namespace lec {
namespace {

TEST(QtClock, GivesTheLocalTimeInTheSystemsDateOrder) {
    const QtClock clock;
    const QDateTime before = QDateTime::currentDateTime();
    const DateTime t = clock.now();
    const QDateTime after = QDateTime::currentDateTime();
    const QDateTime seen(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second));
    EXPECT_GE(seen.secsTo(before), -1);
    EXPECT_LE(seen.secsTo(before), 0);
    EXPECT_GE(seen.secsTo(after), 0);

    // The log's columns depend on these widths whatever the locale.
    EXPECT_EQ(clock.shortDate().size(), 10u);
    EXPECT_EQ(clock.shortTime().size(), 8u);
}

}  // namespace
}  // namespace lec
