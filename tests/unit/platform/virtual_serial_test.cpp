#include "platform/virtual/virtual_serial.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/virtual/virtual_scheduler.h"

namespace lec {
namespace {

// The millisecond in which the k-th byte (1-based) of a burst sent at time 0
// on an idle wire has fully arrived: k * 10 bits at 19200 baud, rounded up.
std::int64_t arrivalMs(std::int64_t k) {
    return (k * 10 * 1000 + 19199) / 19200;
}

struct Event {
    std::int64_t at;
    int code;
    int waiting;
    friend bool operator==(const Event&, const Event&) = default;
};

void PrintTo(const Event& e, std::ostream* os) {
    *os << "{" << e.at << "ms code " << e.code << " waiting " << e.waiting << "}";
}

using Chunks = std::vector<std::pair<std::int64_t, std::string>>;

class VirtualSerialTest : public ::testing::Test {
protected:
    void SetUp() override {
        line.connectDevice();
        line.device().setReceiver(
            [this](std::string_view bytes) { atDevice.emplace_back(s.now(), std::string(bytes)); });
        port->setPortNumber(1);
        port->setEventHandler([this](int code) {
            events.push_back({s.now(), code, port->bytesWaiting()});
            if (readOnEvent)
                port->read();
        });
        ASSERT_TRUE(port->open()) << port->lastError();
    }

    void setThreshold(int rThreshold, int inputLen = 160) {
        SerialSettings settings = port->settings();
        settings.rThreshold = rThreshold;
        settings.inputLen = inputLen;
        port->setSettings(settings);
    }

    std::string receivedAtDevice() const {
        std::string all;
        for (const auto& [at, bytes] : atDevice)
            all += bytes;
        return all;
    }

