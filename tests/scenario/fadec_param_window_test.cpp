#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>

#include "core/startup_files.h"
#include "maintenance/fadec_param_table.h"
#include "maintenance/fadec_param_window.h"
#include "platform/text_file.h"
#include "scenario/link_fixture.h"

namespace lec::test {
namespace {

constexpr Colour kTitleEven = Colour::rgb(255, 255, 128);
constexpr Colour kTitleOdd = Colour::rgb(224, 224, 224);
constexpr Colour kEditing = Colour::rgb(255, 128, 0);

const char* const kActionButtons[] = {"ReadConfig", "WriteConfig",  "ParamDefault",
                                      "ParamZero",  "ReadParamHdd", "WriteConfHdd"};

std::string valueAddress(int row) {
    return "FadecParameters.Label59(" + std::to_string(32 + row) + ")";
}
std::string titleAddress(int row) {
    return "FadecParameters.Label61(" + std::to_string(row) + ")";
}

// The window, its dialog and the message boxes, as a user meets them; LE-1 on
// COM1 with a FADEC end that writes frames and keeps the answers.
class FadecParamWindowTest : public ::testing::Test, public LinkFixture {
protected:
    // The FADEC answers at once, so the port test two seconds after the
    // activation leaves COM1 open (and the FADEC menu commands enabled).
    void SetUp() override {
        send(idle());
        rig.run(2100);
        received.clear();
    }

    FadecParamWindow& window() { return rig.program->fadecParamWindow(); }

    // What the engine selection on the main window does to this window.
    void select(int le) {
        channels().SelectedLe = static_cast<Byte>(le);
        window().selectionChanged();
    }
    void openWindow() {
        rig.click("Log.mnuFadecParameters");
        rig.run(300);  // the buttons follow the selection on the next tick
    }
    void openSelected(int le = 1) {
        select(le);
        openWindow();
    }

    std::string value(int row) { return caption(valueAddress(row)); }
    std::string lastMessage() {
        const auto& history = rig.dialogs.history();
        return history.empty() ? std::string() : history.back().text;
    }
    std::size_t messages() { return rig.dialogs.history().size(); }
    void dismissMessages() {
        while (!rig.dialogs.openBoxes().empty()) {
            rig.answer(BoxButton::Ok);
        }
    }

    // Opens the dialog on `row`, types `entry` (nothing when empty) and
    // presses OK.
    void enter(int row, const std::string& entry) {
        rig.click(titleAddress(row));
        if (!entry.empty()) {
            rig.set("Saisie.Text1", entry);
        }
        rig.click("Saisie.ValidationSaisie");
    }
    bool dialogOpen() { return rig.form("Saisie").visible; }

