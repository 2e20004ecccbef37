#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "operation/parameter_read.h"
#include "records/error_codes.h"
#include "scenario/engine_fixture.h"

namespace lec::test {
namespace {

constexpr Colour kFace = colours::kButtonFace;

// The boxes opened since `from`, as "title|text".
std::vector<std::string> boxesSince(EngineFixture& f, std::size_t from) {
    std::vector<std::string> out;
    const auto& history = f.rig.dialogs.history();
    for (std::size_t i = from; i < history.size(); ++i) {
        out.push_back(history[i].title + "|" + history[i].text);
    }
    return out;
}

TEST(EngineStart, StartLabelWaitsForTheBoxReadsTheTableOnceThenGivesTheOrder) {
    EngineFixture f({1});
    // Parameters of 100 and more: the start keeps their last two digits.
    f.fadec(1).force(24, 230);
    f.fadec(1).force(28, 145);
    auto& chart = *dynamic_cast<MemorySurface*>(f.control("Log.Picture13").surface);
    chart.point(100, 100, kGreen);

    f.rig.click("Log.Label27(0)");
    EXPECT_EQ(f.cell("Label27", 1).back, kLightBlue);
    EXPECT_TRUE(f.rig.form("BoiteStartTest").visible);
    EXPECT_EQ(f.le(1).TestMember, 1);
    f.run(3000);
    EXPECT_EQ(f.readRequestsTo(1), 0) << "nothing happens before the box is answered";

    f.rig.click("BoiteStartTest.CmdNormal");
    auto& confirmation = f.rig.form("OKTransfert");
    ASSERT_TRUE(f.runUntil([&] { return confirmation.visible; }, 2000));
    EXPECT_EQ(f.control("OKTransfert.Label1").caption, "Reading the settings on LE1 went well ! ");
    EXPECT_EQ(f.readRequestsTo(1), 1);
    EXPECT_EQ(f.le(1).LeCommand, 0) << "no order while the confirmation shows";
    EXPECT_EQ(f.cell("Label27", 1).back, kLightBlue);

    ASSERT_TRUE(f.runUntil([&] { return f.le(1).LeCommand == 1; }, 3000));
    EXPECT_FALSE(confirmation.visible);
    for (const auto& frame : f.framesTo(1)) {
        EXPECT_EQ(frame[2], 0) << "the start order never went out before the read ended";
    }
    EXPECT_EQ(f.cell("Label27", 1).back, kGreen);
    EXPECT_EQ(f.cell("Label28", 1).back, kFace);
    EXPECT_EQ(f.records("LE1  Starting LE "), 1);
    const auto& p = f.fadec(1).parameters();
    EXPECT_EQ(f.le(1).LeZ1, p[18] % 100);
    EXPECT_EQ(f.le(1).LeZ2, p[19] % 100);
    EXPECT_EQ(f.le(1).LeZ3, p[20] % 100);
    EXPECT_EQ(f.le(1).LeGraphRef24, 30);
    EXPECT_EQ(f.le(1).LeGraphRef27, p[27] % 100);
    EXPECT_EQ(f.le(1).LeGraphRef29, p[29] % 100);
    EXPECT_EQ(f.le(1).LeMaxSht, 45);

    f.run(100);
    EXPECT_EQ(f.le(1).LeGraphColumn, 6);
    EXPECT_EQ(chart.pixel(100, 100), colours::kBlack) << "the chart starts afresh";

    ASSERT_TRUE(f.runUntil([&] { return f.le(1).LePhase == 5; }, 60000));
    EXPECT_EQ(f.framesTo(1).back()[2], 1);
    EXPECT_EQ(f.readRequestsTo(1), 1) << "one read for one start";
}

TEST(EngineStart, TheFirstAnswerOfTheBoxDecidesThisAndTheLaterClicks) {
    struct Case {
        const char* button;
        bool starts;
    };
    for (const Case c :
         {Case{"CmdNormal", true}, Case{"CmdCyclic", true}, Case{"CmdStop", false}}) {
        SCOPED_TRACE(c.button);
        EngineFixture f({1, 2});
        f.rig.click("Log.Label27(0)");
        f.rig.click(std::string("BoiteStartTest.") + c.button);
        f.run(5000);
        EXPECT_EQ(f.readRequestsTo(1), c.starts ? 1 : 0);
        EXPECT_EQ(f.le(1).LeCommand == 1, c.starts);

        // A later click does not wait for the box, which shows again.
        f.rig.click("Log.Label26(1)");
        f.rig.click("Log.Label27(1)");
        EXPECT_TRUE(f.rig.form("BoiteStartTest").visible);
        EXPECT_EQ(f.channels().TransferState, c.starts ? 2 : 0);
        f.run(5000);
        EXPECT_EQ(f.readRequestsTo(2), c.starts ? 1 : 0);
        EXPECT_EQ(f.le(2).LeCommand == 1, c.starts);
    }
}

TEST(EngineStart, RefusedStartsLeaveTheLabelLightBlueButResetTheAlarms) {
    struct Case {
        const char* why;
        std::vector<int> connected;
        std::function<void(EngineFixture&)> setUp;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {"port closed", {2}, [](EngineFixture&) {}, {" Warning!|Com Port not enabled"}},
        {"not synchronised", {1}, [](EngineFixture& f) { f.fadec(1).setUnsynchronised(true); }, {}},
        {"not in phase 0", {1}, [](EngineFixture& f) { f.fadec(1).force(1, 5); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        EngineFixture f(c.connected);
        c.setUp(f);
        f.run(500);
        f.channels().TestChoice = 1;  // answered earlier in the run
        f.le(3).FadecShtLatch = 1;
        f.le(5).LfcLatch = 1;
        f.le(2).StopLogged = 1;
        f.control("Log.mnuAlarmLFC").caption = "LFC *";
        f.control("Log.mnuAlarmPlateau").caption = "SHT (FADEC and PC) *";
        const Byte phase = f.le(1).LePhase;
        f.le(1).LePhase = 5;  // an error code is listed only off phase 0
        f.rig.program->errorCodes().EcrireCodeErreur(7, 0);
        f.le(1).LePhase = phase;
        ASSERT_EQ(f.rig.program->errorCodes().ErrorReported(0, 7), 1);
        const std::size_t boxes = f.rig.dialogs.history().size();

        f.rig.click("Log.Label27(0)");
        f.run(3000);

        EXPECT_EQ(boxesSince(f, boxes), c.boxes);
        if (!c.boxes.empty()) {
            EXPECT_EQ(f.rig.dialogs.history().back().icon, BoxIcon::Warning);
        }
        EXPECT_EQ(f.cell("Label27", 1).back, kLightBlue);
        EXPECT_EQ(f.le(1).LeCommand, 0);
        EXPECT_EQ(f.readRequestsTo(1), 0);
        EXPECT_EQ(f.channels().TransferState, 0);
        EXPECT_EQ(f.le(3).FadecShtLatch, 0);
        EXPECT_EQ(f.le(5).LfcLatch, 0);
        EXPECT_EQ(f.le(2).StopLogged, 0);
        EXPECT_EQ(f.rig.program->errorCodes().ErrorReported(0, 7), 0);
        EXPECT_EQ(f.control("Log.mnuAlarmLFC").caption, "LFC");
        EXPECT_EQ(f.control("Log.mnuAlarmPlateau").caption, "SHT (FADEC and PC)");
    }
}

TEST(EngineStart, StartClicksMadeBeforeTheFirstAnswerGoOnInClickOrderOneReadAtATime) {
    EngineFixture f({1, 2});
    f.rig.click("Log.Label26(1)");
    f.rig.click("Log.Label27(1)");
    f.rig.click("Log.Label26(0)");
    f.rig.click("Log.Label27(0)");
    f.run(2000);
    EXPECT_EQ(f.readRequestsTo(1) + f.readRequestsTo(2), 0);

    f.rig.click("BoiteStartTest.CmdNormal");
    EXPECT_EQ(f.channels().SelectedLe, 2) << "LE2 was clicked first";
    ASSERT_TRUE(f.runUntil([&] { return f.le(2).LeCommand == 1; }, 5000));
    EXPECT_EQ(f.readRequestsTo(1), 0) << "LE1's read waits until LE2's has ended";
    ASSERT_TRUE(f.runUntil([&] { return f.le(1).LeCommand == 1; }, 5000));
    EXPECT_EQ(f.readRequestsTo(1), 1);
    EXPECT_EQ(f.readRequestsTo(2), 1);
    const auto lines = f.histoLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("LE2  Starting LE "), std::string::npos);
    EXPECT_NE(lines[1].find("LE1  Starting LE "), std::string::npos);
}

TEST(EngineStart, AStopWhileTheReadIsGoingOnWins) {
    EngineFixture f({1});
    f.clickStart(1);
    ASSERT_TRUE(f.runUntil([&] { return f.rig.form("OKTransfert").visible; }, 2000));
    f.rig.click("Log.Label28(0)");
    ASSERT_TRUE(f.runUntil([&] { return f.channels().TransferDone == 1; }, 3000));
    f.run(1000);
    EXPECT_EQ(f.le(1).LeCommand, 2);
    EXPECT_EQ(f.records("LE1  Starting LE "), 0);
    EXPECT_EQ(f.fadec(1).phase(), 0);
}

TEST(EngineStart, AFadecThatNeverSendsItsTableAbandonsTheStartAndFreesThePass) {
    EngineFixture f;
    for (int n = 1; n <= kLeCount; ++n) {
        f.settings().LeActivated[static_cast<std::size_t>(n - 1)] = 1;
    }
    f.fadec(2).setSilent(true);
    f.run(500);
    const std::string noAnswer = "LE2  No answer to the settings read: start abandoned";

    f.clickStart(2);
    EXPECT_EQ(f.channels().TransferState, 2);
    f.run(ParameterRead::kLimitMs - 100);
    EXPECT_EQ(f.rig.dialogs.openBoxes().size(), 0u);
    f.run(200);
    ASSERT_NE(f.newestBox(), nullptr);
    EXPECT_EQ(f.newestBox()->title, " Warning!");
    EXPECT_EQ(f.newestBox()->text, noAnswer);
    EXPECT_EQ(f.newestBox()->icon, BoxIcon::Warning);
    f.rig.answer(BoxButton::Ok);
    EXPECT_EQ(f.records(noAnswer), 1);
    EXPECT_EQ(f.channels().TransferState, 0) << "the request does not linger";
    EXPECT_EQ(f.channels().TransferDone, 1);
    EXPECT_EQ(f.le(2).LeCommand, 0);
    EXPECT_EQ(f.cell("Label27", 2).back, kLightBlue);

    // The pass goes past the silent engine without giving it the order.
    f.rig.rightClick("Log.Label27(1)");
    f.rig.answer(BoxButton::Yes);
    Timer& startAll = *f.rig.form("Log").timer("Timer14");
    ASSERT_TRUE(f.runUntil([&] { return !startAll.running(); }, 60000));
    for (int n = 1; n <= kLeCount; ++n) {
        EXPECT_EQ(f.le(n).LeCommand, n == 2 ? 0 : 1) << "LE" << n;
    }
    EXPECT_EQ(f.records(noAnswer), 2);
    EXPECT_EQ(f.records("LE2  Start LE "), 0);
}

TEST(EngineStop, StopLabelStopsTheEngineAndSwitchesEveryQthLampOff) {
    struct Case {
        bool portOpen;
    };
    for (const Case c : {Case{true}, Case{false}}) {
        SCOPED_TRACE(c.portOpen ? "port open" : "port closed");
        EngineFixture f(c.portOpen ? std::vector<int>{1} : std::vector<int>{2});
        if (c.portOpen) {
            f.startLit(1);
        }
        const Byte commandBefore = f.le(1).LeCommand;
        for (int n = 1; n <= kLeCount; ++n) {
            f.le(n).LeQthCommand = 1;
        }
        f.channels().QthButtonOn = 1;
        const std::size_t boxes = f.rig.dialogs.history().size();

        f.rig.click("Log.Label28(0)");

        for (int n = 1; n <= kLeCount; ++n) {
            EXPECT_EQ(f.le(n).LeQthCommand, 0) << "LE" << n;
        }
        EXPECT_EQ(f.channels().QthButtonOn, 0);
        EXPECT_EQ(f.rig.fileBytes("StartHalogen.ini"), "0\r\n");
        if (!c.portOpen) {
            EXPECT_EQ(boxesSince(f, boxes), std::vector<std::string>{" Warning!|COMx unactivated"});
            EXPECT_EQ(f.le(1).LeCommand, commandBefore);
            EXPECT_EQ(f.records("LE1  Off LE "), 0);
            continue;
        }
        EXPECT_TRUE(boxesSince(f, boxes).empty());
        EXPECT_EQ(f.le(1).LeCommand, 2);
        EXPECT_EQ(f.le(1).PowerSetLoaded, 0);
        EXPECT_EQ(f.cell("Label27", 1).back, kFace);
        EXPECT_EQ(f.cell("Label28", 1).back, kLightBlue);
        EXPECT_EQ(f.records("LE1  Off LE "), 1);
        f.run(500);
        EXPECT_EQ(f.framesTo(1).back()[2], 2);
        EXPECT_EQ(f.framesTo(1).back()[6], 0);
        ASSERT_TRUE(f.runUntil([&] { return f.le(1).LePhase == 6; }, 5000));
        EXPECT_EQ(f.cell("Label28", 1).back, kLightBlue);
        ASSERT_TRUE(f.runUntil([&] { return f.le(1).LePhase == 0; }, 70000));
        EXPECT_EQ(f.cell("Label28", 1).back, kFace) << "back at rest";
    }
}

TEST(EngineStop, RestBoxCountsDownFrom59AndTurnsGreyOneSecondAfter0) {
    EngineFixture f({1});
    auto& box = f.restBox(1);
    const auto shows = [&]() -> std::string {
        return box.texts().empty() ? "" : box.texts().back().text;
    };
    f.fadec(1).force(1, 6);
    ASSERT_TRUE(f.runUntil([&] { return f.le(1).RestArmed == 1; }, 1000));
    EXPECT_EQ(shows(), "");
    EXPECT_EQ(box.pixel(5, 5), kGrey);

    f.run(1000);
    EXPECT_EQ(shows(), "Rest  59 sec.");
    ASSERT_EQ(box.texts().size(), 1u);
    EXPECT_EQ(box.texts()[0].colour, colours::kWhite);
    EXPECT_EQ(box.texts()[0].pointSize, 10);
    EXPECT_EQ(box.pixel(box.width() - 1, box.height() - 1), kMagenta);
    EXPECT_TRUE(f.cell("Picture4", 1).visible);

    f.run(59000);
    EXPECT_EQ(shows(), "Rest  0 sec.");
    f.run(1000);
    EXPECT_EQ(shows(), "");
    EXPECT_EQ(box.pixel(5, 5), kGrey);
    EXPECT_EQ(f.cell("Picture4", 1).back, kGrey);
    EXPECT_FALSE(f.rig.form("Log").timer("Timer36")->running());
    EXPECT_EQ(f.le(1).RestCountdown, 60);

    // Phase 0 ends the rest at once; the box keeps what it showed.
    f.fadec(1).release(1);
    ASSERT_TRUE(f.runUntil([&] { return f.le(1).RestArmed == 0; }, 1000));
    f.fadec(1).force(1, 6);
    ASSERT_TRUE(f.runUntil([&] { return f.le(1).RestArmed == 1; }, 1000));
    f.run(5500);
    EXPECT_EQ(shows(), "Rest  55 sec.");
    f.fadec(1).release(1);
    ASSERT_TRUE(f.runUntil([&] { return f.le(1).RestArmed == 0; }, 1000));
    EXPECT_FALSE(f.rig.form("Log").timer("Timer36")->running());
    f.run(3000);
    EXPECT_EQ(shows(), "Rest  55 sec.");
    EXPECT_EQ(box.pixel(5, 5), kMagenta);
}

TEST(EngineAll, StartAllWaitsOnALitEngineUntilItIsBackInPhase0) {
    EngineFixture f;
    for (int n = 1; n <= kLeCount; ++n) {
        f.settings().LeActivated[static_cast<std::size_t>(n - 1)] = 1;
    }
    f.fadec(3).force(1, 5);
    f.run(500);
    f.rig.rightClick("Log.Label27(0)");
    ASSERT_NE(f.newestBox(), nullptr);
    EXPECT_EQ(f.newestBox()->text, "START All LE");
    f.rig.answer(BoxButton::Yes);

    std::array<std::int64_t, kLeCount> orderedAt{};
    const auto noteOrders = [&] {
        bool all = true;
        for (int n = 1; n <= kLeCount; ++n) {
            auto& at = orderedAt[static_cast<std::size_t>(n - 1)];
            if (at == 0 && f.le(n).LeCommand == 1) {
                at = f.rig.scheduler.now();
            }
            all = all && at != 0;
        }
        return all;
    };
    ASSERT_TRUE(f.runUntil([&] { return noteOrders(), f.le(2).LeCommand == 1; }, 15000));
    f.runUntil([&] { return noteOrders(), false; }, 10000);
    EXPECT_EQ(f.channels().StartAllCursor, 2) << "the pass holds on LE3";
    for (int n = 3; n <= kLeCount; ++n) {
        EXPECT_EQ(f.le(n).LeCommand, 0) << "LE" << n;
        EXPECT_EQ(f.readRequestsTo(n), 0) << "LE" << n;
    }

    f.fadec(3).release(1);
    ASSERT_TRUE(f.runUntil(noteOrders, 30000));
    for (int n = 2; n <= kLeCount; ++n) {
        EXPECT_GE(
            orderedAt[static_cast<std::size_t>(n - 1)] - orderedAt[static_cast<std::size_t>(n - 2)],
            1000)
            << "LE" << n << " comes after LE" << n - 1;
    }
    f.run(1000);
    EXPECT_FALSE(f.rig.form("Log").timer("Timer14")->running());
    EXPECT_EQ(f.channels().StartAllCursor, 0);
    for (int n = 1; n <= kLeCount; ++n) {
        EXPECT_EQ(f.readRequestsTo(n), 1) << "LE" << n;
        EXPECT_EQ(f.records(leText(n - 1) + "  Start LE "), 1) << "LE" << n;
        EXPECT_EQ(f.cell("Label27", n).back, kGreen) << "LE" << n;
    }
}

TEST(EngineAll, StartAllOrdersEveryEngineButLogsOnlyTheActivatedOnes) {
    EngineFixture f({1});
    f.settings().LeActivated[0] = 1;
    f.settings().LeActivated[2] = 1;  // activated, its port closed
    f.rig.rightClick("Log.Label27(0)");
    f.rig.answer(BoxButton::Yes);
    Timer& startAll = *f.rig.form("Log").timer("Timer14");
    ASSERT_TRUE(f.runUntil([&] { return !startAll.running(); }, 20000));
    for (int n = 1; n <= kLeCount; ++n) {
        EXPECT_EQ(f.le(n).LeCommand, 1) << "LE" << n;
        EXPECT_EQ(f.cell("Label27", n).back, kGreen) << "LE" << n;
        EXPECT_EQ(f.records(leText(n - 1) + "  Start LE "), n == 1 || n == 3 ? 1 : 0) << "LE" << n;
    }
    EXPECT_EQ(f.readRequestsTo(1), 1);
    EXPECT_EQ(f.channels().TransferState, 0) << "no request left for a closed port";
}

TEST(EngineAll, StopAllLogsEachActivatedEngineOnceBetweenTwoStartResets) {
    EngineFixture f({1, 2});
    f.settings().LeActivated[0] = 1;
    f.settings().LeActivated[1] = 1;
    const auto stopAll = [&] {
        f.rig.rightClick("Log.Label28(0)");
        ASSERT_NE(f.newestBox(), nullptr);
        EXPECT_EQ(f.newestBox()->text, "STOP All LE");
        f.rig.answer(BoxButton::Yes);
    };

    stopAll();
    f.run(3500);
    for (int n = 1; n <= kLeCount; ++n) {
        EXPECT_EQ(f.le(n).LeCommand, n <= 3 ? 2 : 0) << "one engine a second, LE1 first";
    }
    f.run(3000);
    EXPECT_FALSE(f.rig.form("Log").timer("Timer16")->running());
    EXPECT_EQ(f.channels().StopAllCursor, 0);
    for (int n = 1; n <= kLeCount; ++n) {
        EXPECT_EQ(f.le(n).LeCommand, 2) << "LE" << n;
    }
    const auto& list = f.control("Log.List4").items;
    EXPECT_EQ(list, (std::vector<std::string>{"LE1  Off LE ", "LE2  Off LE "}));

    stopAll();
    f.run(7000);
    EXPECT_EQ(f.records("LE1  Off LE "), 1);
    EXPECT_EQ(f.records("LE2  Off LE "), 1);
    EXPECT_EQ(f.records("LE3  Off LE "), 0);

    // Asking START All resets, even when the answer is No.
    f.rig.rightClick("Log.Label27(0)");
    f.rig.answer(BoxButton::No);
    stopAll();
    f.run(7000);
    EXPECT_EQ(f.records("LE1  Off LE "), 2);
    EXPECT_EQ(f.records("LE2  Off LE "), 2);
    EXPECT_EQ(f.records("LE3  Off LE "), 0);
}

TEST(EngineButtons, ButtonStartsWithoutTheBoxAndStopsWithItsOwnRecord) {
    EngineFixture f;
    for (int n = 1; n <= kLeCount; ++n) {
        f.control(f.button(n)).visible = true;
    }
    struct Case {
        int le;
        const char* stopRecord;
    };
    for (const Case c : {Case{1, "LE1  OFF LE "}, Case{4, "LE4  OFF LE ("}}) {
        SCOPED_TRACE(c.stopRecord);
        auto& button = f.control(f.button(c.le));
        f.rig.click(f.button(c.le));
        EXPECT_EQ(button.caption, "STOP LE-" + std::to_string(c.le));
        EXPECT_EQ(button.back, kButtonGreen);
        EXPECT_EQ(f.le(c.le).LeButtonOn, 1);
        ASSERT_TRUE(f.runUntil([&] { return f.le(c.le).LeCommand == 1; }, 5000));
        EXPECT_EQ(f.readRequestsTo(c.le), 1);
        EXPECT_EQ(f.records(leText(c.le - 1) + "  Start LE "), 1);
        EXPECT_FALSE(f.rig.form("BoiteStartTest").visible);
        EXPECT_EQ(f.cell("Label27", c.le).back, kFace) << "the table is left alone";

        for (int n = 1; n <= kLeCount; ++n) {
            f.le(n).LeQthCommand = 1;
        }
        f.channels().QthButtonOn = 1;
        f.rig.click(f.button(c.le));
        EXPECT_EQ(button.caption, "START LE-" + std::to_string(c.le));
        EXPECT_EQ(button.back, kFace);
        EXPECT_EQ(f.le(c.le).LeButtonOn, 0);
        EXPECT_EQ(f.le(c.le).LeCommand, 2);
        EXPECT_EQ(f.le(c.le).PowerSetLoaded, 0);
        EXPECT_EQ(f.channels().QthButtonOn, 0);
        EXPECT_EQ(f.le(c.le).LeQthCommand, 1) << "the lamps themselves stay on";
        EXPECT_EQ(f.records(c.stopRecord), 1);
    }
}

TEST(EngineButtons, ClosedPortRefusesBothWays) {
    EngineFixture f({2});
    f.control(f.button(1)).visible = true;
    const std::size_t boxes = f.rig.dialogs.history().size();
    f.rig.click(f.button(1));
    EXPECT_EQ(f.control(f.button(1)).caption, "START LE-1");
    f.le(1).LeButtonOn = 1;
    f.control(f.button(1)).caption = "STOP LE-1";
    f.rig.click(f.button(1));
    EXPECT_EQ(boxesSince(f, boxes), (std::vector<std::string>{" Warning!|Com Port not enabled",
                                                              " Warning!|COMx unactivated"}));
    EXPECT_EQ(f.control(f.button(1)).caption, "START LE-1");
    EXPECT_EQ(f.le(1).LeButtonOn, 0);
    EXPECT_EQ(f.le(1).LeCommand, 0);
}

TEST(EngineButtons, RightClicksToggleBetweenStartAllAndStopAllAndRelabelRunningEngines) {
    EngineFixture f({1, 2});
    for (int n = 1; n <= kLeCount; ++n) {
        f.control(f.button(n)).visible = true;
    }
    f.fadec(1).force(1, 5);  // LE1 lit, LE2 at rest
    f.run(500);
    struct Step {
        const char* asked;
        BoxButton answer;
        Byte allToggle;
        Byte rightClick;
        const char* lit;
        Colour litBack;
    };
    const Step steps[] = {
        {"START All LE", BoxButton::No, 1, 0, "START LE-1", kFace},
        {"STOP All LE", BoxButton::No, 0, 1, "START LE-1", kFace},
        {"START All LE", BoxButton::Yes, 1, 1, "STOP LE-1", kButtonGreen},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.asked);
        f.rig.rightClick(f.button(2));
        ASSERT_NE(f.newestBox(), nullptr);
        EXPECT_EQ(f.newestBox()->text, s.asked);
        f.rig.answer(s.answer);
        f.run(600);
        EXPECT_EQ(f.channels().AllToggle, s.allToggle);
        EXPECT_EQ(f.channels().ButtonRightClick, s.rightClick);
        EXPECT_EQ(f.control(f.button(1)).caption, s.lit);
        EXPECT_EQ(f.control(f.button(1)).back, s.litBack);
        EXPECT_EQ(f.control(f.button(2)).caption, "START LE-2") << "engines at rest keep theirs";
        EXPECT_EQ(f.le(1).LeButtonOn, 0) << "the refresh leaves the on-state alone";
    }
    f.rig.click(f.button(1));
    EXPECT_EQ(f.channels().ButtonRightClick, 0);
}

TEST(EngineSelection, SelectingAnEngineShowsItsCellsAndChartOnly) {
    struct Case {
        int le;
        Byte accessLevel;
    };
    const Case cases[] = {{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {4, 0}};
    Rig rig;
    rig.run(500);
    const char* charts[] = {"Picture13", "Picture15", "Picture16",
                            "Picture17", "Picture18", "Picture19"};
    for (const auto& c : cases) {
        SCOPED_TRACE("LE" + std::to_string(c.le) + " level " + std::to_string(c.accessLevel));
        rig.program->channels().AccessLevel = c.accessLevel;
        rig.click("Log.Label26(" + std::to_string(c.le - 1) + ")");
        EXPECT_EQ(rig.program->channels().SelectedLe, c.le);
        EXPECT_EQ(rig.control("Log.Label66").caption, "Selected LE = " + std::to_string(c.le));
        for (int i = 0; i < kLeCount; ++i) {
            const bool selected = i == c.le - 1;
            const std::string at = "(" + std::to_string(i) + ")";
            EXPECT_EQ(rig.control("Log.Label26" + at).back,
                      selected ? Colour::rgb(91, 255, 0) : kFace);
            EXPECT_EQ(rig.control("Log.Label27" + at).visible, selected);
            EXPECT_EQ(rig.control("Log.Label28" + at).visible, selected);
            EXPECT_EQ(rig.control(std::string("Log.") + charts[i]).visible,
                      selected && c.accessLevel != 0);
        }
    }
}

}  // namespace
}  // namespace lec::test
