#include <gtest/gtest.h>

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <ctime>
#include <iostream>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/qt/qt_serial_port.h"
#include "qt/qt_wait.h"

namespace lec {
namespace {

using test::runEventsUntil;

constexpr int kPort = 3;

// A pair of pseudo-terminals joined by socat: the program's side is mapped to
// COM3 of a fresh application folder, the test plays the FADEC on the other.
class QtSerialPortPty : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("socat").isEmpty()) {
            GTEST_SKIP() << "socat is missing";
        }
        ASSERT_TRUE(dir_.isValid());
        ours_ = dir_.filePath("a");
        theirs_ = dir_.filePath("b");
        socat_.start("socat", {"-d", "-d", "pty,raw,echo=0,link=" + ours_,
                               "pty,raw,echo=0,link=" + theirs_});
        ASSERT_TRUE(socat_.waitForStarted(5000));
        ASSERT_TRUE(runEventsUntil(
            [&] { return QFileInfo::exists(ours_) && QFileInfo::exists(theirs_); }, 5000))
            << "socat made no pseudo-terminals";
        ASSERT_TRUE(QDir(dir_.path()).mkpath("app/dev"));
        appFolder_ = dir_.filePath("app").toStdString();
        ASSERT_TRUE(QFile::link(ours_, dir_.filePath("app/dev/COM3")));

        far_ = ::open(theirs_.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(far_, 0);

        factory_ = std::make_unique<QtSerialPortFactory>(appFolder_);
        port_ = factory_->createSerialPort();
        port_->setPortNumber(kPort);
        port_->setEventHandler([this](int event) {
            events_.push_back(event);
            waitingAtEvent_.push_back(port_->bytesWaiting());
            if (onEvent_) {
                onEvent_(event);
            }
        });
    }

    void TearDown() override {
        port_.reset();
        if (far_ >= 0) {
            ::close(far_);
        }
        if (socat_.state() != QProcess::NotRunning) {
            socat_.kill();
            socat_.waitForFinished(5000);
        }
    }