    // Phase 0, ready for a command frame.
    static StatusFields idle() {
        StatusFields f{};
        f[30] = 123;
        return f;
    }
    int sentSlot(int k) { return byteAt(answers().back(), k); }
};

TEST_F(FadecParamWindowTest, WithNoEngineSelectedOnlyQuitCanBeUsedAndTheValuesAreZero) {
    EXPECT_EQ(value(18), "50") << "the start-up shows ParamSt.ini";
    openWindow();
    const auto& form = rig.form("FadecParameters");
    EXPECT_TRUE(form.visible);
    EXPECT_EQ(form.caption, " FADEC Parameters");
    EXPECT_EQ(caption("FadecParameters.Label64"), "");
    for (const char* button : kActionButtons) {
        EXPECT_FALSE(rig.control(std::string("FadecParameters.") + button).enabled) << button;
    }
    EXPECT_TRUE(rig.control("FadecParameters.CDMQuitter").enabled);
    for (int row = 0; row < 32; ++row) {
        EXPECT_EQ(value(row), "0") << "row " << row;
    }
    // The rows as they read, with their fixed numbers and alternating colours.
    EXPECT_EQ(caption("FadecParameters.Label61(18)"), "z1 Generator Start Delay");
    EXPECT_EQ(caption("FadecParameters.Label58(32)"), "32");
    EXPECT_EQ(caption("FadecParameters.Label58(63)"), "63");
    EXPECT_EQ(rig.control(titleAddress(4)).back, kTitleEven);
    EXPECT_EQ(rig.control(titleAddress(5)).back, kTitleOdd);
    EXPECT_LT(rig.control(valueAddress(31)).top, rig.control(valueAddress(0)).top)
        << "parameter 63 on the top line";

    select(1);
    EXPECT_EQ(caption("FadecParameters.Label64"), "Selected LE : 1");
    rig.run(300);
    for (const char* button : kActionButtons) {
        EXPECT_TRUE(rig.control(std::string("FadecParameters.") + button).enabled) << button;
    }
}

TEST_F(FadecParamWindowTest, OpeningTakesTheEngineMarkedOnTheMainWindowAndKeepsItsValues) {
    rig.control("Log.Label26(2)").back = Colour::rgb(91, 255, 0);
    openWindow();
    EXPECT_EQ(channels().SelectedLe, 3);
    EXPECT_EQ(caption("FadecParameters.Label64"), "Selected LE : 3");
    EXPECT_EQ(value(18), "50");

    // Quit and the close box only hide it: the values are there next time.
    enter(18, "77");
    rig.click("FadecParameters.CDMQuitter");
    EXPECT_FALSE(rig.form("FadecParameters").visible);
    openWindow();
    rig.close("FadecParameters");
    EXPECT_FALSE(rig.form("FadecParameters").visible);
    openWindow();
    EXPECT_EQ(value(18), "77");
}

TEST_F(FadecParamWindowTest, ItDoesNotOpenWhileTheSelectedEngineIsNotInPhase0) {
    send(lit());
    ASSERT_EQ(le0().LePhase, 5);
    rig.click("Log.mnuFadecParameters");
    EXPECT_EQ(lastMessage(), "LE is not in phase 0 ");
    EXPECT_EQ(rig.dialogs.history().back().title, " Warning!");
    EXPECT_FALSE(rig.form("FadecParameters").visible);
}

TEST_F(FadecParamWindowTest, EntriesAreCheckedAgainstDigitsAndTheRowsMinAndMax) {
    struct Case {
        int row;
        std::string entry;
        std::string refusal;  // empty: accepted
        std::string shown;    // the row's value afterwards
    };
    const std::string digits = "Input error, use number 0-9";
    const std::string range = "Input error, Value < Min or > Max ";
    // Defaults: row 18 "50" (Min 50, Max 180), row 12 "0" (0..255), row 22
    // "0" (1..255).
    const Case cases[] = {
        {18, "12a", digits, "50"}, {18, "0", range, "50"}, {18, "181", range, "50"},
        {18, "180", "", "180"},    {18, "50", "", "50"},   {18, "60", "", "60"},
        {18, "060", "", "060"},    {18, "", "", "50"},     {12, "255", "", "255"},
        {12, "256", range, "0"},   {22, "0", range, "0"},  {22, "", range, "0"},
    };
    openSelected();
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row) + " entry \"" + c.entry + "\"");
        rig.click("FadecParameters.ParamDefault");
        const std::size_t before = messages();
        enter(c.row, c.entry);
        if (c.refusal.empty()) {
            EXPECT_EQ(messages(), before);
            EXPECT_FALSE(dialogOpen());
        } else {
            EXPECT_EQ(lastMessage(), c.refusal);
            EXPECT_TRUE(dialogOpen()) << "the dialog stays for another try";
            dismissMessages();
            rig.click("Saisie.AnnulerSaisie");
        }
        EXPECT_EQ(value(c.row), c.shown);
    }
}

