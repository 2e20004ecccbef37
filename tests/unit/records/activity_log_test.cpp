#include "records/activity_log.h"

#include <gtest/gtest.h>

#include "platform/text_file.h"
#include "platform/virtual/virtual_clock.h"
#include "platform/virtual/virtual_scheduler.h"
#include "support/temp_folder.h"

namespace lec {
namespace {

TEST(ActivityLogRecord, FieldsStandInTheirPlacesWithTheCodeOnThreeDigits) {
    const struct {
        int code;
        const char* message;
        const char* record;
    } cases[] = {
        {7, "LE2  Temp. Magnetron > 50 °C FADEC internal",
         "  14:05:33    09.12.2026    007    LE2  Temp. Magnetron > 50 °C FADEC internal"},
        {0, "LE3  Starting LE ", "  14:05:33    09.12.2026    000    LE3  Starting LE "},
        {18, "LE1  Stop activated", "  14:05:33    09.12.2026    018    LE1  Stop activated"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ActivityLog::record("14:05:33", "09.12.2026", c.code, c.message), c.record);
    }
}

TEST(ActivityLogRecord, WriteHistoAppendsOneLineInTheFilesCodePage) {
    test::TempFolder folder;
    VirtualScheduler scheduler;
    VirtualClock clock(scheduler, DateTime{2026, 12, 9, 14, 5, 33});
    ActivityLog log(clock, folder.path());
    ASSERT_TRUE(textfile::writeAll(log.path(), "  earlier\r\n"));

    EXPECT_TRUE(log.WriteHisto(7, "LE2  Temp. Magnetron > 50 °C FADEC internal"));
    scheduler.advance(1000);
    EXPECT_TRUE(log.WriteHisto(0, "LE2  Off LE "));
    EXPECT_EQ(textfile::readAll(log.path()),
              "  earlier\r\n"
              "  14:05:33    09.12.2026    007    LE2  Temp. Magnetron > 50 \xB0"
              "C FADEC internal\r\n"
              "  14:05:34    09.12.2026    000    LE2  Off LE \r\n");
}

}  // namespace
}  // namespace lec
