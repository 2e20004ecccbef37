#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "link/serial_link.h"
#include "platform/text_file.h"
#include "support/rig.h"

namespace lec::test {
namespace {

// ParamComx.ini as the program writes it: one quoted item a line, CR LF.
std::string portFile(const std::vector<std::string>& items) {
    std::string bytes;
    for (const auto& item : items) {
        bytes += "\"" + item + "\"\r\n";
    }
    return bytes;
}

// The program, 3.1 s after its start (Connect/Disconnect enabled), with
// ParamComx.ini laid out beforehand when `ports` is given, START (RS232)
// visible, and devices plugged into the COM lines listed in `devices`.
class SerialLinkTest : public ::testing::Test {
protected:
    void start(const std::vector<std::string>& ports = {}, const std::vector<int>& devices = {}) {
        Rig::Options options;
        if (!ports.empty()) {
            options.prepare = [ports](const std::string& folder) {
                textfile::writeAll(folder + "/ParamComx.ini", portFile(ports));
            };
        }
        rig = std::make_unique<Rig>(options);
        for (int n : devices) {
            rig->serial.line(n).connectDevice();
        }
        rig->control("Log.ComOperStartRS232").visible = true;
        link().setPortClosedHandler([this](int le) { closed.push_back(le); });
        rig->run(3100);
    }

    SerialLink& link() { return rig->program->serialLink(); }
    LeChannel& le(int i) { return rig->program->channels().le[static_cast<std::size_t>(i)]; }
    bool lineOpen(int n) { return rig->serial.line(n).pcPortOpen(); }
    std::vector<std::string> list3() { return rig->control("Log.List3").items; }

