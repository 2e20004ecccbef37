#include <gtest/gtest.h>

#include <string>

#include "app/program.h"
#include "link/command_sender.h"
#include "link/status_decoder.h"
#include "scenario/link_fixture.h"

namespace lec::test {
namespace {

class CommandFrameTest : public ::testing::Test, public LinkFixture {
protected:
    // Every field its own value, so that an echo shows where it came from.
    static StatusFields distinct(int phase) {
        StatusFields f{};
        for (int k = 0; k < 32; ++k) {
            f[static_cast<std::size_t>(k)] = 100 + k;
        }
        f[1] = phase;
        f[30] = 123;
        return f;
    }
    void setCommands() {
        auto& c = le0();
        c.LeCommand = 1;
        c.LePowerSet = 80;
        c.LeQthCommand = 1;
        c.LeAlarmRelayCommand = 1;
        c.LeRequestCode = 5;
        c.LeMotorSpeedSet = 100;
        c.LeMode = 4;
        c.PowerSetLoaded = 1;  // the set-point stays the one given here
    }
};

TEST_F(CommandFrameTest, NothingGoesOutBeforeTheFadecSendsTheSynchronisation) {
    auto f = lit();
    f[30] = 122;
    send(f);
    rig.run(500);
    EXPECT_TRUE(received.empty());
    EXPECT_TRUE(rig.form("Log").timer("Timer21")->running()) << "it keeps checking";
    EXPECT_EQ(caption("Log.Label30(0)"), "---");

    send(lit());
    ASSERT_EQ(answers().size(), 1u);
    EXPECT_FALSE(rig.form("Log").timer("Timer21")->running());

    // A frame whose field 30 no longer reads as a number (characters lost on
    // the way) is not answered on the strength of the previous 123.
    std::string shifted = formatStatusFrame(lit());
    shifted.replace(30 * 5, 5, " 1 23");
    sendText(shifted);
    rig.run(500);
    EXPECT_EQ(answers().size(), 1u);
}

TEST_F(CommandFrameTest, TheAnswerEchoesTheFrameExceptTheCommandSlots) {
    struct Case {
        int phase;
        int selected;
        int slot0;
        int slot4;
    };
    const Case cases[] = {
        {4, 2, 100, 104},  // not the selected LE, not lit: echoes
        {5, 2, 100, 80},   // phase 5: the set-point
        {5, 1, 2, 80},     // the selected LE carries the read request
    };
    for (const auto& c : cases) {
        received.clear();
        setCommands();
        channels().SelectedLe = static_cast<Byte>(c.selected);
        channels().TransferState = 2;
        send(distinct(c.phase));
        ASSERT_EQ(answers().size(), 1u) << "phase " << c.phase;
        const std::string frame = answers()[0];
        SCOPED_TRACE("phase " + std::to_string(c.phase) + " selected " +
                     std::to_string(c.selected));
        EXPECT_EQ(frame.substr(32), "\r\n");
        EXPECT_EQ(byteAt(frame, 0), c.slot0);
        EXPECT_EQ(byteAt(frame, 1), c.phase);
        EXPECT_EQ(byteAt(frame, 4), c.slot4);
        const std::pair<int, int> commands[] = {{2, 1},  {6, 1},    {8, 1},
                                                {12, 5}, {24, 100}, {31, 4}};
        for (const auto& [k, value] : commands) {
            EXPECT_EQ(byteAt(frame, k), value) << "slot " << k;
        }
        for (int k : {3, 5, 7, 9, 10, 11, 13, 19, 23, 25, 29}) {
            EXPECT_EQ(byteAt(frame, k), 100 + k) << "slot " << k;
        }
        EXPECT_EQ(byteAt(frame, 30), 123);
        EXPECT_EQ(channels().TransferState, c.selected == 1 ? 0 : 2);
        for (int k = 0; k < 32; ++k) {
            EXPECT_EQ(channels().LeRecordOut[0][static_cast<std::size_t>(k)], byteAt(frame, k));
        }
    }
}

TEST_F(CommandFrameTest, TwoFramesWithinTheDelayGetOneAnswer30MsAfterTheFirst) {
    auto& decoder = rig.program->statusDecoder();
    const std::string text = formatStatusFrame(lit());
    decoder.handleFrame(0, text);
    rig.run(20);
    decoder.handleFrame(0, text);
    rig.run(9);
    EXPECT_TRUE(received.empty());
    rig.run(1 + 18);  // 34 bytes take 17.7 ms on the wire
    EXPECT_EQ(received.size(), 34u);
    rig.run(500);
    EXPECT_EQ(received.size(), 34u);
}

TEST_F(CommandFrameTest, TheReadyCellShowsYesWhileFramesGoOutAndNoAfterASecond) {
    send(lit());
    EXPECT_EQ(rig.dump("Log.Label30(0)"),
              "Log.Label30(0) label caption=\"yes\" visible=1 enabled=1 fore=&H80000012& "
              "back=&H0000FF00& left=2745 top=1440 width=450 height=315\n");
    EXPECT_TRUE(le0().LeReady);
    rig.run(900);  // the one-shot runs 980 ms from the send, 114 ms after the write
    EXPECT_EQ(caption("Log.Label30(0)"), "yes");
    rig.run(100);
    EXPECT_EQ(caption("Log.Label30(0)"), "no");
    EXPECT_EQ(rig.control("Log.Label30(0)").back, colours::kButtonFace);
    EXPECT_FALSE(le0().LeReady);
}

TEST_F(CommandFrameTest, ASlotThatDoesNotFitAByteStopsThatCycleOnly) {
    auto f = lit();
    f[20] = 300;  // echoed, but no byte can carry it
    send(f);
    EXPECT_TRUE(received.empty());
    EXPECT_FALSE(rig.form("Log").timer("Timer21")->running());
    EXPECT_TRUE(rig.form("Log").timer("Timer30")->running());
    send(lit());
    EXPECT_EQ(answers().size(), 1u) << "the next frame clears the fault";
}

TEST_F(CommandFrameTest, ClosingThePortStopsTheAnswerThatWasDue) {
    send(lit());
    ASSERT_EQ(answers().size(), 1u);
    rig.serial.line(1).device().write(formatStatusFrame(lit()));
    rig.run(100);  // decoded at 84 ms, the answer would leave at 114 ms
    ASSERT_TRUE(rig.form("Log").timer("Timer21")->running());

    rig.click("Log.ActiveDesactiveRS232");
    rig.check("ConfigurationRS232.Check1(0)", false);
    rig.click("ConfigurationRS232.Command1");
    EXPECT_FALSE(rig.form("Log").timer("Timer21")->running());
    EXPECT_EQ(caption("Log.Label30(0)"), "no");
    rig.run(500);
    EXPECT_EQ(answers().size(), 1u);
}

}  // namespace
}  // namespace lec::test
