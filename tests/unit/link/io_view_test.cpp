#include <gtest/gtest.h>

#include <string>

#include "core/channels.h"
#include "link/link_supervision.h"

namespace lec {
namespace {

TEST(IoViewLines, AbsentSensorsLeaveTheListAndTheOthersKeepTheirFormat) {
    Channels channels;
    auto& record = channels.LeRecord[2];
    for (int k : {11, 16, 17, 18, 19}) {
        record[static_cast<std::size_t>(k)] = 255;
    }
    EXPECT_EQ(ioViewLines(channels, 2, 0).size(), 27u);

    record[11] = 31;
    channels.LeRecordIn[2][11] = 31;
    channels.LeRecordOut[2][11] = 7;
    const auto in = ioViewLines(channels, 2, 0);
    const auto out = ioViewLines(channels, 2, 1);
    ASSERT_EQ(in.size(), 28u);
    EXPECT_EQ(in[11].text, " 11   031   \u00B0C Thermo DS1621 - SHT ");
    EXPECT_EQ(out[11].text, " 11   007   \u00B0C Thermo DS1621 - SHT ");
}

TEST(IoViewLines, SpeedTextsOnlyForRunningMotorAndFans) {
    struct Case {
        int slot;
        int value;
        const char* speed;
    };
    const Case cases[] = {
        {27, 50, "=  1500 tr/min"}, {27, 1, ""}, {27, 0, ""}, {28, 2, "=  60 tr/min"},
        {29, 3, "=  90 tr/min"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.slot) + "=" + std::to_string(c.value));
        Channels channels;
        const auto k = static_cast<std::size_t>(c.slot);
        channels.LeRecord[0][k] = static_cast<std::int16_t>(c.value);
        channels.LeRecordIn[0][k] = static_cast<Byte>(c.value);
        channels.le[0].LeTachoM = channels.le[0].LeTachoV1 = channels.le[0].LeTachoV2 =
            static_cast<Byte>(c.value);
        const auto lines = ioViewLines(channels, 0, 0);
        ASSERT_EQ(lines.size(), 32u);
        EXPECT_EQ(lines[k].speed, c.speed);
        EXPECT_EQ(lines[k].text.substr(lines[k].text.size() - std::string(c.speed).size()),
                  c.speed);
    }
}

}  // namespace
}  // namespace lec
