#include "simulator/demo_cabinet.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/slots.h"
#include "platform/virtual/virtual_scheduler.h"

namespace lec::sim {
namespace {

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;) {
        out.push_back(w);
    }
    return out;
}

class DemoCabinetTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int n = 1; n <= DemoCabinet::kFadecs; ++n) {
            ports.push_back(hub.createSerialPort());
            ports.back()->setPortNumber(n);
            ASSERT_TRUE(ports.back()->open()) << "COM" << n << ": " << ports.back()->lastError();
        }
    }

    // The frame waiting on COMn (after the cabinet ran a while).
    std::string frameOn(int n) {
        SerialPort& port = *ports[static_cast<std::size_t>(n - 1)];
        s.runUntil([&] { return port.bytesWaiting() >= kStatusFrameLength; }, 1000);
        return port.read();
    }

    void drain(int n) {
        SerialPort& port = *ports[static_cast<std::size_t>(n - 1)];
        while (port.bytesWaiting() > 0) {
            port.read();
        }
    }

    int fieldOn(int n, int k) {
        return std::stoi(frameOn(n).substr(static_cast<std::size_t>(k) * 5, 5));
    }

    VirtualScheduler s;
    VirtualSerialHub hub{s};
    DemoCabinet cabinet{s, hub};
    std::vector<std::unique_ptr<SerialPort>> ports;
};

TEST_F(DemoCabinetTest, SixFadecsAnswerOnCom1ToCom6EachWithItsOwnNoise) {
    s.advance(5000);
    std::vector<std::string> frames;
    for (int n = 1; n <= DemoCabinet::kFadecs; ++n) {
        drain(n);
    }
    for (int n = 1; n <= DemoCabinet::kFadecs; ++n) {
        const std::string frame = frameOn(n);
        ASSERT_EQ(frame.size(), 160u) << "COM" << n;
        EXPECT_EQ(frame.substr(150, 5), "  123") << "COM" << n;
        EXPECT_GT(cabinet.fadec(n).statusFramesSent(), 20u);
        frames.push_back(frame);
    }
    EXPECT_NE(frames[0], frames[1]);
    EXPECT_NE(cabinet.fadec(1).counterMinutes(HourCounter::SLamp),
              cabinet.fadec(2).counterMinutes(HourCounter::SLamp));
    EXPECT_THROW(cabinet.fadec(7), std::out_of_range);
}

TEST_F(DemoCabinetTest, SimActionsForceReleaseAndSilence) {
    EXPECT_EQ(cabinet.simAction(words("2 field 10 300")), std::nullopt);
    EXPECT_EQ(cabinet.simAction(words("2 field 9 -4")), std::nullopt);
    drain(2);
    EXPECT_EQ(fieldOn(2, slot::kMatTemp), 300);
    EXPECT_EQ(fieldOn(2, slot::kErrorCode), -4);
    EXPECT_NE(fieldOn(1, slot::kMatTemp), 300);

    EXPECT_EQ(cabinet.simAction(words("2 release 10")), std::nullopt);
    s.advance(300);
    drain(2);
    EXPECT_LT(fieldOn(2, slot::kMatTemp), 100);

    EXPECT_EQ(cabinet.simAction(words("6 silent 1")), std::nullopt);
    EXPECT_TRUE(cabinet.fadec(6).silent());
    s.advance(300);
    drain(6);
    s.advance(1000);
    EXPECT_EQ(ports[5]->bytesWaiting(), 0);
    EXPECT_EQ(cabinet.simAction(words("6 silent 0")), std::nullopt);
    EXPECT_FALSE(cabinet.fadec(6).silent());
}

TEST_F(DemoCabinetTest, BadSimActionsSayWhy) {
    const char* const bad[] = {
        "",
        "1",
        "0 silent 1",
        "7 silent 1",
        "x silent 1",
        "1 silent",
        "1 silent 2",
        "1 silent 1 1",
        "1 field 3",
        "1 field 32 5",
        "1 field -1 5",
        "1 field 3 abc",
        "1 field 3 4.5",
        "1 field 3 99999999999",
        "1 release",
        "1 release 40",
        "1 explode",
    };
    for (const char* line : bad) {
        const auto error = cabinet.simAction(words(line));
        ASSERT_TRUE(error.has_value()) << '"' << line << '"';
        EXPECT_FALSE(error->empty()) << '"' << line << '"';
    }
    EXPECT_FALSE(cabinet.fadec(1).silent());
}

}  // namespace
}  // namespace lec::sim
