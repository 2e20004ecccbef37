#include "core/settings_store.h"

#include <gtest/gtest.h>

#include "platform/text_file.h"
#include "support/temp_folder.h"

namespace lec {
namespace {

using settings_file::BadLine;

class SettingsStoreTest : public ::testing::Test {
protected:
    void writeMain(const std::vector<std::string>& lines) {
        ASSERT_TRUE(textfile::writeLines(folder.file(settings_file::kMain), lines));
    }
    test::TempFolder folder;
    SettingsStore store{folder.path()};
};

TEST_F(SettingsStoreTest, DefaultFileHoldsTheDefaultsAsBareDigits) {
    const auto lines = settings_file::defaultLines();
    ASSERT_EQ(lines.size(), 51u);
    EXPECT_EQ(lines[25], "1");          // minutes before the return to the user level
    EXPECT_EQ(lines[36], "Calderway");  // customer name
    EXPECT_EQ(lines[37], "255");
    EXPECT_EQ(lines[43], "1");  // fan alarm V1
    for (int n : {1, 15, 20, 21, 34, 41, 47, 51}) {
        EXPECT_EQ(lines[static_cast<std::size_t>(n - 1)], "0") << "line " << n;
    }

    writeMain(lines);
    store.settings().CoefficientView = 0;
    store.settings().LeActivated[2] = 1;
    EXPECT_EQ(store.loadMainFile(BadLine::Stop), 0);
    SoftwareSettings expected;
    expected.CoefficientView = 0;  // not in this file
    EXPECT_EQ(store.settings(), expected);
}

TEST_F(SettingsStoreTest, SaveWritesNumbersWithBlanksAndReadsBackTheSameSettings) {
    auto& s = store.settings();
    s.LeActivated = {1, 1, 0, 1, 0, 0};
    s.ShtSupervisedLe = 1;  // LE2
    s.CustomerName = "Smith, Jones & Co";
    s.PanelBackColour = {10, 20, 30};
    s.QthOption = 1;
    s.HideSht = 1;
    s.CoefficientView = 0;
    std::string failed;
    ASSERT_TRUE(store.save(failed));

    const auto lines = *textfile::readLines(folder.file(settings_file::kMain));
    ASSERT_EQ(lines.size(), 51u);
    EXPECT_EQ(lines[0], " 1 ");
    EXPECT_EQ(lines[14], " 0 ");
    EXPECT_EQ(lines[15], " 1 ");  // line 16: LE2 carries the thermometer
    for (int n = 17; n <= 20; ++n) {
        EXPECT_EQ(lines[static_cast<std::size_t>(n - 1)], " 0 ");
    }
    EXPECT_EQ(lines[36], "Smith, Jones & Co");
    for (int n = 47; n <= 51; ++n) {
        EXPECT_EQ(lines[static_cast<std::size_t>(n - 1)], " 1 ");
    }
    EXPECT_EQ(*textfile::readAll(folder.file(settings_file::kCoefficientView)), " 0 \r\n");

    SettingsStore again(folder.path());
    EXPECT_EQ(again.load(), 0);
    EXPECT_EQ(again.settings(), s);
}

TEST_F(SettingsStoreTest, NoEngineReadingOneMeansNotInstalledAndTheLastOneWins) {
    auto lines = settings_file::defaultLines();
    lines[16] = "1";   // LE3
    lines[18] = " 1";  // LE5
    writeMain(lines);
    store.load();
    EXPECT_EQ(store.settings().ShtSupervisedLe, 4);

    writeMain(settings_file::defaultLines());
    store.load();
    EXPECT_EQ(store.settings().ShtSupervisedLe, 6);
}

TEST_F(SettingsStoreTest, AFileCutAfterLine30KeepsTheLaterSettingsInBothModes) {
    auto lines = settings_file::defaultLines();
    lines[0] = "1";
    lines[28] = "1";  // HideIr, line 29
    lines.resize(30);
    writeMain(lines);
    for (BadLine mode : {BadLine::Skip, BadLine::Stop}) {
        SettingsStore cut(folder.path());
        cut.settings().CustomerName = "kept";
        cut.settings().FanAlarmV2 = 0;
        EXPECT_EQ(cut.loadMainFile(mode), 31);
        EXPECT_EQ(cut.settings().LeActivated[0], 1);
        EXPECT_EQ(cut.settings().HideIr, 1);
        EXPECT_EQ(cut.settings().CustomerName, "kept");
        EXPECT_EQ(cut.settings().FanAlarmV2, 0);
    }
}

TEST_F(SettingsStoreTest, ABadLineIsSkippedByTheWindowButEndsTheStartUpReading) {
    auto lines = settings_file::defaultLines();
    lines[20] = "yes";  // StartPassword: a text where a number belongs
    lines[21] = "1";    // MotorRpmControl
    lines[37] = "300";  // a colour component out of range
    lines[38] = "7";
    writeMain(lines);

    SettingsStore window(folder.path());
    EXPECT_EQ(window.loadMainFile(BadLine::Skip), 21);
    EXPECT_EQ(window.settings().MotorRpmControl, 1);
    EXPECT_EQ(window.settings().PanelTextColour, (Rgb{255, 7, 255}));

    SettingsStore startup(folder.path());
    EXPECT_EQ(startup.loadMainFile(BadLine::Stop), 21);
    EXPECT_EQ(startup.settings().MotorRpmControl, 0);
}

TEST_F(SettingsStoreTest, ASaveThatCannotWriteLeavesTheOldFileWhole) {
    writeMain(settings_file::defaultLines());
    const auto before = textfile::readAll(folder.file(settings_file::kMain));
    // CocheSelect.ini is a folder: the second file cannot be replaced.
    ASSERT_TRUE(textfile::ensureFolder(folder.file(settings_file::kCoefficientView)));
    SettingsStore broken(folder.path() + "/no-such-folder");
    std::string failed;
    EXPECT_FALSE(broken.save(failed));
    EXPECT_EQ(failed, settings_file::kMain);
    EXPECT_FALSE(store.save(failed));
    EXPECT_EQ(failed, settings_file::kCoefficientView);
    EXPECT_NE(textfile::readAll(folder.file(settings_file::kMain)),
              before);  // the first went through
}

}  // namespace
}  // namespace lec