TEST_F(FadecParamWindowTest, TheDialogShowsTheRowItsHintsAndItsEditClass) {
    struct Case {
        int row;
        std::string line;
        std::string min;
        std::string max;
        Colour back;
        bool editable;
    };
    const Case cases[] = {
        {3, "Reg. Hours (DS1307)         ", "BCD 0-9  [0-59]", "BCD 0-5", Colour::rgb(255, 0, 0),
         false},
        {12, "", "0", "255", Colour::rgb(255, 128, 0), true},
        {24, "Deactivated Magn. Temp      ", "35", "55", Colour::rgb(192, 192, 255), true},
    };
    openSelected();
    const auto& window = rig.form("FadecParameters");
    const int windowLeft = (rig.platform.screenWidthTwips - window.width) / 2;
    const int windowTop = (rig.platform.screenHeightTwips - window.height) / 2;
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(c.row));
        rig.click(titleAddress(c.row));
        const auto& dialog = rig.form("Saisie");
        ASSERT_TRUE(dialog.visible);
        EXPECT_TRUE(dialog.modal);
        EXPECT_EQ(channels().EditRow, c.row);
        EXPECT_EQ(channels().SpeedInputMode, 0);
        EXPECT_EQ(rig.control(titleAddress(c.row)).back, kEditing);
        EXPECT_EQ(caption("Saisie.Label1"), c.line);
        EXPECT_EQ(caption("Saisie.Label2"), value(c.row));
        EXPECT_EQ(caption("Saisie.Label3"), c.min);
        EXPECT_EQ(caption("Saisie.Label4"), c.max);
        EXPECT_EQ(dialog.back, c.back);
        for (const char* field : {"Label1", "Label2", "Label3", "Label4", "Text1"}) {
            EXPECT_EQ(rig.control(std::string("Saisie.") + field).enabled, c.editable) << field;
        }
        // A press at x = 0 of the title: 4000 twips right of it, just below
        // the row's top.
        EXPECT_EQ(dialog.left, windowLeft + 4000);
        EXPECT_EQ(dialog.top, windowTop + 8160 - 255 * c.row + 100);
        if (c.editable) {
            rig.set("Saisie.Text1", "7");  // left behind by Cancel
        }
        rig.click("Saisie.AnnulerSaisie");
        EXPECT_FALSE(dialog.visible);
        EXPECT_EQ(rig.control(titleAddress(c.row)).back, c.row % 2 == 0 ? kTitleEven : kTitleOdd);
    }
    rig.click(titleAddress(18));
    EXPECT_EQ(rig.control("Saisie.Text1").text, "") << "every opening starts afresh";
    EXPECT_TRUE(rig.control("Saisie.Text1").enabled);
}

TEST_F(FadecParamWindowTest, TheClockRowsCannotBeChangedThroughTheDialog) {
    openSelected();
    for (int row = 0; row <= 8; ++row) {
        SCOPED_TRACE("row " + std::to_string(row));
        const std::string before = value(row);
        rig.click(titleAddress(row));
        auto& entry = rig.control("Saisie.Text1");
        EXPECT_FALSE(entry.enabled);
        entry.text = "99";  // not typed by anyone, and still not taken
        rig.click("Saisie.ValidationSaisie");
        EXPECT_FALSE(dialogOpen());
        EXPECT_EQ(value(row), before);
    }
}

TEST_F(FadecParamWindowTest, AReadRequestGoesOutOnceAndTheAnswerFillsTheWindow) {
    openSelected();
    rig.click("FadecParameters.ReadConfig");
    EXPECT_EQ(value(18), "0");
    EXPECT_EQ(channels().TransferState, 2);
    send(idle());
    ASSERT_EQ(answers().size(), 1u);
    EXPECT_EQ(sentSlot(0), 2);
    EXPECT_EQ(channels().TransferState, 0);
    send(idle());
    EXPECT_EQ(sentSlot(0), 0) << "the request is sent once";

    StatusFields table{};
    for (int k = 1; k < 32; ++k) {
        table[static_cast<std::size_t>(k)] = 3 * k;
    }
    table[0] = 2;
    send(table);
    for (int k = 0; k < 32; ++k) {
        const int expected = k == 0 ? 2 : 3 * k;
        EXPECT_EQ(value(k), std::to_string(expected)) << "row " << k;
        EXPECT_EQ(channels().LeParam[static_cast<std::size_t>(k)][0], expected) << "row " << k;
    }
    rig.run(300);
    EXPECT_TRUE(rig.form("OKTransfert").visible);
    EXPECT_EQ(caption("OKTransfert.Label1"), "Reading the settings on LE1 went well ! ");
}

