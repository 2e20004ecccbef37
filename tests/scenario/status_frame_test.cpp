#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/program.h"
#include "core/settings_store.h"
#include "link/status_decoder.h"
#include "platform/text_file.h"
#include "scenario/link_fixture.h"

namespace lec::test {
namespace {

class StatusFrameTest : public ::testing::Test, public LinkFixture {
protected:
    SoftwareSettings& settings() { return rig.program->settings().settings(); }
    void setCoefficients(std::initializer_list<std::pair<int, const char*>> values) {
        for (const auto& [row, text] : values) {
            channels().LeCoefficients[0][static_cast<std::size_t>(row)] = text;
        }
    }
    std::vector<std::string> list4() { return rig.control("Log.List4").items; }
};

TEST_F(StatusFrameTest, ALitFrameFillsTheRowInBothViews) {
    setCoefficients({{0, "2"}, {1, "0.5"}, {2, "3"}, {3, "0.1"}, {4, "1"}, {10, "4"}});
    struct Case {
        int view;
        const char* lpc;
        const char* lfc;
        const char* vis;
        const char* ir;
        const char* rh;
        const char* vcc;
    };
    const Case cases[] = {
        {0, "100", "80", "40", "50", "60", "30"},
        {1, "200", "40", "120", "50", "6", "1.20"},
    };
    for (const auto& c : cases) {
        settings().CoefficientView = c.view;
        send(lit());
        SCOPED_TRACE("view " + std::to_string(c.view));
        EXPECT_EQ(rig.dump("Log.Label29(0)"),
                  "Log.Label29(0) label caption=\"5\" visible=1 enabled=1 fore=&H80000012& "
                  "back=&H00C0FFFF& left=2280 top=1440 width=450 height=315\n");
        EXPECT_EQ(caption("Log.Label11(0)"), "9");
        EXPECT_EQ(caption("Log.Label40(0)"), "45");
        EXPECT_EQ(caption("Log.Label41(0)"), "31");
        EXPECT_EQ(caption("Log.Label39(0)"), "17");
        EXPECT_EQ(caption("Log.Label36(0)"), "---");
        EXPECT_EQ(caption("Log.Label31(0)"), c.lpc);
        EXPECT_EQ(caption("Log.Label32(0)"), c.lfc);
        EXPECT_EQ(caption("Log.Label33(0)"), c.vis);
        EXPECT_EQ(caption("Log.Label34(0)"), c.ir);
        EXPECT_EQ(caption("Log.Label35(0)"), c.rh);
        EXPECT_EQ(caption("Log.Label37(0)"), c.vcc);
    }
    // The logger's texts are scaled whatever the view.
    EXPECT_EQ(le0().LeLpcText, "200");
    EXPECT_EQ(le0().LeRhText, "6");
    EXPECT_EQ(le0().LeMatText, "450");
    EXPECT_EQ(le0().LeShtText, "310");
    // The other engines' rows are untouched.
    EXPECT_EQ(caption("Log.Label29(1)"), "---");
}

TEST_F(StatusFrameTest, MissingSensorsShowDashesForShtAndZeroForVisIrRh) {
    setCoefficients({{2, "3"}});
    auto f = lit();
    f[11] = 255;
    f[16] = 255;
    f[17] = 255;
    f[18] = 255;
    for (int view : {0, 1}) {
        settings().CoefficientView = view;
        send(f);
        EXPECT_EQ(caption("Log.Label41(0)"), "---");
        EXPECT_EQ(caption("Log.Label33(0)"), "0");
        EXPECT_EQ(caption("Log.Label34(0)"), "0");
        EXPECT_EQ(caption("Log.Label35(0)"), "0");
    }
    EXPECT_EQ(le0().LeSht, 255);
    EXPECT_EQ(le0().LeShtText, "2550");
    EXPECT_EQ(le0().LeVisText, "765");
}

TEST_F(StatusFrameTest, ABadFieldSkipsOnlyItsOwnEffects) {
    settings().CoefficientView = 0;
    send(lit());
    auto f = lit();
    f[1] = 4;
    f[10] = 50;
    f[18] = 70;
    std::string text = formatStatusFrame(f);
    text.replace(13 * 5, 5, " 1x2 ");  // LFC does not convert
    text.replace(12 * 5, 5, "  300");  // LPC converts but does not fit its byte
    sendText(text);

    EXPECT_EQ(channels().LeRecord[0][13], 80) << "the slot keeps the last good value";
    EXPECT_EQ(le0().LeLfc, 80);
    EXPECT_EQ(caption("Log.Label32(0)"), "80");
    EXPECT_EQ(le0().LeLpc, 100);
    EXPECT_EQ(caption("Log.Label31(0)"), "100");
    // Everything else of the frame counts, and it is still answered.
    EXPECT_EQ(caption("Log.Label29(0)"), "4");
    EXPECT_EQ(caption("Log.Label40(0)"), "50");
    EXPECT_EQ(caption("Log.Label35(0)"), "70");
    ASSERT_EQ(answers().size(), 2u);
    EXPECT_EQ(byteAt(answers()[1], 13), 80);
}

TEST_F(StatusFrameTest, ACounterFrameLeavesMeasurementsAndSetsTheModeBack) {
    settings().CoefficientView = 0;
    std::vector<std::pair<int, HourCounterBytes>> counters;
    rig.program->statusDecoder().setCounterHook(
        [&](int le, const HourCounterBytes& c) { counters.emplace_back(le, c); });
    send(lit());
    le0().LeMode = 4;
    le0().LeRequestCode = 5;

    auto f = lit();
    f[31] = 5;
    f[10] = 47;
    f[26] = 18;
    for (int k = 13; k <= 21; ++k) {
        f[static_cast<std::size_t>(k)] = k;
    }
    send(f);

    for (const char* cell : {"Log.Label31(0)", "Log.Label32(0)", "Log.Label33(0)", "Log.Label34(0)",
                             "Log.Label35(0)", "Log.Label37(0)"}) {
        EXPECT_NE(caption(cell), "13") << cell;
    }
    EXPECT_EQ(caption("Log.Label31(0)"), "100");
    EXPECT_EQ(caption("Log.Label35(0)"), "60");
    EXPECT_EQ(le0().LeLfc, 80);
    EXPECT_EQ(caption("Log.Label40(0)"), "47");
    EXPECT_EQ(caption("Log.Label39(0)"), "18");
    EXPECT_EQ(le0().LeMode, 0);
    EXPECT_EQ(channels().LeRecord[0][31], 0);
    ASSERT_EQ(counters.size(), 1u);
    EXPECT_EQ(counters[0].first, 0);
    EXPECT_EQ(counters[0].second.bytes[0], 13);
    EXPECT_EQ(counters[0].second.bytes[8], 21);
    // The answer carries the normal mode again.
    ASSERT_EQ(answers().size(), 2u);
    EXPECT_EQ(byteAt(answers()[1], 31), 0);
}

TEST_F(StatusFrameTest, AParameterFrameFillsTheTableAndChangesNoCell) {
    settings().CoefficientView = 0;
    // A supervision tick first: the detail area and thermometer then show the
    // lit frame, and the parameter frame must not move them either.
    send(lit(), kExchangeMs + 500);
    const std::string before = rig.dump("Log");
    StatusFields f{};
    for (int k = 0; k < 32; ++k) {
        f[static_cast<std::size_t>(k)] = 200 + k / 2;
    }
    f[0] = 2;
    f[30] = 123;
    send(f);

    EXPECT_EQ(channels().LeParam[0][0], 2);
    EXPECT_EQ(channels().LeParam[29][0], 214);
    EXPECT_EQ(channels().LeParam[29][1], 0);
    EXPECT_EQ(le0().LeBank, 0);
    EXPECT_EQ(channels().TransferMessage, "Reading the settings on LE1 went well ! ");
    EXPECT_TRUE(rig.form("Log").timer("Timer44")->running());
    EXPECT_EQ(le0().LePhase, 5);
    EXPECT_EQ(answers().size(), 2u) << "a parameter frame is answered too";
    // Only the Ready cell may have moved.
    auto withoutReady = [](std::string dump) {
        const auto at = dump.find("Log.Label30(0)");
        return dump.erase(at, dump.find('\n', at) - at);
    };
    EXPECT_EQ(withoutReady(rig.dump("Log")), withoutReady(before));
}

TEST_F(StatusFrameTest, PhaseSixStartsTheRestCountdownOncePhaseZeroStopsIt) {
    auto f = lit();
    f[1] = 6;
    send(f);
    Timer& rest = *rig.form("Log").timer("Timer36");
    EXPECT_TRUE(rest.running());
    EXPECT_EQ(le0().RestCountdown, 60);
    rig.run(2000);
    EXPECT_EQ(le0().RestCountdown, 58);
    send(f);
    send(f);
    EXPECT_EQ(le0().RestCountdown, 58) << "seen again: not restarted";

    f[1] = 0;
    send(f);
    EXPECT_FALSE(rest.running());
    EXPECT_EQ(le0().RestArmed, 0);
    f[1] = 6;
    send(f);
    EXPECT_EQ(le0().RestCountdown, 60);
    EXPECT_TRUE(rest.running());
}

TEST_F(StatusFrameTest, StopReportsAndFanErrorsSetTheStopCommand) {
    struct Case {
        int phase;
        int startStop;
        int error;
        int command;
        std::size_t listed;
    };
    const Case cases[] = {
        {5, 0, 7, 0, 1},  // reported, nothing else
        {5, 0, 4, 2, 1},  // a fan error stops
        {5, 2, 0, 2, 0},  // the FADEC's own stop is adopted
        {0, 2, 0, 0, 0},  // ... but not in phase 0
    };
    for (const auto& c : cases) {
        LinkFixture fixture;
        auto f = lit();
        f[1] = c.phase;
        f[2] = c.startStop;
        f[9] = c.error;
        fixture.send(f);
        fixture.send(f);
        SCOPED_TRACE("error " + std::to_string(c.error) + " stop " + std::to_string(c.startStop));
        EXPECT_EQ(fixture.le0().LeCommand, c.command);
        EXPECT_EQ(fixture.rig.control("Log.List4").items.size(), c.listed) << "listed once";
    }
}

TEST_F(StatusFrameTest, TheShtAlarmComparesStrictlyAndLatches) {
    settings().ShtSupervisedLe = 0;
    settings().LeActivated[0] = 1;
    rig.control("Log.mnuAlarmPlateau").checked = 1;
    le0().LeMaxSht = 40;
    le0().PowerSetLoaded = 1;
    auto f = lit();
    f[11] = 40;
    send(f);
    EXPECT_TRUE(list4().empty()) << "equal to the maximum is no alarm";
    f[11] = 41;
    send(f);
    send(f);
    ASSERT_EQ(list4().size(), 1u);
    EXPECT_EQ(list4()[0], "LE1  Alarm SHT (FADEC) ");
    EXPECT_EQ(caption("Log.mnuAlarmPlateau"), "SHT (FADEC and PC) *");
    EXPECT_EQ(caption("BoiteDialogue.Label2"), "LE1 SHT (FADEC and PC)");
    EXPECT_TRUE(rig.form("BoiteDialogue").visible);
    EXPECT_EQ(le0().FadecShtLatch, 1);
    EXPECT_NE(rig.fileBytes("Histo.txt").find("LE1  Alarm SHT (FADEC) "), std::string::npos);
}

TEST_F(StatusFrameTest, TheShtAlarmNeedsPhaseFiveTheMenuTheEngineAndASensor) {
    struct Case {
        const char* why;
        int phase;
        int menu;
        int supervised;
        int activated;
        int sht;
    };
    const Case cases[] = {
        {"phase 4", 4, 1, 0, 1, 41},    {"menu off", 5, 0, 0, 1, 41},
        {"other LE", 5, 1, 1, 1, 41},   {"not activated", 5, 1, 0, 0, 41},
        {"no sensor", 5, 1, 0, 1, 255},
    };
    for (const auto& c : cases) {
        LinkFixture fixture;
        auto& s = fixture.rig.program->settings().settings();
        s.ShtSupervisedLe = c.supervised;
        s.LeActivated[0] = static_cast<Byte>(c.activated);
        fixture.rig.control("Log.mnuAlarmPlateau").checked = c.menu;
        fixture.le0().LeMaxSht = 40;
        fixture.le0().PowerSetLoaded = 1;
        auto f = lit();
        f[1] = c.phase;
        f[11] = c.sht;
        fixture.send(f);
        EXPECT_TRUE(fixture.rig.control("Log.List4").items.empty()) << c.why;
        EXPECT_EQ(fixture.le0().FadecShtLatch, 0) << c.why;
    }
}

TEST_F(StatusFrameTest, TheLfcAlarmIsRaisedOnceWhileTheSupervisionFindsItOutOfRange) {
    settings().LeActivated[0] = 1;
    rig.control("Log.mnuAlarmLFC").checked = 1;
    le0().PowerSetLoaded = 1;
    send(lit());
    EXPECT_TRUE(list4().empty());
    channels().LfcOutOfRange = 1;
    send(lit());
    send(lit());
    ASSERT_EQ(list4().size(), 1u);
    EXPECT_EQ(list4()[0], "LE1  Alarm LFC ");
    EXPECT_EQ(caption("Log.mnuAlarmLFC"), "LFC *");
    EXPECT_EQ(caption("BoiteDialogue.Label2"), "LE1 LFC");
    EXPECT_EQ(le0().LfcLatch, 1);
}

TEST(StatusFramePowerTest, PhaseFiveLoadsTheSetPointOncePerStay) {
    Rig::Options options;
    options.prepare = [](const std::string& folder) {
        textfile::writeLines(folder + "/ConsignePW.ini", {"50", "60", "70", "80", "90", "100"});
    };
    LinkFixture f(options);
    f.send(LinkFixture::lit());
    EXPECT_EQ(f.le0().LePowerSet, 50);
    EXPECT_EQ(f.caption("Log.Label15(0)"), "500 We");
    EXPECT_EQ(f.le0().PowerSetLoaded, 1);
    EXPECT_EQ(f.channels().PowerSetFile[5], 100);

    textfile::writeLines(f.rig.path("ConsignePW.ini"), {"70", "60", "70", "80", "90", "100"});
    f.send(LinkFixture::lit());
    EXPECT_EQ(f.le0().LePowerSet, 50) << "read once per stay in phase 5";
}

TEST(StatusFramePowerTest, AnUnreadableSetPointFileKeepsTheSetPointAndSaysSoOnce) {
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{"50", "60", "70"}, std::vector<std::string>{}}) {
        LinkFixture f;
        if (lines.empty()) {
            std::remove(f.rig.path("ConsignePW.ini").c_str());
        } else {
            textfile::writeLines(f.rig.path("ConsignePW.ini"), lines);
        }
        f.le0().LePowerSet = 77;
        const auto boxes = f.rig.dialogs.openBoxes().size();
        f.send(LinkFixture::lit());
        f.send(LinkFixture::lit());
        EXPECT_EQ(f.le0().LePowerSet, 77);
        EXPECT_EQ(f.rig.dialogs.openBoxes().size(), boxes + 1);
        EXPECT_NE(f.rig.fileBytes("Histo.txt").find("LE1  ConsignePW.ini unreadable"),
                  std::string::npos);
        // What goes out in phase 5 is the kept set-point.
        ASSERT_FALSE(f.answers().empty());
        EXPECT_EQ(LinkFixture::byteAt(f.answers().back(), 4), 77);
    }
}

}  // namespace
}  // namespace lec::test