    std::unique_ptr<Rig> rig;
    std::vector<int> closed;  // LE indexes, as the port-closed handler heard them
};

TEST_F(SerialLinkTest, PortNumbersAboveFourteenAreRefusedWithABoxAndBecomeZero) {
    start();
    rig->click("Log.ActiveDesactiveRS232");
    struct Case {
        const char* typed;
        bool refused;
    };
    for (const Case c : {Case{"14", false}, Case{"0", false}, Case{"abc", false}, Case{"15", true},
                         Case{"99", true}}) {
        const std::size_t boxes = rig->dialogs.history().size();
        rig->set("ConfigurationRS232.Text1(3)", c.typed);
        rig->run(100);
        EXPECT_EQ(rig->dialogs.history().size(), boxes + (c.refused ? 1 : 0)) << c.typed;
        EXPECT_EQ(rig->control("ConfigurationRS232.Text1(3)").text, c.refused ? "0" : c.typed);
        if (c.refused) {
            const Box& box = rig->dialogs.history().back();
            EXPECT_EQ(boxLine(box), "box \" Warning! \" \"Port numbers 1 to 14 (max) \" [OK]");
            EXPECT_EQ(box.icon, BoxIcon::Critical);
            rig->answer(BoxButton::Ok);
        }
    }
    // The check goes on after a refusal, and refuses each time.
    rig->run(1000);
    rig->set("ConfigurationRS232.Text1(0)", "15");
    rig->run(100);
    EXPECT_EQ(rig->dialogs.history().size(), 3u);
    EXPECT_EQ(rig->control("ConfigurationRS232.Text1(0)").text, "0");
}

TEST_F(SerialLinkTest, TheWindowShowsTheFileAndOkWritesItAfreshAndAppliesIt) {
    start({"3", "1", "4", "0", "5", "1", "6", "x", "7", "0", "8", "1"}, {3});
    rig->click("Log.ActiveDesactiveRS232");
    auto& window = rig->form("ConfigurationRS232");
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(window.alwaysOnTop);
    EXPECT_EQ(window.caption, " Configurating Ports COMx    ");
    EXPECT_EQ(rig->control("ConfigurationRS232.Check2").caption, "All activated");
    EXPECT_EQ(rig->control("ConfigurationRS232.Text1(2)").text, "5");
    // Ticked only by exactly "1".
    const int ticked[] = {1, 0, 1, 0, 0, 1};
    for (int i = 0; i < kLeCount; ++i) {
        EXPECT_EQ(rig->control("ConfigurationRS232.Check1(" + std::to_string(i) + ")").checked,
                  ticked[i])
            << i;
    }
    for (int i = 0; i < kLeCount; ++i) {
        EXPECT_EQ(le(i).RestCountdown, 60) << "Connect/Disconnect arms every rest countdown";
    }

    rig->set("ConfigurationRS232.Text1(1)", "12");
    rig->check("ConfigurationRS232.Check1(1)", true);
    rig->check("ConfigurationRS232.Check1(5)", false);
    rig->set("ConfigurationRS232.Text1(4)", "");
    rig->click("ConfigurationRS232.Command1");

    EXPECT_EQ(rig->fileBytes("ParamComx.ini"),
              portFile({"3", "1", "12", "1", "5", "1", "6", "0", "", "0", "8", "0"}));
    const auto& channels = rig->program->channels();
    EXPECT_EQ(channels.ComPortNumber[1], "12");
    EXPECT_EQ(channels.ComPortActive[1], "1");
    EXPECT_EQ(channels.ComPortActive[5], "0");
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(window.loaded);
    // OK applies the table at once; only COM3 has a device behind it.
    EXPECT_TRUE(lineOpen(3));
    EXPECT_EQ(le(0).LePortOpen, 1);
    EXPECT_EQ(le(1).LePortOpen, 0);
    EXPECT_EQ(link().LinkStarted(), 0);
    EXPECT_EQ(rig->control("Log.ComOperStartRS232").caption, "START (RS232)");
    EXPECT_TRUE(rig->dialogs.history().empty());
}

TEST_F(SerialLinkTest, AllActivatedTicksOrUnticksTheSixBoxesFiftyMillisecondsLater) {
    start();
    rig->click("Log.ActiveDesactiveRS232");
    rig->check("ConfigurationRS232.Check1(2)", true);
    rig->check("ConfigurationRS232.Check2", true);
    rig->run(49);
    EXPECT_EQ(rig->control("ConfigurationRS232.Check1(0)").checked, 0);
    rig->run(1);
    for (int i = 0; i < kLeCount; ++i) {
        EXPECT_EQ(rig->control("ConfigurationRS232.Check1(" + std::to_string(i) + ")").checked, 1);
    }
    rig->check("ConfigurationRS232.Check2", false);
    rig->run(50);
    for (int i = 0; i < kLeCount; ++i) {
        EXPECT_EQ(rig->control("ConfigurationRS232.Check1(" + std::to_string(i) + ")").checked, 0);
    }
}

TEST_F(SerialLinkTest, AMissingFileLeavesEmptyFieldsAndTheUserLevelCannotChangeNumbers) {
    start();
    std::remove(rig->path("ParamComx.ini").c_str());
    rig->program->channels().AccessLevel = 0;
    rig->click("Log.ActiveDesactiveRS232");
    for (int i = 0; i < kLeCount; ++i) {
        const std::string n = "(" + std::to_string(i) + ")";
        EXPECT_EQ(rig->control("ConfigurationRS232.Text1" + n).text, "");
        EXPECT_FALSE(rig->control("ConfigurationRS232.Text1" + n).enabled);
        EXPECT_EQ(rig->control("ConfigurationRS232.Check1" + n).checked, 0);
        EXPECT_TRUE(rig->control("ConfigurationRS232.Check1" + n).enabled);
    }
}

TEST_F(SerialLinkTest, StartOpensTheActivatedPortsAt19200XonXoffAndStopClosesThem) {
    // LE-3's port is not activated; LE-4's has no device behind it.
    start({"3", "1", "5", "1", "7", "0", "9", "1", "0", "0", "0", "0"}, {3, 5, 7});
    rig->click("Log.ComOperStartRS232");

    EXPECT_TRUE(lineOpen(3));
    EXPECT_TRUE(lineOpen(5));
    EXPECT_FALSE(lineOpen(7));
    EXPECT_FALSE(lineOpen(9));
    SerialSettings expected;
    expected.baud = 19200;
    expected.parity = 'n';
    expected.dataBits = 8;
    expected.stopBits = 1;
    expected.handshake = Handshake::XonXoff;
    expected.rThreshold = 160;
    expected.inputLen = 160;
    expected.sThreshold = 1;
    expected.rtsEnable = false;
    for (int n : {3, 5}) {
        const SerialSettings& seen = rig->serial.line(n).device().pcSettings();
        EXPECT_EQ(std::tie(seen.baud, seen.parity, seen.dataBits, seen.stopBits, seen.handshake,
                           seen.rThreshold, seen.inputLen, seen.sThreshold, seen.rtsEnable),
                  std::tie(expected.baud, expected.parity, expected.dataBits, expected.stopBits,
                           expected.handshake, expected.rThreshold, expected.inputLen,
                           expected.sThreshold, expected.rtsEnable))
            << "COM" << n;
    }
    const Byte open[] = {1, 1, 0, 0, 0, 0};
    for (int i = 0; i < kLeCount; ++i) {
        EXPECT_EQ(le(i).LePortOpen, open[i]) << i;
    }
    EXPECT_EQ(le(0).RestCountdown, 60);
    EXPECT_EQ(link().LinkStarted(), 1);
    EXPECT_EQ(rig->dump("Log.ComOperStartRS232"),
              "Log.ComOperStartRS232 button caption=\"STOP (RS232)\" visible=1 enabled=1 "
              "fore=&H80000012& back=&H00FF8080& left=470 top=500 width=1815 height=495\n");
    EXPECT_EQ(rig->control("Log.ActiveDesactiveRS232").caption, "Disconnect");
    EXPECT_EQ(rig->control("Log.ActiveDesactiveRS232").back, Colour::rgb(128, 128, 255));
    // Written afresh from the unseen window, which read the file.
    EXPECT_EQ(rig->fileBytes("ParamComx.ini"),
              portFile({"3", "1", "5", "1", "7", "0", "9", "1", "0", "0", "0", "0"}));
    EXPECT_FALSE(rig->form("ConfigurationRS232").visible);
    EXPECT_TRUE(rig->dialogs.history().empty()) << "a port that cannot open says nothing";

    for (int i = 0; i < kLeCount; ++i) {
        le(i).LeSynchro = 123;
    }
    rig->click("Log.ComOperStartRS232");
    EXPECT_FALSE(lineOpen(3));
    EXPECT_FALSE(lineOpen(5));
    EXPECT_EQ(closed, (std::vector<int>{0, 1}));
    for (int i = 0; i < kLeCount; ++i) {
        EXPECT_EQ(le(i).LePortOpen, 0) << i;
        EXPECT_EQ(le(i).LeSynchro, 0) << i;
    }
    EXPECT_EQ(link().LinkStarted(), 0);
    EXPECT_EQ(rig->control("Log.ComOperStartRS232").caption, "START (RS232)");
    EXPECT_EQ(rig->control("Log.ComOperStartRS232").back, colours::kButtonFace);
    EXPECT_EQ(rig->control("Log.ActiveDesactiveRS232").caption, "Connect");
    EXPECT_EQ(rig->control("Log.ActiveDesactiveRS232").back, colours::kButtonFace);
    // Nothing reopens them behind the user's back.
    rig->run(60000);
    EXPECT_FALSE(lineOpen(3));
    EXPECT_FALSE(lineOpen(5));
}

TEST_F(SerialLinkTest, StopInThePortTestsPauseKeepsThePortsClosed) {
    start({"3", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, {3});
    rig->click("Log.ComOperStartRS232");
    rig->run(2500);  // cancelled at 2 s, to be reopened at 3 s
    ASSERT_FALSE(lineOpen(3));
    rig->click("Log.ComOperStartRS232");
    rig->run(10000);
    EXPECT_FALSE(lineOpen(3));
    EXPECT_EQ(le(0).LePortOpen, 0);
}

TEST_F(SerialLinkTest, AnUnsynchronisedPortIsReopenedEveryThreeSecondsUntilItsFifteenthRetry) {
    // LE-1 never synchronises, LE-2 does, LE-3 has no device.
    start({"3", "1", "5", "1", "7", "1", "0", "0", "0", "0", "0", "0"}, {3, 5});
    rig->click("Log.ComOperStartRS232");
    le(1).LeSynchro = 123;

    rig->run(1999);
    EXPECT_TRUE(lineOpen(3));
    rig->run(1);
    EXPECT_EQ(list3(), (std::vector<std::string>{
                           " 000   COM(i) = 1   LE-1    <---  ? ",
                           " 123   COM(i) = 1   LE-2   ",
                           " 000   COM(i) = 0   LE-3   ",
                           " 000   COM(i) = 0   LE-4   ",
                           " 000   COM(i) = 0   LE-5   ",
                           " 000   COM(i) = 0   LE-6   ",
                           " Cancelled ComX i=0",
                       }));
    EXPECT_FALSE(lineOpen(3));
    EXPECT_EQ(le(0).LePortOpen, 0);
    EXPECT_EQ(closed, std::vector<int>{0});
    EXPECT_EQ(le(0).LeSyncRetries, 1);
    rig->run(1000);
    EXPECT_TRUE(lineOpen(3));
    EXPECT_EQ(list3().back(), " Activating ComX");
    rig->run(1000);
    EXPECT_EQ(list3().back(), " Re-test ComX full");

    // Test k runs 2 + 3 (k - 1) s after START; the 16th finds 15 retries.
    for (int retry = 2; retry <= 15; ++retry) {
        rig->run(1000);
        EXPECT_FALSE(lineOpen(3)) << retry;
        EXPECT_EQ(le(0).LeSyncRetries, retry);
        rig->run(1000);
        EXPECT_TRUE(lineOpen(3)) << retry;
        rig->run(1000);
    }
    EXPECT_TRUE(lineOpen(5)) << "a synchronised port is never closed";
    EXPECT_EQ(rig->control("ConfigurationRS232.Check1(0)").checked, 1);
    rig->run(1000);
    EXPECT_TRUE(lineOpen(3));
    EXPECT_EQ(list3().front(), " 000   COM(i) = 0   LE-1    <---  ? ");
    EXPECT_EQ(list3().size(), 6u);
    EXPECT_EQ(le(0).LeSyncRetries, 15);
    EXPECT_EQ(rig->control("ConfigurationRS232.Check1(0)").checked, 0);
    EXPECT_FALSE(rig->form("ConfigurationRS232").visible);
    rig->run(30000);
    EXPECT_TRUE(lineOpen(3));
    EXPECT_EQ(le(0).LePortOpen, 1);
    EXPECT_TRUE(list3().empty());

    // The next save deactivates it, which closes it.
    rig->click("Log.ActiveDesactiveRS232");
    rig->click("ConfigurationRS232.Command1");
    EXPECT_EQ(rig->fileBytes("ParamComx.ini"),
              portFile({"3", "0", "5", "1", "7", "1", "0", "0", "0", "0", "0", "0"}));
    EXPECT_FALSE(lineOpen(3));
    EXPECT_TRUE(lineOpen(5));
}

TEST_F(SerialLinkTest, OkWithOnePortUntickedClosesOnlyThatPort) {
    start({"3", "1", "5", "1", "0", "0", "0", "0", "0", "0", "0", "0"}, {3, 5});
    rig->click("Log.ComOperStartRS232");
    le(0).LeSynchro = 123;
    le(1).LeSynchro = 123;
    // Bytes waiting in LE-1's port show that it is not closed and reopened.
    rig->serial.line(3).device().write("0123456789");
    rig->run(10);
    ASSERT_EQ(link().port(0).bytesWaiting(), 10);
    le(0).RestCountdown = 7;

    rig->click("Log.ActiveDesactiveRS232");
    rig->check("ConfigurationRS232.Check1(1)", false);
    rig->click("ConfigurationRS232.Command1");

    EXPECT_FALSE(lineOpen(5));
    EXPECT_EQ(le(1).LePortOpen, 0);
    EXPECT_EQ(le(1).RestCountdown, 0);
    EXPECT_FALSE(le(1).LeReady);
    EXPECT_EQ(closed, std::vector<int>{1});
    EXPECT_TRUE(lineOpen(3));
    EXPECT_EQ(link().port(0).bytesWaiting(), 10);
    EXPECT_EQ(le(0).LePortOpen, 1);
    EXPECT_EQ(le(0).RestCountdown, 60);
    EXPECT_EQ(link().LinkStarted(), 1) << "OK leaves the link's state as it was";
    EXPECT_EQ(rig->control("Log.ComOperStartRS232").caption, "STOP (RS232)");
}

TEST_F(SerialLinkTest, ANewPortNumberTakesEffectOnlyAfterStopAndStart) {
    start({"3", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, {3, 4});
    rig->click("Log.ComOperStartRS232");
    le(0).LeSynchro = 123;
    rig->click("Log.ActiveDesactiveRS232");
    rig->set("ConfigurationRS232.Text1(0)", "4");
    rig->click("ConfigurationRS232.Command1");
    EXPECT_TRUE(lineOpen(3));
    EXPECT_FALSE(lineOpen(4));
    EXPECT_EQ(link().port(0).portNumber(), 3);

    rig->click("Log.ComOperStartRS232");
    rig->click("Log.ComOperStartRS232");
    EXPECT_FALSE(lineOpen(3));
    EXPECT_TRUE(lineOpen(4));
}

TEST_F(SerialLinkTest, TheFadecMenusFollowTheOpenPortsWithinFiftyMilliseconds) {
    start({"3", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0", "0"}, {3});
    const char* menus[] = {"Log.mnuFadecParameters", "Log.mnuReadLeSettings",
                           "Log.mnuTestMateriel"};
    rig->run(17);  // between two ticks of the menu timer
    for (const char* m : menus) {
        EXPECT_FALSE(rig->control(m).enabled) << m;
    }
    rig->click("Log.ComOperStartRS232");
    le(0).LeSynchro = 123;
    rig->run(50);
    for (const char* m : menus) {
        EXPECT_TRUE(rig->control(m).enabled) << m;
    }
    // Whatever else disabled them (the start-up password lock).
    rig->control("Log.mnuTestMateriel").enabled = false;
    rig->run(50);
    EXPECT_TRUE(rig->control("Log.mnuTestMateriel").enabled);

    rig->click("Log.ComOperStartRS232");
    rig->run(50);
    for (const char* m : menus) {
        EXPECT_FALSE(rig->control(m).enabled) << m;
    }
}

TEST_F(SerialLinkTest, EachFullStatusFrameWaitingReachesTheReceiveHandlerWithItsLe) {
    start({"3", "1", "5", "1", "0", "0", "0", "0", "0", "0", "0", "0"}, {3, 5});
    std::vector<std::pair<int, std::size_t>> received;  // LE, characters read
    link().setReceiveHandler(
        [&](int le) { received.emplace_back(le, link().port(le).read().size()); });
    rig->click("Log.ComOperStartRS232");
    rig->serial.line(5).device().write(std::string(159, '0'));
    rig->run(100);
    EXPECT_TRUE(received.empty());
    rig->serial.line(5).device().write("0");
    rig->run(100);
    EXPECT_EQ(received, (std::vector<std::pair<int, std::size_t>>{{1, 160}}));
}

TEST_F(SerialLinkTest, ADeviceThatDisappearsClosesItsPortAndComesBackWithTheNextActivation) {
    start({"3", "1", "5", "1", "0", "0", "0", "0", "0", "0", "0", "0"}, {3, 5});
    rig->click("Log.ComOperStartRS232");
    le(0).LeSynchro = 123;
    le(0).LeReady = true;
    rig->run(100);

    rig->serial.line(3).disconnectDevice();
    rig->run(1);
    EXPECT_EQ(le(0).LePortOpen, 0);
    EXPECT_FALSE(le(0).LeReady);
    EXPECT_EQ(closed, std::vector<int>{0});
    EXPECT_TRUE(lineOpen(5));

    // LE-2 never synchronises: its port test keeps activating, and the lost
    // port fails to reopen quietly each time.
    rig->run(20000);
    EXPECT_FALSE(lineOpen(3));
    EXPECT_EQ(le(0).LePortOpen, 0);
    EXPECT_TRUE(rig->dialogs.history().empty());

    rig->serial.line(3).connectDevice();
    rig->run(3000);
    EXPECT_TRUE(lineOpen(3)) << "the port test's reactivation takes it back";
    EXPECT_EQ(le(0).LePortOpen, 1);
}

}  // namespace
}  // namespace lec::test
