#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/text_file.h"
#include "records/error_codes.h"
#include "support/rig.h"

namespace lec::test {
namespace {

using Lines = std::vector<std::string>;

// A started program whose engines are all running (phase 5).
class ErrorCodesTest : public ::testing::Test {
protected:
    ErrorCodesTest() {
        rig_.run(200);
        for (int i = 0; i < kLeCount; ++i) {
            channels().le[static_cast<std::size_t>(i)].LePhase = 5;
        }
    }
    Channels& channels() { return rig_.program->channels(); }
    ErrorCodes& codes() { return rig_.program->errorCodes(); }
    const Lines& errorList() { return rig_.control("Log.List4").items; }
    Lines histo() { return textfile::readLines(rig_.path("Histo.txt")).value_or(Lines{}); }

    Rig rig_;
};

TEST_F(ErrorCodesTest, ErrorsReadAsTheUserExpectsInTheListAndTheLog) {
    codes().EcrireCodeErreur(4, 0);
    codes().EcrireCodeErreur(18, 0);
    codes().EcrireCodeErreur(7, 1);
    codes().EcrireCodeErreur(3, 1);
    rig_.program->activityLog().WriteHisto(0, "LE2  Off LE ");

    EXPECT_EQ(errorList(),
              (Lines{" Error LE1  V1 - Fan speed too fast", " ------> LE1  Stop activated",
                     " Error LE2  Temp. Magnetron > 50 °C FADEC internal",
                     " Error LE2  V1 - Fan speed too slow"}));
    const std::string when = "  09:30:00    11.12.2026    ";
    EXPECT_EQ(
        histo(),
        (Lines{when + "004    LE1  V1 - Fan speed too fast", when + "018    LE1  Stop activated",
               when + "007    LE2  Temp. Magnetron > 50 °C FADEC internal",
               when + "003    LE2  V1 - Fan speed too slow", when + "000    LE2  Off LE "}));
    EXPECT_EQ(rig_.dump("Log.List4").substr(0, rig_.dump("Log.List4").find('\n')),
              "Log.List4 listbox visible=1 enabled=1 fore=&H000000FF& back=&H00000000& items=4 "
              "left=5640 top=8640 width=4600 height=1800");
}

TEST_F(ErrorCodesTest, AnErrorIsReportedOncePerStartOfItsEngine) {
    for (int frame = 0; frame < 100; ++frame) {
        codes().EcrireCodeErreur(11, 2);
    }
    EXPECT_EQ(errorList(), (Lines{" Error LE3  Startup failed - LE cooling down "}));
    EXPECT_EQ(histo().size(), 1u);
    EXPECT_EQ(codes().ErrorReported(2, 11), 1);

    // Clearing the list brings nothing back.
    codes().eraseList();
    codes().EcrireCodeErreur(11, 2);
    EXPECT_TRUE(errorList().empty());
    EXPECT_EQ(codes().ErrorReported(2, 11), 1);

    // Another engine's start leaves LE3's flags; its own start clears them.
    codes().EcrireCodeErreur(11, 3);
    codes().resetReported(3);
    codes().EcrireCodeErreur(11, 2);
    EXPECT_EQ(errorList().size(), 1u);
    codes().resetReported(2);
    codes().EcrireCodeErreur(11, 2);
    EXPECT_EQ(errorList().size(), 2u);

    codes().resetAllReported();
    for (int le = 0; le < kLeCount; ++le) {
        EXPECT_EQ(codes().ErrorReported(le, 11), 0) << le;
    }
    codes().EcrireCodeErreur(11, 3);
    EXPECT_EQ(errorList().back(), " Error LE4  Startup failed - LE cooling down ");
    EXPECT_EQ(histo().size(), 4u);
}

TEST_F(ErrorCodesTest, StoppedEnginesAndUnknownCodesChangeNothing) {
    channels().le[0].LePhase = 0;
    codes().EcrireCodeErreur(4, 0);
    codes().EcrireCodeErreur(21, 1);
    codes().EcrireCodeErreur(255, 1);
    EXPECT_TRUE(errorList().empty());
    EXPECT_TRUE(histo().empty());
    EXPECT_EQ(codes().ErrorReported(0, 4), 0);  // not flagged: it counts once the engine runs

    channels().le[0].LePhase = 1;
    codes().EcrireCodeErreur(4, 0);
    EXPECT_EQ(errorList(), (Lines{" Error LE1  V1 - Fan speed too fast"}));
}

TEST_F(ErrorCodesTest, TheCodeTableListsCodes0To19WithTheFirstSelected) {
    rig_.click("Log.mnuCodeError");
    auto& window = rig_.form("MessagesError");
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(window.modal);
    EXPECT_EQ(window.caption, " FADEC Error Codes");
    const auto& list = rig_.control("MessagesError.List1");
    ASSERT_EQ(list.listCount(), 20);
    EXPECT_EQ(list.items[0], "\t00\tArret LE");
    EXPECT_EQ(list.items[9], "\t09\tMotor M - speed > 4,000 RPM ");
    EXPECT_EQ(list.items[19], "\t19\tLFC level too low");
    EXPECT_EQ(list.listIndex, 0);
    EXPECT_EQ(list.tabStops, (std::vector<int>{10, 35, 110}));
    EXPECT_EQ(list.back, Colour{0x00FFFFC0u});

    // Opened again after closing, it is filled afresh, not twice.
    rig_.close("MessagesError");
    rig_.click("Log.mnuCodeError");
    EXPECT_EQ(list.listCount(), 20);
}

TEST(ErrorTexts, TheTableHoldsTheTextsExactly) {
    EXPECT_EQ(kFadecErrorTexts[0], "Arret LE");
    EXPECT_EQ(kFadecErrorTexts[9], "Motor M - speed > 4,000 RPM ");
    EXPECT_EQ(kFadecErrorTexts[13], "SBV - Setup Battery Voltage < 1.0 V ");
    EXPECT_EQ(kFadecErrorTexts[18], "Stop activated");
    EXPECT_EQ(kFadecErrorTexts[20], " ");

    Rig rig(Rig::Options{.startProgram = false});
    EXPECT_EQ(rig.program->errorCodes().FadecErrorText(4), "");  // filled by the start-up
    rig.program->start();
    rig.run(100);
    EXPECT_EQ(rig.program->errorCodes().FadecErrorText(4), "V1 - Fan speed too fast");
    EXPECT_EQ(rig.program->errorCodes().FadecErrorText(21), "");
    EXPECT_EQ(rig.program->errorCodes().FadecErrorText(65), "");
}

}  // namespace
}  // namespace lec::test
