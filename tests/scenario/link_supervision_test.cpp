#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/program.h"
#include "core/settings_store.h"
#include "link/link_supervision.h"
#include "platform/virtual/memory_surface.h"
#include "scenario/link_fixture.h"

namespace lec::test {
namespace {

constexpr const char* kLoss = "LE1  No communication with machine System!";
constexpr int kFrameMs = 200;

class LinkSupervisionTest : public ::testing::Test, public LinkFixture {
protected:
    void SetUp() override {
        settings().CoefficientView = 0;
        supervise(true, true);
    }
    SoftwareSettings& settings() { return rig.program->settings().settings(); }
    void supervise(bool alarm, bool activated) {
        settings().LinkLossAlarm = alarm ? 1 : 0;
        settings().LeActivated[0] = activated ? 1 : 0;
    }
    // A FADEC that answers normally for `ms`.
    void talk(int ms) {
        for (int t = 0; t < ms; t += kFrameMs) {
            send(lit(), kFrameMs);
        }
    }
    std::vector<std::string> list4() { return rig.control("Log.List4").items; }
    int histoCount(const std::string& text) {
        const std::string histo = rig.fileBytes("Histo.txt");
        int n = 0;
        for (auto at = histo.find(text); at != std::string::npos; at = histo.find(text, at + 1)) {
            ++n;
        }
        return n;
    }
    forms::Form& box() { return rig.form("BoiteDialogue"); }
    // Runs until LE-1's LPC cell is blanked; the program time that took.
    std::int64_t untilBlanked(std::int64_t limitMs) {
        const auto from = rig.scheduler.now();
        EXPECT_TRUE(rig.runUntil([&] { return caption("Log.Label31(0)") == "---"; }, limitMs));
        return rig.scheduler.now() - from;
    }
};

TEST_F(LinkSupervisionTest, ASilentFadecIsReportedOnceAboutFourteenSecondsAfterItsLastFrame) {
    talk(2000);
    ASSERT_EQ(caption("Log.Label31(0)"), "100");
    EXPECT_EQ(caption("Log.Label68"), "45°C");

    // The last answer left about 40 ms before the silence began.
    const auto silent = untilBlanked(20000);
    EXPECT_GE(silent, 12400);
    EXPECT_LE(silent, 14500);
    const std::string when = rig.clock.shortTime() + " / " + rig.clock.shortDate();

    for (const char* cell :
         {"Label31", "Label32", "Label33", "Label34", "Label35", "Label39", "Label40", "Label41"}) {
        EXPECT_EQ(caption(std::string("Log.") + cell + "(0)"), "---") << cell;
    }
    EXPECT_EQ(caption("Log.Label29(0)"), "5");  // phase and step stay
    EXPECT_EQ(caption("Log.Label11(0)"), "9");
    EXPECT_EQ(caption("Log.Label68"), "---");

    rig.run(5000);  // still lost: nothing is reported twice
    EXPECT_EQ(list4(), std::vector<std::string>{kLoss});
    EXPECT_EQ(histoCount(kLoss), 1);
    EXPECT_EQ(histoCount(std::string("    000    ") + kLoss), 1);
    EXPECT_TRUE(box().visible);
    EXPECT_EQ(rig.control("BoiteDialogue.Label1").caption, "No communication with machine");
    EXPECT_EQ(rig.control("BoiteDialogue.Label2").caption, "         System!");
    EXPECT_EQ(rig.control("BoiteDialogue.Label3").caption, when);

    // Frames come back: the count clears at the next tick, nothing is said.
    talk(1000);
    EXPECT_EQ(le0().LeSilentTicks, 0);
    EXPECT_EQ(le0().LeLinkLost, 0);
    EXPECT_EQ(caption("Log.Label31(0)"), "100");
    EXPECT_EQ(caption("Log.Label68"), "45°C");
    EXPECT_EQ(list4().size(), 1u);
    // Not acknowledged: a second loss is not reported again.
    rig.run(16000);
    EXPECT_EQ(caption("Log.Label31(0)"), "---");
    EXPECT_EQ(list4().size(), 1u);
    EXPECT_EQ(histoCount(kLoss), 1);
}

TEST_F(LinkSupervisionTest, NothingIsCountedWithoutTheAlarmOrForAnEngineNotActivated) {
    struct Case {
        const char* name;
        bool alarm;
        bool activated;
    };
    for (const Case& c : {Case{"alarm off", false, true}, Case{"not activated", true, false}}) {
        SCOPED_TRACE(c.name);
        supervise(c.alarm, c.activated);
        talk(1000);
        rig.run(30000);
        EXPECT_EQ(le0().LeSilentTicks, 0);
        EXPECT_EQ(le0().LeLinkLost, 0);
        EXPECT_EQ(caption("Log.Label31(0)"), "100");
        EXPECT_EQ(caption("Log.Label68"), "45°C");
        EXPECT_TRUE(list4().empty());
        EXPECT_EQ(histoCount("No communication"), 0);
        EXPECT_FALSE(box().visible);
    }
}

TEST_F(LinkSupervisionTest, OkOnTheBoxRestartsTheCountOfALinkStillDown) {
    talk(1000);
    untilBlanked(20000);
    rig.click("BoiteDialogue.Command1");
    EXPECT_FALSE(box().visible);
    EXPECT_EQ(le0().LeSilentTicks, 0);
    EXPECT_EQ(le0().LeLinkLossLogged, 0);
    EXPECT_EQ(le0().LeLinkLost, 1);

    const auto from = rig.scheduler.now();
    ASSERT_TRUE(rig.runUntil([&] { return list4().size() == 2; }, 20000));
    const auto again = rig.scheduler.now() - from;
    EXPECT_GE(again, 12500);
    EXPECT_LE(again, 13000);
    EXPECT_EQ(histoCount(kLoss), 2);
    EXPECT_TRUE(box().visible);
}

TEST_F(LinkSupervisionTest, DetailAreaAndIoViewFollowTheSelectedEngine) {
    auto& tests = rig.program->forms().create("TestsMateriel");
    for (const char* name : {"Label4", "Label5", "Label6"}) {
        tests.add(forms::Kind::Label, name).caption = "old";
    }
    tests.load();

    auto f = lit();
    f[11] = 255;  // no SHT sensor: its line leaves the view
    f[27] = 50;
    f[28] = 1;  // a fan that is not running shows no speed
    rig.control("Log.Picture22").visible = true;
    send(f);
    rig.run(LinkSupervision::kTickMs);

    EXPECT_EQ(caption("Log.Label7"), "Ph = 5");
    EXPECT_EQ(caption("Log.Label5"), "Step = 9");
    EXPECT_EQ(rig.control("TestsMateriel.Label4").caption, "M  =  1500 tr/min");
    EXPECT_EQ(rig.control("TestsMateriel.Label5").caption, "");
    EXPECT_EQ(rig.control("TestsMateriel.Label6").caption, "");

    auto* panel = dynamic_cast<MemorySurface*>(rig.control("Log.Picture22").surface);
    ASSERT_NE(panel, nullptr);
    const auto& texts = panel->texts();
    ASSERT_EQ(texts.size(), 31u);
    EXPECT_EQ(texts[0].text, " 00   000   Index - Selection bank (0,1,2)      ");
    EXPECT_EQ(texts[0].colour, colours::kWhite);
    EXPECT_EQ(texts[11].text, " 12   100   AD0-0 LPC (PMS) ");
    EXPECT_GT(texts[11].y, texts[10].y);
}

TEST_F(LinkSupervisionTest, ThermometerShowsTheChosenTemperature) {
    struct Case {
        const char* selector;
        int sht;
        const char* label;
        bool bar;
    };
    const Case cases[] = {
        {"Log.Label72", 31, "45°C", true},
        {"Log.Label75", 31, "31°C", true},
        {"Log.Label75", 255, "---", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.selector) + " " + std::to_string(c.sht));
        rig.click(c.selector);
        auto f = lit();
        f[11] = c.sht;
        send(f);
        rig.run(LinkSupervision::kTickMs);
        EXPECT_EQ(caption("Log.Label68"), c.label);
        EXPECT_EQ(rig.control(c.selector).back, Colour::rgb(0, 255, 0));
        const Surface& column = *rig.control("Log.Picture1").surface;
        EXPECT_EQ(column.pixel(3, 250) == Colour::rgb(0, 255, 255), c.bar);
        EXPECT_EQ(column.pixel(0, 100), colours::kBlack);  // the outline
    }
}

}  // namespace
}  // namespace lec::test