    void sendFromFar(const std::string& bytes) {
        ASSERT_EQ(::write(far_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    // Whatever reaches the far end, waiting until `count` bytes have come.
    std::string receiveAtFar(std::size_t count) {
        std::string got;
        runEventsUntil([&] {
            char buf[512];
            for (ssize_t n; (n = ::read(far_, buf, sizeof buf)) > 0;) {
                got.append(buf, static_cast<std::size_t>(n));
            }
            return got.size() >= count;
        });
        return got;
    }

    int count(int event) const {
        return static_cast<int>(std::count(events_.begin(), events_.end(), event));
    }

    QTemporaryDir dir_;
    QString ours_;
    QString theirs_;
    QProcess socat_;
    std::string appFolder_;
    int far_ = -1;
    std::unique_ptr<QtSerialPortFactory> factory_;
    std::unique_ptr<SerialPort> port_;
    std::vector<int> events_;
    std::vector<int> waitingAtEvent_;
    std::function<void(int)> onEvent_;
};

std::string digits(std::size_t n, char first = '0') {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) {
        s += static_cast<char>(first + static_cast<char>(i % 10));
    }
    return s;
}

TEST_F(QtSerialPortPty, OpensTheDeviceTheComLinkPointsAt) {
    ASSERT_TRUE(port_->open()) << port_->lastError();
    EXPECT_TRUE(port_->isOpen());
    auto* qt = static_cast<QtSerialPort*>(port_.get());
    EXPECT_EQ(qt->devicePath(), QFileInfo(ours_).canonicalFilePath().toStdString());
    EXPECT_TRUE(qt->devicePath().starts_with("/dev/pts/")) << qt->devicePath();
    port_->close();
    EXPECT_FALSE(port_->isOpen());
    EXPECT_EQ(port_->bytesWaiting(), 0);
    EXPECT_FALSE(port_->write("x"));
}

// The line settings, as the terminal driver holds them after open(). A
// pseudo-terminal always keeps 8 data bits without parity, so those two are
// not seen here.
struct SettingsCase {
    const char* name;
    SerialSettings settings;
    speed_t speed;
    bool twoStop, xonXoff;
};

class QtSerialPortSettings : public QtSerialPortPty,
                             public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(QtSerialPortSettings, ReachTheTerminalDriver) {
    const SettingsCase& c = GetParam();
    port_->setSettings(c.settings);
    ASSERT_TRUE(port_->open()) << port_->lastError();
    // The settings belong to the terminal, not to one descriptor of it.
    const int fd = ::open(ours_.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios t{};
    const int got = ::tcgetattr(fd, &t);
    ::close(fd);
    ASSERT_EQ(got, 0);
    EXPECT_EQ(cfgetospeed(&t), c.speed);
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStop);
    EXPECT_EQ((t.c_iflag & IXON) != 0, c.xonXoff);
    EXPECT_EQ((t.c_iflag & IXOFF) != 0, c.xonXoff);
    // The system holds the characters back until a threshold's worth is there.
    EXPECT_EQ(t.c_cc[VMIN], c.settings.rThreshold);
    EXPECT_EQ(t.c_cc[VTIME], 0);
}

SerialSettings with(int baud, char parity, int dataBits, int stopBits, Handshake h) {
    SerialSettings s;
    s.baud = baud;
    s.parity = parity;
    s.dataBits = dataBits;
    s.stopBits = stopBits;
    s.handshake = h;
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QtSerialPortSettings,
    ::testing::Values(SettingsCase{"FadecLink", SerialSettings{}, B19200, false, true},
                      SettingsCase{"TwoStopBitsNoHandshake", with(9600, 'e', 7, 2, Handshake::None),
                                   B9600, true, false},
                      SettingsCase{"OneStopBit", with(38400, 'o', 8, 1, Handshake::None), B38400,
                                   false, false},
                      SettingsCase{"SmallThreshold",
                                   [] {
                                       SerialSettings s;
                                       s.rThreshold = 34;
                                       return s;
                                   }(),
                                   B19200, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QtSerialPortPty, RaisesReceiveWhenAFullFrameWaits) {
    ASSERT_TRUE(port_->open()) << port_->lastError();
    const std::string frame = digits(160);
    sendFromFar(frame.substr(0, 100));
    ASSERT_TRUE(runEventsUntil([&] { return port_->bytesWaiting() == 100; }));
    EXPECT_TRUE(events_.empty()) << "100 characters are below the threshold";

    std::string got;
    onEvent_ = [&](int) { got = port_->read(); };
    sendFromFar(frame.substr(100));
    ASSERT_TRUE(runEventsUntil([&] { return !events_.empty(); }));
    EXPECT_EQ(events_, std::vector<int>{comm_event::kReceive});
    EXPECT_EQ(waitingAtEvent_, std::vector<int>{160});
    EXPECT_EQ(got, frame);
    EXPECT_EQ(port_->bytesWaiting(), 0);
}

// readyRead does not come again for bytes already buffered: frames that
// arrive together are told one after the other until fewer remain.
TEST_F(QtSerialPortPty, KeepsRaisingWhileAFrameWaits) {
    ASSERT_TRUE(port_->open()) << port_->lastError();
    std::string got;
    onEvent_ = [&](int) { got += port_->read(); };
    const std::string bytes = digits(400);
    sendFromFar(bytes);
    ASSERT_TRUE(runEventsUntil([&] { return got.size() == 320 && port_->bytesWaiting() == 80; }))
        << got.size() << " read, " << port_->bytesWaiting() << " waiting";
    EXPECT_EQ(got, bytes.substr(0, 320));
    EXPECT_EQ(count(comm_event::kReceive), 2);
}

TEST_F(QtSerialPortPty, HandlerThatReadsNothingIsToldOnce) {
    ASSERT_TRUE(port_->open()) << port_->lastError();
    sendFromFar(digits(160));
    ASSERT_TRUE(runEventsUntil([&] { return !events_.empty(); }));
    bool later = false;
    QTimer::singleShot(50, [&] { later = true; });
    ASSERT_TRUE(runEventsUntil([&] { return later; }));
    EXPECT_EQ(events_, std::vector<int>{comm_event::kReceive});
    EXPECT_EQ(port_->bytesWaiting(), 160);
}

TEST_F(QtSerialPortPty, ReadTakesInputLenOrAll) {
    SerialSettings s;
    s.inputLen = 50;
    s.rThreshold = 0;  // no receive events
    port_->setSettings(s);
    ASSERT_TRUE(port_->open()) << port_->lastError();
    const std::string bytes = digits(120);
    sendFromFar(bytes);
    ASSERT_TRUE(runEventsUntil([&] { return port_->bytesWaiting() == 120; }));
    EXPECT_EQ(port_->read(), bytes.substr(0, 50));
    s.inputLen = 0;
    port_->setSettings(s);
    EXPECT_EQ(port_->read(), bytes.substr(50));
    EXPECT_EQ(port_->read(), "");
    EXPECT_TRUE(events_.empty());
}

TEST_F(QtSerialPortPty, WritesBinaryCommandsUnchanged) {
    ASSERT_TRUE(port_->open()) << port_->lastError();
    std::string command;
    for (int i = 0; i < 34; ++i) {
        command += static_cast<char>((i * 37 + 5) & 0xFF);
    }
    command[3] = 0x11;  // XON and XOFF go out as data under software handshake
    command[4] = 0x13;
    command[5] = 0x00;
    command[6] = static_cast<char>(0xFF);
    ASSERT_TRUE(port_->write(command));
    EXPECT_EQ(receiveAtFar(34), command);
}

// The far end goes away as a pulled USB adapter does. Qt notices at its next
// read (a hang-up reads end-of-file) or at the next write (which fails).
class QtSerialPortLost : public QtSerialPortPty, public ::testing::WithParamInterface<bool> {};

TEST_P(QtSerialPortLost, ClosesThePortAndIsToldOnce) {
    const bool noticedByWrite = GetParam();
    ASSERT_TRUE(port_->open()) << port_->lastError();
    socat_.kill();
    ASSERT_TRUE(socat_.waitForFinished(5000));
    if (noticedByWrite) {
        EXPECT_FALSE(port_->write("frame"));
        EXPECT_FALSE(port_->isOpen());
    }
    ASSERT_TRUE(runEventsUntil([&] { return !events_.empty(); }));
    EXPECT_EQ(events_, std::vector<int>{comm_event::kDeviceLost});
    EXPECT_FALSE(port_->isOpen());
    EXPECT_FALSE(port_->lastError().empty());
    EXPECT_FALSE(port_->write("x"));

    std::cout << "[ figures  ] lost device: \"" << port_->lastError() << "\"\n";

    // Nothing more comes, and the event loop does not spin on the dead device:
    // idle, it uses next to no processor time.
    bool later = false;
    const std::clock_t cpuBefore = std::clock();
    QTimer::singleShot(100, [&] { later = true; });
    ASSERT_TRUE(runEventsUntil([&] { return later; }));
    const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuBefore) / CLOCKS_PER_SEC;
    EXPECT_EQ(events_, std::vector<int>{comm_event::kDeviceLost});
    EXPECT_LT(cpuMs, 50.0);
}

INSTANTIATE_TEST_SUITE_P(Cases, QtSerialPortLost, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "NoticedByWrite" : "NoticedByRead");
});

TEST_F(QtSerialPortPty, HandlerMayDestroyThePort) {
    ASSERT_TRUE(port_->open()) << port_->lastError();
    onEvent_ = [&](int) { port_.reset(); };
    sendFromFar(digits(320));
    ASSERT_TRUE(runEventsUntil([&] { return port_ == nullptr; }));
    test::runPendingEvents();
    EXPECT_EQ(events_.size(), 1u);
}

TEST(QtSerialPort, MissingDeviceIsNotFound) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath("dev"));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath("dev/COM5")));
    QtSerialPortFactory factory(dir.path().toStdString());
    auto port = factory.createSerialPort();
    port->setPortNumber(5);
    EXPECT_FALSE(port->open());
    EXPECT_EQ(port->lastError(), "device not found");
    EXPECT_FALSE(port->isOpen());
}

}  // namespace
}  // namespace lec
