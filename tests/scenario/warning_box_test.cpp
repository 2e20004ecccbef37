#include <gtest/gtest.h>

#include <string>

#include "records/warning_box.h"
#include "support/rig.h"

namespace lec::test {
namespace {

constexpr Colour kGrey{0x00C0C0C0u};
constexpr Colour kRed{0x000000FFu};

class WarningBoxTest : public ::testing::Test {
protected:
    WarningBoxTest() { rig_.run(200); }
    WarningBox& box() { return rig_.program->warningBox(); }
    forms::Form& form() { return rig_.form("BoiteDialogue"); }
    std::string line(int n) {
        return rig_.control("BoiteDialogue.Label" + std::to_string(n)).caption;
    }
    // The frame's colour, the same on all four lines.
    Colour frame() {
        const Colour c = rig_.control("BoiteDialogue.Line1").back;
        for (const char* l : {"Line2", "Line3", "Line4"}) {
            EXPECT_EQ(rig_.control(std::string("BoiteDialogue.") + l).back, c) << l;
        }
        return c;
    }
    void alarm(const std::string& label2) {
        rig_.control("BoiteDialogue.Label2").caption = label2;
        box().AffAlarm();
    }

    Rig rig_;
};

TEST_F(WarningBoxTest, AnAlarmShowsTheBoxOnTopWithTimeAndDateAndItsFrameBlinks) {
    rig_.run(4800);  // 09:30:05
    alarm("LE3 LFC");
    EXPECT_TRUE(form().visible);
    EXPECT_FALSE(form().modal);
    EXPECT_TRUE(form().alwaysOnTop);
    EXPECT_EQ(form().caption, " Warning !");
    EXPECT_EQ(line(1), "Alarm");
    EXPECT_EQ(line(2), "LE3 LFC");
    EXPECT_EQ(line(3), "09:30:05 / 11.12.2026");
    EXPECT_EQ(rig_.control("BoiteDialogue.Label1").fore, kRed);
    EXPECT_TRUE(rig_.control("BoiteDialogue.Label1").font.bold);

    EXPECT_EQ(frame(), kGrey);
    for (int period = 0; period < 3; ++period) {
        rig_.run(499);
        EXPECT_EQ(frame(), kGrey);
        rig_.run(1);
        EXPECT_EQ(frame(), kRed);
        rig_.run(500);
        EXPECT_EQ(frame(), kGrey);
    }
}

TEST_F(WarningBoxTest, ASecondAlarmOverwritesTheOneBoxAndOkClosesIt) {
    alarm("LE1 SHT (FADEC and PC)");
    rig_.run(1000);
    alarm("LE2 QTH-Lamp");
    EXPECT_EQ(line(2), "LE2 QTH-Lamp");
    EXPECT_EQ(line(3), "09:30:01 / 11.12.2026");

    rig_.click("BoiteDialogue.Command1");
    EXPECT_FALSE(form().visible);
    EXPECT_FALSE(form().loaded);
    EXPECT_FALSE(form().timer("Timer1")->running());
    EXPECT_FALSE(form().timer("Timer2")->running());

    alarm("LE4 LFC");
    EXPECT_TRUE(form().visible);
    EXPECT_EQ(line(2), "LE4 LFC");
    rig_.run(500);
    EXPECT_EQ(frame(), kRed);
}

TEST_F(WarningBoxTest, OkOnALinkLossRestartsTheLossDetectionOfEveryEngine) {
    auto& channels = rig_.program->channels();
    const auto lose = [&] {
        for (int i = 0; i < kLeCount; ++i) {
            auto& le = channels.le[static_cast<std::size_t>(i)];
            le.LeSilentTicks = 25;
            le.LeLinkLost = 1;
            le.LeLinkLossLogged = 1;
        }
    };

    lose();
    alarm("LE1 LFC");
    rig_.click("BoiteDialogue.\"OK\"");
    EXPECT_EQ(channels.le[0].LeSilentTicks, 25);  // an alarm's OK leaves the links alone
    EXPECT_EQ(channels.le[0].LeLinkLossLogged, 1);

    box().show(WarningBox::kLinkLoss, "         System!", "09:30:00 / 11.12.2026");
    EXPECT_EQ(line(1), "No communication with machine");
    rig_.click("BoiteDialogue.Command1");
    for (int i = 0; i < kLeCount; ++i) {
        const auto& le = channels.le[static_cast<std::size_t>(i)];
        EXPECT_EQ(le.LeSilentTicks, 0) << i;
        EXPECT_EQ(le.LeLinkLossLogged, 0) << i;
        EXPECT_EQ(le.LeLinkLost, 1) << i;  // lost until a tick sees the link again
    }
    EXPECT_FALSE(form().visible);
}

TEST_F(WarningBoxTest, OpeningMovesTheParameterEditorOutOfTheWay) {
    auto& forms = rig_.program->forms();
    auto& parameters = forms.find("FadecParameters") ? *forms.find("FadecParameters")
                                                     : forms.create("FadecParameters");
    auto& input = forms.find("Saisie") ? *forms.find("Saisie") : forms.create("Saisie");
    parameters.show();
    input.show(/*asModal=*/true);

    alarm("LE1 LFC");
    EXPECT_FALSE(input.loaded);
    EXPECT_FALSE(parameters.visible);
    EXPECT_TRUE(parameters.loaded);  // hidden, not closed

    // A box already open does not do it again.
    parameters.show();
    alarm("LE2 LFC");
    EXPECT_TRUE(parameters.visible);
}

}  // namespace
}  // namespace lec::test