    VirtualScheduler s;
    VirtualSerialHub hub{s};
    VirtualSerialLine& line = hub.line(1);
    std::unique_ptr<SerialPort> port = hub.createSerialPort();
    std::vector<Event> events;
    bool readOnEvent = false;
    Chunks atDevice;
};

const std::string kFrame(160, '7');

TEST_F(VirtualSerialTest, FrameArrivesAtTheByteTimeOf19200Baud) {
    line.device().write(kFrame);
    EXPECT_EQ(port->bytesWaiting(), 0);
    s.advance(10);
    EXPECT_EQ(port->bytesWaiting(), 19);  // 10 ms / 0.5208 ms
    s.advance(73);
    EXPECT_EQ(port->bytesWaiting(), 159);  // the last byte lands at 83.33 ms
    EXPECT_TRUE(events.empty());
    s.advance(1);
    EXPECT_EQ(port->bytesWaiting(), 160);
    EXPECT_EQ(events, (std::vector<Event>{{84, comm_event::kReceive, 160}}));
    EXPECT_EQ(port->read(), kFrame);
}

TEST_F(VirtualSerialTest, BytesQueueBehindThoseStillOnTheWire) {
    line.device().write(kFrame);
    s.advance(50);
    line.device().write(std::string(160, '8'));
    readOnEvent = true;
    s.advance(200);
    // The second frame starts arriving in the same millisecond as the first ends.
    EXPECT_EQ(events, (std::vector<Event>{{84, comm_event::kReceive, 161},
                                          {arrivalMs(320), comm_event::kReceive, 160}}));
}

TEST_F(VirtualSerialTest, ReceiveEventRepeatsOnEachArrivalWhileEnoughWait) {
    line.device().write(std::string(200, 'x'));
    s.advance(200);
    // Nobody reads: every millisecond in which a byte arrives raises the event again.
    std::set<std::int64_t> expected;
    for (int k = 160; k <= 200; ++k)
        expected.insert(arrivalMs(k));
    std::set<std::int64_t> raised;
    for (const Event& e : events) {
        EXPECT_EQ(e.code, comm_event::kReceive);
        EXPECT_GE(e.waiting, 160);
        raised.insert(e.at);
    }
    EXPECT_EQ(raised, expected);
    EXPECT_EQ(events.size(), expected.size());
}

TEST_F(VirtualSerialTest, ReadingAFrameAtEachEventGivesOneEventPerFrame) {
    readOnEvent = true;
    line.device().write(kFrame + kFrame + kFrame);
    s.advance(300);
    ASSERT_EQ(events.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(events[i].at, arrivalMs(160 * (i + 1)));
}

TEST_F(VirtualSerialTest, ThresholdDecidesWhenEventsCome) {
    struct Case {
        int rThreshold;
        std::size_t events;
    };
    // 10 bytes arrive within 6 ms (in ms 1, 2, 2, 3, 3, 4, 4, 5, 5, 6).
    for (const Case& c : {Case{0, 0}, Case{1, 6}, Case{10, 1}, Case{11, 0}}) {
        events.clear();
        port->read();
        setThreshold(c.rThreshold, 0);
        line.device().write("0123456789");
        s.advance(20);
        EXPECT_EQ(events.size(), c.events) << "rThreshold " << c.rThreshold;
    }
}

TEST_F(VirtualSerialTest, ReadTakesAtMostInputLenAndZeroMeansAll) {
    setThreshold(0, 4);
    line.device().write("0123456789");
    s.advance(20);
    EXPECT_EQ(port->read(), "0123");
    EXPECT_EQ(port->bytesWaiting(), 6);
    setThreshold(0, 0);
    EXPECT_EQ(port->read(), "456789");
    EXPECT_EQ(port->read(), "");
}

TEST_F(VirtualSerialTest, DeviceGetsPcBytesAsTheyArriveMillisecondByMillisecond) {
    ASSERT_TRUE(port->write("hello"));
    s.advance(10);
    EXPECT_EQ(atDevice, (Chunks{{1, "h"}, {2, "el"}, {3, "lo"}}));
}

TEST_F(VirtualSerialTest, DeviceSeesWhatThePcAskedFor) {
    EXPECT_TRUE(line.device().pcPortOpen());
    const SerialSettings& seen = line.device().pcSettings();
    EXPECT_EQ(seen.baud, 19200);
    EXPECT_EQ(seen.parity, 'n');
    EXPECT_EQ(seen.dataBits, 8);
    EXPECT_EQ(seen.stopBits, 1);
    EXPECT_EQ(seen.handshake, Handshake::XonXoff);
    setThreshold(1);
    EXPECT_EQ(line.device().pcSettings().rThreshold, 1);
    port->close();
    EXPECT_FALSE(line.device().pcPortOpen());
}

TEST_F(VirtualSerialTest, ClosedPortWritesNothingAndLosesWhatArrives) {
    port->close();
    EXPECT_FALSE(port->write("abc"));
    line.device().write("lost while closed");
    s.advance(100);
    EXPECT_TRUE(atDevice.empty());
    EXPECT_EQ(port->bytesWaiting(), 0);

    ASSERT_TRUE(port->open());
    EXPECT_EQ(port->bytesWaiting(), 0);
    line.device().write("kept");
    s.advance(10);
    setThreshold(0, 0);
    EXPECT_EQ(port->read(), "kept");
}

TEST_F(VirtualSerialTest, OpenFailsWithAReasonWhereThereIsNoDevice) {
    VirtualSerialLine& empty = hub.line(2);
    auto other = hub.createSerialPort();
    struct Case {
        int portNumber;
        const char* why;
    };
    for (const Case& c : {Case{2, "no device connected"}, Case{0, "no such port"},
                          Case{17, "no such port"}, Case{1, "COM1 is already open"}}) {
        other->setPortNumber(c.portNumber);
        EXPECT_FALSE(other->open()) << c.why;
        EXPECT_FALSE(other->isOpen()) << c.why;
        EXPECT_FALSE(other->lastError().empty()) << c.why;
    }
    EXPECT_TRUE(port->isOpen());
    empty.connectDevice();
    other->setPortNumber(2);
    EXPECT_TRUE(other->open()) << other->lastError();
    EXPECT_TRUE(other->lastError().empty());
}

TEST_F(VirtualSerialTest, PulledAdapterClosesThePortAndReportsOnce) {
    line.device().write(kFrame);
    s.advance(40);
    line.disconnectDevice();
    EXPECT_FALSE(port->isOpen());
    EXPECT_EQ(port->bytesWaiting(), 0);
    EXPECT_TRUE(events.empty()) << "reported from the event loop, not from the caller";
    s.advance(200);
    EXPECT_EQ(events, (std::vector<Event>{{40, comm_event::kDeviceLost, 0}}));

    line.device().write("ignored");
    EXPECT_FALSE(port->open());
    line.connectDevice();
    ASSERT_TRUE(port->open());
    s.advance(200);
    EXPECT_EQ(port->bytesWaiting(), 0);
}

TEST_F(VirtualSerialTest, PortDestroyedBeforeTheLossIsReportedIsNotCalled) {
    line.disconnectDevice();
    port.reset();
    s.runPosted();
    EXPECT_TRUE(events.empty());
}

// --- Faults ---

TEST_F(VirtualSerialTest, DroppedBytesStillTakeTheirTimeOnTheWire) {
    setThreshold(0, 0);
    line.toPc().dropNext(3);
    line.device().write("abcdefgh");
    s.advance(2);
    EXPECT_EQ(port->bytesWaiting(), 0);
    s.advance(1);  // 5 byte times have passed: 'd' and 'e'
    EXPECT_EQ(port->read(), "de");
    s.advance(10);
    EXPECT_EQ(port->read(), "fgh");
    EXPECT_EQ(line.toPc().bytesDropped(), 3u);
    EXPECT_EQ(line.toPc().bytesWritten(), 8u);
}

TEST_F(VirtualSerialTest, RandomLossRepeatsWithTheSameSeed) {
    setThreshold(0, 0);
    VirtualSerialLine& twin = hub.line(3);
    twin.connectDevice();
    auto twinPort = hub.createSerialPort();
    twinPort->setPortNumber(3);
    twinPort->setSettings(port->settings());
    ASSERT_TRUE(twinPort->open());

    std::string sent;
    for (int i = 0; i < 1000; ++i)
        sent += static_cast<char>('a' + i % 26);
    line.toPc().dropRandomly(0.5, 1234);
    twin.toPc().dropRandomly(0.5, 1234);
    line.device().write(sent);
    twin.device().write(sent);
    s.advance(1000);
    const std::string got = port->read();
    EXPECT_EQ(got, twinPort->read());
    EXPECT_GT(got.size(), 400u);
    EXPECT_LT(got.size(), 600u);
    EXPECT_EQ(got.size() + line.toPc().bytesDropped(), sent.size());

    line.toPc().dropRandomly(0.0, 1);
    line.device().write("all");
    s.advance(10);
    EXPECT_EQ(port->read(), "all");
}

TEST_F(VirtualSerialTest, PauseSplitsAFrameInTwo) {
    line.toPc().pauseAfter(80, 50);
    line.device().write(kFrame);
    s.advance(42);
    EXPECT_EQ(port->bytesWaiting(), 80);
    s.advance(50);  // 92 ms: the pause ended at 91.67, the 81st byte is on its way
    EXPECT_EQ(port->bytesWaiting(), 80);
    s.advance(41);
    EXPECT_EQ(port->bytesWaiting(), 159);
    EXPECT_TRUE(events.empty());
    s.advance(1);
    EXPECT_EQ(events, (std::vector<Event>{{134, comm_event::kReceive, 160}}));

    // Only once: the next frame flows without a pause.
    port->read();
    line.device().write(kFrame);
    s.advance(84);
    EXPECT_EQ(port->bytesWaiting(), 160);
}

TEST_F(VirtualSerialTest, ExtraDelayShiftsArrivalsButNeverReordersThem) {
    line.toPc().setExtraDelay(20);
    line.device().write(kFrame);
    s.advance(103);
    EXPECT_EQ(port->bytesWaiting(), 159);
    s.advance(1);
    EXPECT_EQ(port->bytesWaiting(), 160);
    port->read();

    setThreshold(0, 0);
    line.toPc().setExtraDelay(20);
    line.device().write("AB");
    line.toPc().setExtraDelay(0);
    line.device().write("CD");
    s.advance(20);  // 'C' and 'D' alone would be here by now
    EXPECT_EQ(port->bytesWaiting(), 0);
    s.advance(2);
    EXPECT_EQ(port->read(), "ABCD");
}

TEST_F(VirtualSerialTest, CorruptionHitsTheNextByteThatGetsThrough) {
    line.toDevice().dropNext(1);
    line.toDevice().corruptNext('X');
    ASSERT_TRUE(port->write("abc"));
    ASSERT_TRUE(port->write("def"));
    s.advance(10);
    EXPECT_EQ(receivedAtDevice(), "Xcdef");
}

TEST_F(VirtualSerialTest, ClearFaultsRestoresAPlainLine) {
    line.toDevice().dropNext(5);
    line.toDevice().corruptNext('X');
    line.toDevice().setExtraDelay(100);
    line.toDevice().pauseAfter(1, 100);
    line.toDevice().clearFaults();
    ASSERT_TRUE(port->write("abc"));
    s.advance(2);
    EXPECT_EQ(receivedAtDevice(), "abc");
}

TEST(VirtualSerialHub, LinesExistForCom1ToCom16Only) {
    VirtualScheduler s;
    VirtualSerialHub hub(s);
    EXPECT_EQ(&hub.line(16), hub.findLine(16));
    EXPECT_EQ(hub.line(4).name(), "COM4");
    EXPECT_EQ(hub.findLine(0), nullptr);
    EXPECT_EQ(hub.findLine(17), nullptr);
    EXPECT_THROW(hub.line(17), std::out_of_range);
}

}  // namespace
}  // namespace lec