TEST_F(FadecParamWindowTest, AWriteSendsTheRowsAsBytesBehindTheWriteCommand) {
    openSelected();
    rig.click("FadecParameters.ParamDefault");
    enter(18, "120");
    auto values = startup_files::defaultParamValues();
    values[18] = "120";
    values[9] = "abc";  // no digits: 0
    values[10] = "12.5";
    window().loadValues(values);

    rig.click("FadecParameters.WriteConfig");
    EXPECT_EQ(channels().TransferState, 1);
    send(idle());
    ASSERT_EQ(answers().size(), 1u);
    EXPECT_EQ(sentSlot(0), 1) << "row 0's place carries the command";
    for (int k = 1; k < 32; ++k) {
        int expected = fadec_param::kTable[static_cast<std::size_t>(k)].defaultValue;
        if (k == 18) {
            expected = 120;
        } else if (k == 9) {
            expected = 0;
        } else if (k == 10) {
            expected = 12;
        }
        EXPECT_EQ(sentSlot(k), expected) << "slot " << k;
        EXPECT_EQ(channels().LeParam[static_cast<std::size_t>(k)][0], expected) << "slot " << k;
    }
    EXPECT_EQ(channels().TransferState, 0);
    rig.run(300);
    EXPECT_EQ(caption("OKTransfert.Label1"), "Backup completed successfully ! ");
}

TEST_F(FadecParamWindowTest, AValueNoByteCanCarryStopsTheWholeWrite) {
    openSelected();
    auto values = startup_files::defaultParamValues();
    values[3] = "300";  // as a hand-edited ParamSt.ini can hold it
    window().loadValues(values);

    rig.click("FadecParameters.WriteConfig");
    send(idle());
    rig.run(500);
    EXPECT_TRUE(answers().empty());
    EXPECT_EQ(channels().TransferState, 0);
    EXPECT_EQ(lastMessage(),
              "Parameter 35 (Reg. Hours (DS1307)) = 300 does not fit in one byte (0-255): nothing "
              "was written to LE1 ");
    EXPECT_NE(channels().TransferMessage, "Backup completed successfully ! ");
    EXPECT_FALSE(rig.form("OKTransfert").visible);
    EXPECT_EQ(channels().LeParam[18][0], 0) << "nothing taken as written";

    send(idle());
    ASSERT_EQ(answers().size(), 1u);
    EXPECT_EQ(sentSlot(0), 0) << "the write is dropped, not retried";
}

TEST_F(FadecParamWindowTest, ATransferNeedsTheSelectedEnginesPortOpen) {
    for (const char* button : {"ReadConfig", "WriteConfig"}) {
        SCOPED_TRACE(button);
        openSelected(2);  // only COM1 (LE-1) is open
        rig.click(std::string("FadecParameters.") + button);
        EXPECT_EQ(lastMessage(), "The Port Com2 is not activated ! ");
        EXPECT_EQ(rig.dialogs.history().back().title, " Warning ! ");
        EXPECT_EQ(channels().TransferState, 0);
        dismissMessages();
    }
}

TEST_F(FadecParamWindowTest, MotorSpeedEntriesOutside1000To4000AreRefused) {
    auto& speedSet = le0().LeMotorSpeedSet;
    speedSet = 55;
    window().openSpeedEntry();
    EXPECT_EQ(caption("Saisie.Label1"), "By not 100");
    EXPECT_EQ(caption("Saisie.Label2"), "3500") << "row 24 (35) x 100";
    EXPECT_EQ(caption("Saisie.Label3"), "1000");
    EXPECT_EQ(caption("Saisie.Label4"), "4000");
    EXPECT_EQ(channels().SpeedInputMode, 1);
    rig.click("Saisie.AnnulerSaisie");
    EXPECT_EQ(speedSet, 0) << "no speed accepted yet";

    struct Case {
        std::string entry;
        std::string refusal;
        int speedSet;  // after the dialog closed
    };
    const std::string range = "Standard input, 1000-4000 RPM ";
    const Case cases[] = {
        {"999", range, 0}, {"4001", range, 0}, {"12a", "Input error, use number 0-9", 0},
        {"3000", "", 100}, {"1000", "", 33},   {"4000", "", 133},
        {"", "", 116},  // the offered 3500
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("entry \"" + c.entry + "\"");
        window().openSpeedEntry();
        const std::size_t before = messages();
        if (!c.entry.empty()) {
            rig.set("Saisie.Text1", c.entry);
        }
        rig.click("Saisie.ValidationSaisie");
        if (c.refusal.empty()) {
            EXPECT_EQ(messages(), before);
            EXPECT_FALSE(dialogOpen());
        } else {
            EXPECT_EQ(lastMessage(), c.refusal);
            EXPECT_TRUE(dialogOpen());
            dismissMessages();
            rig.click("Saisie.AnnulerSaisie");
        }
        EXPECT_EQ(speedSet, c.speedSet);
    }
    EXPECT_EQ(channels().MotorSpeedRpm, 3500);
    window().openSpeedEntry();
    rig.click("Saisie.AnnulerSaisie");
    EXPECT_EQ(speedSet, 116) << "Cancel keeps the last accepted speed";
}

