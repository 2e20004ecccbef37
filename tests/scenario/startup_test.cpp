#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "core/startup.h"
#include "platform/text_file.h"
#include "support/rig.h"

namespace lec::test {
namespace {

namespace fs = std::filesystem;

// Every file of the application and system folders with its bytes.
std::map<std::string, std::string> snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
        const std::string rel = fs::relative(e.path(), folder).string();
        files[rel] =
            e.is_directory() ? "<folder>" : textfile::readAll(e.path().string()).value_or("");
    }
    return files;
}

std::string crlf(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

TEST(Startup, FirstStartCreatesEveryFileWithItsDefaultsAndASecondStartChangesNothing) {
    std::map<std::string, std::string> first;
    std::string appFolder;
    {
        Rig rig;
        rig.run(200);
        appFolder = rig.folder_.path();
        first = snapshot(appFolder);
        for (const char* folder : Startup::kDataFolders) {
            EXPECT_EQ(first[folder], "<folder>") << folder;
        }
        EXPECT_EQ(first["ConsignePW.ini"], crlf({"50", "50", "50", "50", "50", "50"}));
        EXPECT_EQ(first["Consigne.ini"], " 220 \r\n");
        std::string ports;
        for (int i = 0; i < 12; ++i) {
            ports += "\"0\"\r\n";
        }
        EXPECT_EQ(first["ParamComx.ini"], ports);
        EXPECT_EQ(first["CocheSelect.ini"], "1\r\n");
        EXPECT_EQ(first["Histo.txt"], "");
        EXPECT_EQ(first.count("ParamLogStart.ini"), 1u);
        EXPECT_EQ(textfile::readAll(rig.systemFolder_.path() + "/Name.inc"),
                  "\"bluewing\"\r\n\"harbour\"\r\n");
        const auto perms = fs::status(rig.systemFolder_.path() + "/Name.inc").permissions();
        EXPECT_EQ(perms & (fs::perms::group_all | fs::perms::others_all), fs::perms::none);
        for (const auto& f : startup_files::kStartupFiles) {
            if (!f.inSystemFolder) {
                EXPECT_EQ(first.count(std::string(f.name)), 1u) << f.name;
            }
        }
        // The settings and power set-points are the defaults.
        EXPECT_EQ(rig.program->settings().settings(), SoftwareSettings{});
        EXPECT_EQ(rig.program->channels().PowerSetFile[5], 50);
    }
    // A second start in the same folder.
    Rig::Options again;
    again.prepare = [&](const std::string& folder) {
        for (const auto& [name, bytes] : first) {
            const std::string path = folder + "/" + name;
            if (bytes == "<folder>") {
                fs::create_directories(path);
            } else {
                textfile::writeAll(path, bytes);
            }
        }
    };
    Rig rig(again);
    rig.run(5000);
    EXPECT_EQ(snapshot(rig.folder_.path()), first);
}

TEST(Startup, TheMainWindowGetsItsTitleAndSizeAndConnectIsEnabledThreeSecondsLater) {
    Rig rig;
    auto& log = rig.form("Log");
    auto& connect = rig.control("Log.ActiveDesactiveRS232");
    EXPECT_EQ(log.caption, "  Kelvan Light Engine Control (RS232)");
    EXPECT_EQ(connect.caption, "Please Wait");
    EXPECT_FALSE(connect.enabled);

    rig.run(100);
    EXPECT_EQ(log.caption, "  RZ Optic - Light Engine Control (RS232)     (PC version  1.08G)");
    EXPECT_EQ(rig.program->channels().ProgramVersion, " 1.08G");
    EXPECT_EQ(rig.control("Log.Label66").caption, "Selected LE = ?");
    EXPECT_EQ(rig.control("Log.Label15(5)").caption, "500 We");
    EXPECT_TRUE(rig.control("Log.mnuFunctions").visible);

    rig.run(2999);
    EXPECT_FALSE(connect.enabled);
    rig.run(1);
    EXPECT_TRUE(connect.enabled);
    EXPECT_EQ(rig.dump("Log.ActiveDesactiveRS232"),
              "Log.ActiveDesactiveRS232 button caption=\"Connect/Disconnect\" visible=1 enabled=1 "
              "fore=&H80000012& back=&H004DFF6B& left=120 top=120 width=2055 height=375\n");
    const auto head = rig.dump("Log").substr(0, rig.dump("Log").find('\n'));
    EXPECT_EQ(head,
              "Log form caption=\"  RZ Optic - Light Engine Control (RS232)     (PC version  "
              "1.08G)\" visible=1 width=12900 height=10920");
}

TEST(Startup, QuitAsksFirstAndNoLeavesEverythingRunning) {
    Rig rig;
    rig.run(1000);
    const auto result = rig.runScript("click Log.mnuQuit\nanswer No\n");
    EXPECT_EQ(result.err, "");
    ASSERT_EQ(rig.dialogs.history().size(), 1u);
    EXPECT_EQ(boxLine(rig.dialogs.history()[0]),
              "box \" Warning!\" \"Are you sure you want to exit the program!\" [Yes No]");
    EXPECT_EQ(rig.quitStatus(), std::nullopt);
    rig.run(3000);
    EXPECT_TRUE(rig.control("Log.ActiveDesactiveRS232").enabled);  // Timer62 still ran

    rig.click("Log.mnuQuit");
    rig.answer(BoxButton::Yes);
    EXPECT_EQ(rig.quitStatus(), 0);
    EXPECT_FALSE(rig.form("Log").visible);
}

TEST(Startup, QuitStopsTheMainWindowTimersAndClosesTheOtherWindows) {
    Rig rig;
    rig.run(50);  // Timer1 still pending
    auto& confirmation = rig.form("OKTransfert");
    confirmation.show();
    rig.click("Log.mnuQuit");
    rig.answer(BoxButton::Yes);
    EXPECT_FALSE(rig.form("Log").timer("Timer1")->running());
    EXPECT_FALSE(confirmation.loaded);
    EXPECT_EQ(rig.quitStatus(), 0);
}

TEST(Startup, TheConfirmationShowsTheMessageForTwoSecondsThenSetsTransferDone) {
    Rig rig;
    rig.run(200);
    auto& channels = rig.program->channels();
    channels.TransferMessage = "Backup completed successfully ! ";
    channels.TransferDone = 0;
    auto& log = rig.form("Log");
    log.timer("Timer44")->start();
    rig.run(199);
    auto& window = rig.form("OKTransfert");
    EXPECT_FALSE(window.visible);
    rig.run(1);
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(window.modal);
    EXPECT_EQ(window.caption, " Warning !");
    EXPECT_EQ(rig.control("OKTransfert.Label1").caption, "Backup completed successfully ! ");
    rig.close("OKTransfert");  // the user cannot close it
    EXPECT_TRUE(window.visible);

    rig.run(1999);
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(channels.TransferDone, 0);
    rig.run(1);
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(channels.TransferDone, 1);
    EXPECT_FALSE(log.timer("Timer44")->running());
    EXPECT_FALSE(log.timer("Timer45")->running());
}

TEST(Startup, AnUnreadableEarlyFileIsKeptAsBadAndReplacedByItsDefaults) {
    Rig::Options options;
    options.prepare = [](const std::string& folder) {
        textfile::writeLines(folder + "/ConsignePW.ini", {"80", "lots"});
    };
    Rig rig(options);
    rig.run(200);
    EXPECT_EQ(rig.fileBytes("ConsignePW.ini.bad"), "80\r\nlots\r\n");
    EXPECT_EQ(rig.fileBytes("ConsignePW.ini"), crlf({"50", "50", "50", "50", "50", "50"}));
    EXPECT_EQ(rig.program->channels().PowerSetFile[0], 50);
    ASSERT_EQ(rig.dialogs.openBoxes().size(), 1u);
    EXPECT_NE(rig.dialogs.openBoxes()[0].text.find("ConsignePW.ini"), std::string::npos);
    EXPECT_NE(rig.fileBytes("Histo.txt").find("ConsignePW.ini could not be read"),
              std::string::npos);
    // The start-up went on to the end.
    rig.run(3000);
    EXPECT_TRUE(rig.control("Log.ActiveDesactiveRS232").enabled);
}

TEST(Startup, ALaterFileThatCannotBeReadIsLeftAloneAndChangesNothing) {
    Rig::Options options;
    options.prepare = [](const std::string& folder) {
        textfile::writeLines(folder + "/CocheSelect.ini", {"maybe"});
        auto lines = settings_file::defaultLines();
        lines[0] = "1";
        lines[1] = "x";  // the second reading stops here
        lines[2] = "1";
        textfile::writeLines(folder + "/ParamLogStart.ini", lines);
    };
    Rig rig(options);
    rig.run(200);
    EXPECT_EQ(rig.fileBytes("CocheSelect.ini"), "maybe\r\n");
    EXPECT_FALSE(rig.hasFile("CocheSelect.ini.bad"));
    EXPECT_TRUE(rig.dialogs.openBoxes().empty());
    const auto& s = rig.program->settings().settings();
    EXPECT_EQ(s.CoefficientView, 1);
    EXPECT_EQ(s.LeActivated[0], 1);
    // The settings window's reading (at load) skipped the bad line and took
    // line 3; the start-up's second reading stopped before it, which leaves
    // what the first reading set.
    EXPECT_EQ(s.LeActivated[2], 1);
}

TEST(Startup, WithTheStartPasswordTheMaintenanceCommandsAreLockedUntilAPortOpens) {
    Rig::Options options;
    options.prepare = [](const std::string& folder) {
        auto lines = settings_file::defaultLines();
        lines[20] = "1";  // " Password (Program Start) "
        textfile::writeLines(folder + "/ParamLogStart.ini", lines);
    };
    Rig rig(options);
    rig.run(200);
    EXPECT_TRUE(rig.program->startup().passwordAwaited());
    for (const char* entry : {"Log.mnuParameterVB", "Log.mnuCodeError", "Log.mnuhisto"}) {
        EXPECT_FALSE(rig.control(entry).enabled) << entry;
    }

    Rig plain;
    plain.run(200);
    EXPECT_FALSE(plain.program->startup().passwordAwaited());
    EXPECT_TRUE(plain.control("Log.mnuhisto").enabled);
}

}  // namespace
}  // namespace lec::test
