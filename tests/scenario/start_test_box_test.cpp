#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "operation/start_test_box.h"
#include "support/rig.h"

namespace lec::test {
namespace {

constexpr Colour kLightBlue = Colour::rgb(128, 128, 255);
constexpr Colour kGreen = Colour::rgb(0, 255, 0);
constexpr std::int64_t kMinute = 60000;
const std::string kCyclesTitle = " Start-up...                                Cycles :  ";

// The program after its start-up steps, with the box open and every answer
// noted with the choice it carried.
struct BoxRig {
    Rig rig;
    Channels& channels = rig.program->channels();
    StartTestBox& box = rig.program->startTestBox();
    forms::Form& window = rig.form("BoiteStartTest");
    std::vector<int> answers;
    std::vector<int> graphClears;

    BoxRig() {
        rig.run(5000);
        box.setAnswerHandler([this] { answers.push_back(channels.TestChoice); });
        box.setGraphClear([this](int le) { graphClears.push_back(le); });
        box.open();
    }

    std::string text() { return rig.control("BoiteStartTest.Label3").caption; }
    Colour startLabel(int i) { return rig.control("Log.Label27(" + std::to_string(i) + ")").back; }
    Colour stopLabel(int i) { return rig.control("Log.Label28(" + std::to_string(i) + ")").back; }
    int cycleRecords() {
        const std::string histo = rig.fileBytes("Histo.txt");
        int n = 0;
        for (auto at = histo.find("Cycle(s) : "); at != std::string::npos;
             at = histo.find("Cycle(s) : ", at + 1)) {
            ++n;
        }
        return n;
    }
};

// Green pixels from the left edge along the middle row; the fill must cover
// the bar's whole height.
int greenWidth(const Surface& bar) {
    int width = 0;
    while (width < bar.width() && bar.pixel(width, bar.height() / 2) == kGreen) {
        ++width;
    }
    if (width > 0) {
        EXPECT_EQ(bar.pixel(width - 1, 0), kGreen);
        EXPECT_EQ(bar.pixel(width - 1, bar.height() - 1), kGreen);
    }
    return width;
}

TEST(StartTestBox, OpensFreshAndTheOptionsSetTheHalfLength) {
    BoxRig r;
    EXPECT_TRUE(r.window.visible);
    EXPECT_FALSE(r.window.modal);
    EXPECT_TRUE(r.window.centred);
    EXPECT_FALSE(r.window.controlBox);
    EXPECT_EQ(r.window.caption, " Start-up...");
    EXPECT_EQ(r.text(), " 0 / 10 minutes");
    EXPECT_EQ(r.rig.control("BoiteStartTest.Option1").checked, 1);
    EXPECT_TRUE(r.window.timer("Timer2")->running());
    EXPECT_FALSE(r.window.timer("Timer1")->running());

    r.rig.click("BoiteStartTest.\"10 min.\"");
    EXPECT_EQ(r.box.halfMinutes(), 5);
    EXPECT_EQ(r.text(), " 0 / 5 minutes (ON or OFF)");
    r.rig.click("BoiteStartTest.\"20 min.\"");
    EXPECT_EQ(r.box.halfMinutes(), 10);
    EXPECT_EQ(r.text(), " 0 / 10 minutes (ON or OFF)");

    // The title takes the count at the first 10-s tick, and an open box
    // brought to view again keeps its state.
    r.rig.run(10000);
    EXPECT_EQ(r.window.caption, kCyclesTitle + "0000000");
    r.box.open();
    EXPECT_EQ(r.window.caption, kCyclesTitle + "0000000");
    EXPECT_EQ(r.text(), " 0 / 10 minutes (ON or OFF)");
}

TEST(StartTestBox, EachButtonAnswersOnceWithItsChoiceSet) {
    struct Case {
        const char* button;
        int choice;
        bool staysOpen;
    };
    for (const Case& c :
         {Case{"CmdNormal", 1, false}, Case{"CmdCyclic", 1, true}, Case{"CmdStop", 2, false}}) {
        SCOPED_TRACE(c.button);
        BoxRig r;
        r.rig.click(std::string("BoiteStartTest.") + c.button);
        EXPECT_EQ(r.answers, std::vector<int>{c.choice});
        EXPECT_EQ(r.window.visible, c.staysOpen);
        EXPECT_EQ(r.window.timer("Timer1")->running(), c.staysOpen);
        EXPECT_EQ(r.window.timer("Timer2")->running(), c.staysOpen);
        // Only the cyclic test leaves "STOP" as the one way out.
        if (c.staysOpen) {
            EXPECT_FALSE(r.rig.control("BoiteStartTest.Frame1").enabled);
            EXPECT_FALSE(r.rig.control("BoiteStartTest.CmdNormal").enabled);
            EXPECT_FALSE(r.rig.control("BoiteStartTest.CmdCyclic").enabled);
            EXPECT_TRUE(r.rig.control("BoiteStartTest.CmdStop").enabled);
        }
    }
}

TEST(StartTestBox, TenMinuteCyclesStopMembersAtFiveAndRestartThemAtTen) {
    BoxRig r;
    // LE-2 and LE-4 were started from their Start labels; LE-1 never was.
    for (int i : {1, 3}) {
        r.channels.le[i].TestMember = 1;
        r.channels.le[i].LeCommand = 1;
        r.channels.le[i].PowerSetLoaded = 1;
    }
    r.rig.click("BoiteStartTest.\"10 min.\"");
    r.rig.click("BoiteStartTest.CmdCyclic");
    EXPECT_EQ(r.text(), " 0 / 5 minutes (ON or OFF)");

    r.rig.run(5 * kMinute - 1);
    EXPECT_EQ(r.text(), " 4 / 5 minutes");
    EXPECT_EQ(r.channels.le[1].LeCommand, 1);
    r.rig.run(1);
    EXPECT_EQ(r.text(), " 0 / 5 minutes (ON or OFF)");
    for (int i : {1, 3}) {
        EXPECT_EQ(r.channels.le[i].LeCommand, 2) << i;
        EXPECT_EQ(r.channels.le[i].PowerSetLoaded, 0) << i;
        EXPECT_EQ(r.startLabel(i), colours::kButtonFace) << i;
        EXPECT_EQ(r.stopLabel(i), kLightBlue) << i;
    }
    EXPECT_EQ(r.channels.le[0].LeCommand, 0);
    EXPECT_EQ(r.stopLabel(0), colours::kButtonFace);

    r.rig.run(5 * kMinute - 1);
    EXPECT_EQ(r.channels.le[3].LeCommand, 2);
    EXPECT_TRUE(r.graphClears.empty());
    EXPECT_EQ(r.cycleRecords(), 0);
    r.rig.run(1);
    EXPECT_EQ(r.text(), " 0 / 5 minutes");
    for (int i : {1, 3}) {
        EXPECT_EQ(r.channels.le[i].LeCommand, 1) << i;
        EXPECT_EQ(r.startLabel(i), kGreen) << i;
        EXPECT_EQ(r.stopLabel(i), colours::kButtonFace) << i;
    }
    EXPECT_EQ(r.channels.le[0].LeCommand, 0);
    EXPECT_EQ(r.graphClears, (std::vector<int>{1, 3}));
    EXPECT_EQ(r.box.cycleCount(), 1);
    EXPECT_NE(r.rig.fileBytes("Histo.txt").find("    Cycle(s) : 0000001\r\n"), std::string::npos);
    EXPECT_EQ(r.cycleRecords(), 1);

    EXPECT_TRUE(
        r.rig.runUntil([&] { return r.window.caption == kCyclesTitle + "0000001"; }, 10000));
    // A member that joins later is switched at the next half change.
    r.channels.le[5].TestMember = 1;
    r.rig.run(5 * kMinute);
    EXPECT_EQ(r.channels.le[5].LeCommand, 2);
}

TEST(StartTestBox, StopStopsAllSixAndReopeningResetsOnlyTheCycleCount) {
    BoxRig r;
    r.channels.le[2].TestMember = 1;
    r.rig.click("BoiteStartTest.CmdCyclic");
    r.rig.run(23 * kMinute);  // one full cycle, then 3 minutes into the next
    ASSERT_EQ(r.box.cycleCount(), 1);
    ASSERT_EQ(r.box.minuteCount(), 3);
    for (auto& le : r.channels.le) {
        le.LeCommand = 1;
        le.PowerSetLoaded = 1;
    }

    r.rig.click("BoiteStartTest.CmdStop");
    EXPECT_EQ(r.answers, (std::vector<int>{1, 2}));
    EXPECT_FALSE(r.window.visible);
    for (int i = 0; i < kLeCount; ++i) {
        EXPECT_EQ(r.channels.le[i].LeCommand, 2) << i;
        EXPECT_EQ(r.channels.le[i].PowerSetLoaded, 0) << i;
        EXPECT_EQ(r.startLabel(i), colours::kButtonFace) << i;
        EXPECT_EQ(r.stopLabel(i), kLightBlue) << i;
    }
    // The test no longer runs: no restart, no further record.
    r.rig.run(20 * kMinute);
    EXPECT_EQ(r.channels.le[2].LeCommand, 2);
    EXPECT_EQ(r.cycleRecords(), 1);

    r.box.open();
    EXPECT_EQ(r.box.cycleCount(), 0);
    EXPECT_EQ(r.text(), " 3 / 10 minutes");
    EXPECT_EQ(r.window.caption, " Start-up...");
    EXPECT_EQ(r.rig.control("BoiteStartTest.Option1").checked, 1);
    EXPECT_TRUE(r.rig.control("BoiteStartTest.Frame1").enabled);
    EXPECT_TRUE(r.rig.control("BoiteStartTest.CmdCyclic").enabled);
    EXPECT_FALSE(r.window.timer("Timer1")->running());
    r.rig.run(10000);
    EXPECT_EQ(r.window.caption, kCyclesTitle + "0000000");
}

TEST(StartTestBox, ProgressBarsGrowEachMinuteAndClearAtEachHalfEnd) {
    struct Step {
        int minute;
        int onWidth;
        int offWidth;
        const char* text;
    };
    struct Case {
        const char* option;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"10 min.",
         {{1, 36, 0, " 1 / 5 minutes"},
          {4, 144, 0, " 4 / 5 minutes"},
          {5, 0, 0, " 0 / 5 minutes (ON or OFF)"},
          {6, 0, 36, " 1 / 5 minutes"},
          {9, 0, 144, " 4 / 5 minutes"},
          {10, 0, 0, " 0 / 5 minutes"},
          {11, 36, 0, " 1 / 5 minutes"}}},
        {"20 min.",
         {{1, 18, 0, " 1 / 10 minutes"},
          {9, 162, 0, " 9 / 10 minutes"},
          {10, 0, 0, " 0 / 10 minutes (ON or OFF)"},
          {11, 0, 18, " 1 / 10 minutes"},
          {21, 18, 0, " 1 / 10 minutes"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        BoxRig r;
        const Surface& on = *r.rig.control("BoiteStartTest.Picture1").surface;
        const Surface& off = *r.rig.control("BoiteStartTest.Picture2").surface;
        EXPECT_EQ(on.width(), 185);
        r.rig.click(std::string("BoiteStartTest.\"") + c.option + "\"");
        r.rig.click("BoiteStartTest.CmdCyclic");
        int minute = 0;
        for (const Step& s : c.steps) {
            SCOPED_TRACE(s.minute);
            r.rig.run((s.minute - minute) * kMinute);
            minute = s.minute;
            EXPECT_EQ(greenWidth(on), s.onWidth);
            EXPECT_EQ(greenWidth(off), s.offWidth);
            EXPECT_EQ(r.text(), s.text);
        }
    }
}

TEST(StartTestBox, WhileOpenLitEnginesAreHeldAtFullPowerEveryTenSeconds) {
    BoxRig r;
    const std::string setPoints = r.rig.fileBytes("ConsignePW.ini");
    auto& lit = r.channels.le[2];
    auto& starting = r.channels.le[0];
    lit.LePhase = 5;
    lit.LePowerSet = 40;
    starting.LePhase = 3;
    starting.LePowerSet = 40;
    auto& litCell = r.rig.control("Log.Label15(2)");
    auto& startingCell = r.rig.control("Log.Label15(0)");
    const std::string startingText = startingCell.caption;

    r.rig.run(9999);
    EXPECT_EQ(lit.LePowerSet, 40);
    r.rig.run(1);
    EXPECT_EQ(lit.LePowerSet, 100);
    EXPECT_EQ(litCell.caption, "1000 We");
    EXPECT_EQ(starting.LePowerSet, 40);
    EXPECT_EQ(startingCell.caption, startingText);

    // Whatever the user set meanwhile, the next tick forces it back.
    lit.LePowerSet = 60;
    r.rig.run(10000);
    EXPECT_EQ(lit.LePowerSet, 100);
    EXPECT_EQ(r.rig.fileBytes("ConsignePW.ini"), setPoints);

    // Closed, the box forces nothing.
    r.rig.click("BoiteStartTest.CmdNormal");
    lit.LePowerSet = 60;
    r.rig.run(30000);
    EXPECT_EQ(lit.LePowerSet, 60);
}

}  // namespace
}  // namespace lec::test