TEST_F(FadecParamWindowTest, ReadingTheDiskCopyKeepsWhatItHoldsAndSaysWhatIsMissing) {
    struct Case {
        std::optional<std::string> file;  // nullopt: no file
        int rowsRead;
        std::string message;  // empty: none
    };
    const Case cases[] = {
        {std::nullopt, 0, "ParamSt.ini cannot be read: all 32 values were set to 0 "},
        {"", 0, "ParamSt.ini holds 0 of the 32 values: parameters 32 to 63 were set to 0 "},
        {"5\r\n6\r\n7\r\n", 3,
         "ParamSt.ini holds 3 of the 32 values: parameters 35 to 63 were set to 0 "},
    };
    openSelected();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        std::remove(rig.path("ParamSt.ini").c_str());
        if (c.file) {
            ASSERT_TRUE(textfile::writeAll(rig.path("ParamSt.ini"), *c.file));
        }
        rig.click("FadecParameters.ParamDefault");
        rig.click("FadecParameters.ReadParamHdd");
        for (int row = 0; row < 32; ++row) {
            EXPECT_EQ(value(row), row < c.rowsRead ? std::to_string(5 + row) : "0") << row;
        }
        EXPECT_EQ(lastMessage(), c.message);
        dismissMessages();
    }
}

// The disk copy at start-up and through the two disk buttons.
TEST(FadecParamWindowFiles, TheLastGroupOf32ValuesWinsAndStoringWritesOneValueALine) {
    std::string sixtyFour;
    for (int i = 0; i < 64; ++i) {
        sixtyFour += std::to_string(i) + "\r\n";
    }
    Rig rig({.prepare = [&](const std::string& folder) {
        ASSERT_TRUE(textfile::writeAll(textfile::join(folder, "ParamSt.ini"), sixtyFour));
    }});
    rig.run(200);
    auto value = [&](int row) { return rig.control(valueAddress(row)).caption; };
    for (int row = 0; row < 32; ++row) {
        EXPECT_EQ(value(row), std::to_string(32 + row)) << "row " << row;
    }

    auto& program = *rig.program;
    program.channels().SelectedLe = 1;
    program.fadecParamWindow().selectionChanged();
    program.fadecParamWindow().open();
    rig.run(300);
    rig.click("FadecParameters.ReadParamHdd");
    EXPECT_EQ(value(0), "32");
    EXPECT_EQ(value(31), "63");
    EXPECT_TRUE(rig.dialogs.history().empty());

    rig.click("FadecParameters.ParamDefault");
    rig.click("FadecParameters.WriteConfHdd");
    std::string defaults;
    for (const auto& text : startup_files::defaultParamValues()) {
        defaults += text + "\r\n";
    }
    EXPECT_EQ(rig.fileBytes("ParamSt.ini"), defaults);
}

TEST(FadecParamWindowFiles, WithoutADiskCopyTheDefaultsAreShownAndStored) {
    Rig rig;
    rig.run(200);
    for (int row = 0; row < 32; ++row) {
        EXPECT_EQ(rig.control(valueAddress(row)).caption, fadec_param::defaultText(row));
    }
    EXPECT_TRUE(rig.hasFile("ParamSt.ini"));
}

}  // namespace
}  // namespace lec::test
