#include "simulator/fadec_model.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/slots.h"
#include "link/frame_format.h"
#include "platform/virtual/virtual_scheduler.h"
#include "platform/virtual/virtual_serial.h"

namespace lec::sim {
namespace {

namespace sp = start_program;

// The command slots a PC fills in; everything else is echoed.
struct Orders {
    int bank = 0;
    int order = 0;
    int power = 0;  // sent only in answer to a phase-5 frame, as the PC does
    int qth = 0;
    int alarm = 0;
    int request = 0;
    int motor = 0;
    int mode = 0;
};

// Field k of a status frame, or nullopt when it is not a number.
std::optional<int> field(const std::string& frame, int k) {
    const std::string text = frame.substr(static_cast<std::size_t>(k) * 5, 5);
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != '\0') {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

StatusFields fieldsOf(const std::string& frame) {
    StatusFields f{};
    for (int k = 0; k < kStatusFields; ++k) {
        const auto value = field(frame, k);
        EXPECT_TRUE(value.has_value()) << "field " << k << " of \"" << frame << "\"";
        f[static_cast<std::size_t>(k)] = value.value_or(-1);
    }
    return f;
}

struct Seen {
    std::int64_t at;
    StatusFields f;
};

// A FADEC on line COM1 and the PC's end of the line, worked by hand.
class FadecModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        line.connectDevice();
        pc->setPortNumber(1);
        ASSERT_TRUE(pc->open()) << pc->lastError();
    }

    void power(FadecConfig config = {}) {
        model = std::make_unique<FadecModel>(s, devicePort, std::move(config));
    }

    // The next 160 characters, taken the moment the last one arrives.
    std::optional<std::string> frame(std::int64_t limitMs = 1500) {
        if (!s.runUntil([&] { return pc->bytesWaiting() >= kStatusFrameLength; }, limitMs)) {
            return std::nullopt;
        }
        return pc->read();
    }

    StatusFields nextFields() {
        const auto text = frame();
        EXPECT_TRUE(text.has_value()) << "no frame by " << s.now() << " ms";
        return text ? fieldsOf(*text) : StatusFields{};
    }

    void send(const CommandSlots& slots) { pc->write(formatCommandFrame(slots)); }

    // The answer a PC gives to `f`: the echo, with its orders written in.
    static CommandSlots answerTo(const StatusFields& f, const Orders& o) {
        CommandSlots c{};
        for (std::size_t k = 0; k < c.size(); ++k) {
            c[k] = static_cast<std::uint8_t>(f[k] >= 0 && f[k] <= 255 ? f[k] : 0);
        }
        c[slot::kBankIndex] = static_cast<std::uint8_t>(o.bank);
        c[slot::kStartStop] = static_cast<std::uint8_t>(o.order);
        if (f[slot::kPhase] == 5) {
            c[slot::kPowerPhase5] = static_cast<std::uint8_t>(o.power);
        }
        c[slot::kQthRelay] = static_cast<std::uint8_t>(o.qth);
        c[slot::kAlarmRelay] = static_cast<std::uint8_t>(o.alarm);
        c[slot::kLpc] = static_cast<std::uint8_t>(o.request);
        c[slot::kMotorSpeedSet] = static_cast<std::uint8_t>(o.motor);
        c[slot::kFrameMode] = static_cast<std::uint8_t>(o.mode);
        return c;
    }

    // One exchange as the PC runs it: the frame, and 30 ms later the answer.
    StatusFields exchange(const Orders& o = {}) {
        const StatusFields f = nextFields();
        s.advance(30);
        send(answerTo(f, o));
        return f;
    }

    // Exchanges until `done` holds for a frame (or `limitMs` pass); every
    // frame seen, in order, with the time its last character arrived.
    std::vector<Seen> exchangeUntil(const Orders& o, std::int64_t limitMs,
                                    const std::function<bool(const StatusFields&)>& done) {
        std::vector<Seen> seen;
        const std::int64_t until = s.now() + limitMs;
        while (s.now() < until) {
            const StatusFields f = exchange(o);
            seen.push_back({s.now() - 30, f});
            if (done(f)) {
                break;
            }
        }
        return seen;
    }

    std::vector<Seen> exchangeFor(const Orders& o, std::int64_t ms) {
        return exchangeUntil(o, ms, [](const StatusFields&) { return false; });
    }

    // Starts the engine and exchanges until it is lit.
    void lightUp(int powerSetPoint = 100) {
        const auto seen = exchangeUntil({.order = 1, .power = powerSetPoint}, 60000,
                                        [](const StatusFields& f) { return f[slot::kPhase] == 5; });
        ASSERT_EQ(seen.back().f[slot::kPhase], 5);
        exchange({.order = 1, .power = powerSetPoint});  // the set-point goes out
    }

    // Every byte that reaches the PC within `ms`.
    std::string bytesFor(std::int64_t ms) {
        SerialSettings settings = pc->settings();
        settings.rThreshold = 1;
        settings.inputLen = 0;
        pc->setSettings(settings);
        std::string all;
        pc->setEventHandler([&](int) { all += pc->read(); });
        s.advance(ms);
        pc->setEventHandler({});
        return all;
    }

    VirtualScheduler s;
    VirtualSerialHub hub{s};
    VirtualSerialLine& line = hub.line(1);
    std::unique_ptr<SerialPort> pc = hub.createSerialPort();
    DeviceFadecPort devicePort{line.device()};
    std::unique_ptr<FadecModel> model;
};

// --- Cadence and frame shape ---

TEST_F(FadecModelTest, SendsAFrameEvery200MsWhetherAnsweredOrNot) {
    power();
    std::vector<std::int64_t> done;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(frame());
        done.push_back(s.now());
    }
    for (int i = 0; i < 4; ++i) {
        exchange();
        done.push_back(s.now() - 30);
    }
    // 160 characters take 83.3 ms at 19200 baud.
    EXPECT_EQ(done.front(), 200 + 84);
    for (std::size_t i = 1; i < done.size(); ++i) {
        EXPECT_EQ(done[i] - done[i - 1], FadecModel::kFrameIntervalMs) << i;
    }
    s.advance(30);  // the last answer on the wire
    EXPECT_EQ(model->statusFramesSent(), 8u);
    EXPECT_EQ(model->commandFramesReceived(), 4u);
    // The four frames before the first exchange went unanswered.
    EXPECT_EQ(model->framesUnanswered(), 4u);
}

TEST_F(FadecModelTest, StatusFrameIsThirtyTwoNumbersWithSynchroAndVersion) {
    power({.version = 37});
    const auto text = frame();
    ASSERT_TRUE(text);
    ASSERT_EQ(text->size(), 160u);
    const StatusFields f = fieldsOf(*text);
    EXPECT_EQ(f[slot::kSynchro], kSynchroReady);
    EXPECT_EQ(f[slot::kStampVersion], 37);
    EXPECT_EQ(f[slot::kPhase], 0);
    EXPECT_EQ(f[slot::kBankIndex], 0);
    EXPECT_EQ(f[slot::kFrameMode], 0);
    // Every field is right-aligned in its five characters.
    for (int k = 0; k < kStatusFields; ++k) {
        EXPECT_NE(text->at(static_cast<std::size_t>(k) * 5 + 4), ' ') << k;
    }
    // Cold and dark: room temperature, sensors fitted, nothing turning.
    EXPECT_NEAR(f[slot::kMatTemp], 22, 1);
    EXPECT_NEAR(f[slot::kShtTemp], 22, 1);
    EXPECT_EQ(f[slot::kLpc], 0);
    EXPECT_EQ(f[slot::kTachoM], 0);
}

TEST_F(FadecModelTest, CommandFrameIsKeptAndCounted) {
    power();
    const StatusFields f = exchange({.qth = 1, .motor = 100});
    s.advance(50);
    ASSERT_TRUE(model->lastCommandFrame());
    EXPECT_EQ(*model->lastCommandFrame(), answerTo(f, {.qth = 1, .motor = 100}));
    EXPECT_EQ(model->commandFramesReceived(), 1u);
    EXPECT_EQ(model->bytesDiscarded(), 0u);
}

TEST_F(FadecModelTest, EagerModeSendsTheNextFrameWhenTheAnswerArrives) {
    power({.eager = true});
    std::vector<std::int64_t> done;
    for (int i = 0; i < 4; ++i) {
        exchange();
        done.push_back(s.now() - 30);
    }
    // Frame 83.3 ms, the PC's 30 ms, the answer 17.7 ms on the wire.
    for (std::size_t i = 1; i < done.size(); ++i) {
        EXPECT_NEAR(done[i] - done[i - 1], 83.3 + 30 + 17.7, 2.0) << i;
    }
    // Without an answer it waits for the fallback, then goes on.
    const auto before = s.now();
    ASSERT_TRUE(frame());
    ASSERT_TRUE(frame());
    EXPECT_NEAR(s.now() - before, 83.3 + 30 + 17.7 - 30 + FadecModel::kEagerFallbackMs, 2.0);
    EXPECT_EQ(model->framesUnanswered(), 1u);
}

// --- Start, programme steps, stop ---

struct WalkCase {
    sp::Timings t;
    // Steps that last long enough to be in a frame, with their phase.
    std::vector<std::pair<int, int>> visible;
};

class StartWalk : public FadecModelTest, public ::testing::WithParamInterface<WalkCase> {};

TEST_P(StartWalk, StepsAndPhasesLeadToPhase5) {
    const WalkCase& c = GetParam();
    FadecConfig config;
    config.parameters[18] = static_cast<std::uint8_t>(c.t.z1);
    config.parameters[19] = static_cast<std::uint8_t>(c.t.z2);
    config.parameters[20] = static_cast<std::uint8_t>(c.t.z3);
    power(config);
    exchange();
    exchange({.order = 1});
    const std::int64_t startAt = s.now();
    const auto seen = exchangeUntil({.order = 1}, 60000,
                                    [](const StatusFields& f) { return f[slot::kPhase] == 5; });
    ASSERT_EQ(seen.back().f[slot::kPhase], 5);
    EXPECT_EQ(seen.back().f[slot::kRampStep], sp::phase5Step(c.t));
    EXPECT_NEAR(seen.back().at - startAt, sp::startDurationMs(c.t), 300);

    std::vector<std::pair<int, int>> stepPhase;
    int lastStep = 0;
    for (const Seen& x : seen) {
        const int step = x.f[slot::kRampStep];
        EXPECT_GE(step, lastStep) << "at " << x.at;
        lastStep = step;
        stepPhase.emplace_back(step, x.f[slot::kPhase]);
        EXPECT_EQ(x.f[slot::kStartStop], 1);
        EXPECT_EQ(x.f[slot::kActivationConfirm], 1);
    }
    for (int step = 1; step <= 13; ++step) {
        EXPECT_NE(std::find(stepPhase.begin(), stepPhase.end(), std::pair{step, 1}),
                  stepPhase.end())
            << "step " << step;
    }
    for (const auto& v : c.visible) {
        EXPECT_NE(std::find(stepPhase.begin(), stepPhase.end(), v), stepPhase.end())
            << "step " << v.first << " in phase " << v.second;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Timings, StartWalk,
    ::testing::Values(
        WalkCase{{50, 20, 15},
                 {{14, 2}, {15, 2}, {64, 3}, {65, 3}, {85, 4}, {86, 4}, {89, 4}, {101, 5}}},
        WalkCase{{5, 3, 2}, {{14, 2}, {15, 2}, {19, 3}, {20, 3}, {23, 4}, {25, 4}, {26, 5}}}));

TEST(StartProgram, DefaultStartTakesSecondsNotMinutes) {
    EXPECT_GT(sp::startDurationMs({}), 10000);
    EXPECT_LT(sp::startDurationMs({}), 30000);
}

TEST_F(FadecModelTest, MotorAndFansAreUpToSpeedWhenTheirTestStepsCome) {
    power();
    exchange({.order = 1});
    const auto seen = exchangeUntil({.order = 1}, 20000,
                                    [](const StatusFields& f) { return f[slot::kPhase] == 2; });
    for (const Seen& x : seen) {
        if (x.f[slot::kRampStep] == sp::kMotorTestStep) {
            EXPECT_NEAR(x.f[slot::kTachoM], FadecModel::kDefaultMotorCode, 2);
        }
        if (x.f[slot::kRampStep] == 13) {
            EXPECT_NEAR(x.f[slot::kTachoV1], LampPlant::kFanV1Code, 2);
            EXPECT_NEAR(x.f[slot::kTachoV2], LampPlant::kFanV2Code, 2);
        }
    }
}

TEST_F(FadecModelTest, StopLeadsToPhase6AndAfterTheRestToPhase0) {
    power({.restMs = 60000});
    lightUp();
    exchange({.order = 2});
    const StatusFields stopping = exchange({.order = 2});
    EXPECT_EQ(stopping[slot::kPhase], 6);
    EXPECT_EQ(stopping[slot::kStartStop], 2);
    EXPECT_EQ(stopping[slot::kLpc], 0);
    const std::int64_t stoppedAt = s.now();
    const auto seen = exchangeUntil({.order = 2}, 70000,
                                    [](const StatusFields& f) { return f[slot::kPhase] == 0; });
    ASSERT_EQ(seen.back().f[slot::kPhase], 0);
    EXPECT_NEAR(seen.back().at - stoppedAt, 60000, 500);
    // The fans cool the magnetron through the rest, then stop.
    EXPECT_GT(seen[seen.size() - 2].f[slot::kTachoV1], 50);
    // A stop order in phase 0 does nothing; a start order starts again.
    EXPECT_EQ(exchange({.order = 2})[slot::kPhase], 0);
    exchange({.order = 1});
    EXPECT_EQ(exchange({.order = 1})[slot::kPhase], 1);
}

TEST_F(FadecModelTest, StopDuringIgnitionAbortsIt) {
    power();
    exchange({.order = 1});
    exchangeUntil({.order = 1}, 30000, [](const StatusFields& f) { return f[slot::kPhase] == 3; });
    exchange({.order = 2});
    const StatusFields f = exchange({.order = 2});
    EXPECT_EQ(f[slot::kPhase], 6);
    EXPECT_EQ(f[slot::kPowerPhase5], 0);
}

TEST_F(FadecModelTest, HotMagnetronCoolsDownBeforeTheNextIgnition) {
    power({.restMs = 1000});
    lightUp(130);
    exchangeFor({.order = 1, .power = 130}, 90000);
    ASSERT_GE(model->readings().mat, sp::kMaxStartMatC);
    exchange({.order = 2});
    exchangeUntil({.order = 2}, 5000, [](const StatusFields& f) { return f[slot::kPhase] == 0; });
    exchange({.order = 1});
    const auto seen = exchangeUntil({.order = 1}, 60000,
                                    [](const StatusFields& f) { return f[slot::kPhase] == 2; });
    ASSERT_EQ(seen.back().f[slot::kPhase], 2);
    int loops = 0;
    for (std::size_t i = 1; i < seen.size(); ++i) {
        if (seen[i - 1].f[slot::kRampStep] == sp::kMatCheckStep &&
            seen[i].f[slot::kRampStep] == sp::kFanStartStep) {
            ++loops;
        }
    }
    EXPECT_GE(loops, 1);
    EXPECT_LT(seen.back().f[slot::kMatTemp], sp::kMaxStartMatC + 1);
}

// --- Power and sensors ---

TEST_F(FadecModelTest, LightFollowsThePowerSetPoint) {
    power();
    lightUp(50);
    exchangeFor({.order = 1, .power = 50}, 3000);
    const StatusFields low = exchange({.order = 1, .power = 120});
    exchangeFor({.order = 1, .power = 120}, 3000);
    const StatusFields high = exchange({.order = 1, .power = 120});
    EXPECT_EQ(low[slot::kPowerPhase5], 50);
    EXPECT_EQ(high[slot::kPowerPhase5], 120);
    for (const int k : {slot::kLpc, slot::kLfc, slot::kVis, slot::kIr}) {
        EXPECT_GT(high[static_cast<std::size_t>(k)], low[static_cast<std::size_t>(k)] + 10)
            << kSlots[static_cast<std::size_t>(k)].name;
    }
    EXPECT_NEAR(high[slot::kLpc], 192, 3);
    for (const int k : {slot::kShtTemp, slot::kVis, slot::kIr, slot::kRh}) {
        EXPECT_LT(high[static_cast<std::size_t>(k)], 255) << "255 reads as no sensor";
    }
}

TEST_F(FadecModelTest, SetPointCountsOnlyInAnswersToPhase5Frames) {
    power();
    exchange({.order = 1});
    exchangeUntil({.order = 1}, 30000, [](const StatusFields& f) { return f[slot::kPhase] == 3; });
    // A PC that sent its set-point too early would not change the start power.
    StatusFields f = nextFields();
    s.advance(30);
    CommandSlots early = answerTo(f, {.order = 1});
    early[slot::kPowerPhase5] = 120;
    send(early);
    EXPECT_EQ(nextFields()[slot::kPowerPhase5], 50);  // row 23, magnetron start power
}

TEST_F(FadecModelTest, SameSeedSameFramesOtherSeedOtherNoise) {
    auto run = [](std::uint32_t seed) {
        VirtualScheduler s;
        VirtualSerialHub hub{s};
        VirtualSerialLine& line = hub.line(1);
        line.connectDevice();
        DeviceFadecPort port{line.device()};
        FadecModel model(s, port, {.seed = seed});
        std::vector<std::string> frames;
        for (int i = 0; i < 20; ++i) {
            s.advance(FadecModel::kFrameIntervalMs);
            frames.push_back(model.lastStatusFrame());
        }
        return frames;
    };
    EXPECT_EQ(run(7), run(7));
    EXPECT_NE(run(7), run(8));
}

// --- Parameter transfers ---

TEST_F(FadecModelTest, ReadRequestIsAnsweredWithTheParameterTable) {
    power();
    exchange({.bank = 2});
    const auto text = frame();
    ASSERT_TRUE(text);
    const StatusFields f = fieldsOf(*text);
    const FadecParameters defaults = defaultFadecParameters();
    EXPECT_EQ(f[0], kParameterFrame);
    for (int k = 1; k < 32; ++k) {
        EXPECT_EQ(f[static_cast<std::size_t>(k)], defaults[static_cast<std::size_t>(k)]) << k;
    }
    EXPECT_EQ(f[18], 50);
    EXPECT_EQ(f[28], 60);
    // Then back to status frames.
    EXPECT_EQ(nextFields()[0], 0);
}

TEST_F(FadecModelTest, ParameterWriteIsStoredAndIsNoOrder) {
    power();
    exchange();
    CommandSlots table{};
    for (std::size_t k = 0; k < table.size(); ++k) {
        table[k] = static_cast<std::uint8_t>(k + 100);
    }
    table[0] = 1;
    table[slot::kStartStop] = 1;  // parameter 2, not a start
    table[slot::kFrameMode] = 4;  // parameter 31, not a request
    table[slot::kLpc] = 2;        // parameter 12, not a reset
    const auto counterBefore = model->counterMinutes(HourCounter::SLamp);
    nextFields();
    s.advance(30);
    send(table);
    const StatusFields after = nextFields();
    EXPECT_EQ(model->parameterWrites(), 1u);
    EXPECT_EQ(after[slot::kPhase], 0);
    EXPECT_EQ(after[slot::kFrameMode], 0);
    EXPECT_EQ(model->counterMinutes(HourCounter::SLamp), counterBefore);
    for (std::size_t k = 1; k < 32; ++k) {
        EXPECT_EQ(model->parameters()[k], table[k]) << k;
    }
    s.advance(30);
    send(answerTo(after, {.bank = 2}));
    const StatusFields readBack = nextFields();
    EXPECT_EQ(readBack[0], 2);
    for (std::size_t k = 1; k < 32; ++k) {
        EXPECT_EQ(readBack[k], table[k]) << k;
    }
}

TEST_F(FadecModelTest, WrittenTimingsDriveTheNextStart) {
    power();
    exchange();
    CommandSlots table{};
    const FadecParameters defaults = defaultFadecParameters();
    std::copy(defaults.begin(), defaults.end(), table.begin());
    table[0] = 1;
    table[18] = 5;
    table[19] = 3;
    table[20] = 2;
    nextFields();
    s.advance(30);
    send(table);
    exchange({.order = 1});
    const auto seen = exchangeUntil({.order = 1}, 30000,
                                    [](const StatusFields& f) { return f[slot::kPhase] == 5; });
    EXPECT_EQ(seen.back().f[slot::kRampStep], 26);
}

// --- Hour counters ---

struct CounterBytes {
    int minutes, low, high;
    int hours() const { return minutes / 60 + 4 * (low + 256 * high); }
};

CounterBytes counterAt(const StatusFields& f, HourCounter c) {
    const std::size_t first = 13 + 3 * static_cast<std::size_t>(c);
    return {f[first], f[first + 1], f[first + 2]};
}

TEST_F(FadecModelTest, RequestCode5IsAnsweredWithACounterFrame) {
    power({.counterMinutes = {1034 * 60 + 30, 0, 65535 * 240 + 239}});
    const StatusFields normal = exchange({.request = 5, .mode = 4});
    const StatusFields f = nextFields();
    EXPECT_EQ(f[slot::kFrameMode], kCounterFrame);
    EXPECT_EQ(counterAt(f, HourCounter::SLamp).hours(), 1034);
    EXPECT_EQ(counterAt(f, HourCounter::SLamp).minutes, (1034 * 60 + 30) % 240);
    EXPECT_EQ(counterAt(f, HourCounter::HLamp).hours(), 0);
    const CounterBytes m = counterAt(f, HourCounter::Magnetron);
    EXPECT_EQ(m.minutes, 239);
    EXPECT_EQ(m.low, 255);
    EXPECT_EQ(m.high, 255);
    // The rest of the frame is the status as usual.
    EXPECT_EQ(f[slot::kSynchro], kSynchroReady);
    EXPECT_EQ(f[slot::kStampVersion], normal[slot::kStampVersion]);
    EXPECT_EQ(f[slot::kLpc], normal[slot::kLpc]);
}

TEST_F(FadecModelTest, ResetCodesClearOneCounterEach) {
    const std::array<std::int64_t, 3> start = {6000, 7000, 8000};
    for (int code = 2; code <= 4; ++code) {
        power({.counterMinutes = start});
        exchange({.request = code, .mode = 4});
        const StatusFields f = nextFields();
        ASSERT_EQ(f[slot::kFrameMode], kCounterFrame) << code;
        for (int c = 0; c < 3; ++c) {
            const int expected = c == code - 2 ? 0 : static_cast<int>(start[c] / 60);
            EXPECT_EQ(counterAt(f, static_cast<HourCounter>(c)).hours(), expected)
                << "code " << code << " counter " << c;
        }
        model.reset();
        s.advance(500);
        pc->read();
    }
}

TEST_F(FadecModelTest, CountersCountWhileLampAndMagnetronAreOn) {
    power({.counterMinutes = {0, 0, 0}});
    lightUp();
    const auto sBefore = model->counterMinutes(HourCounter::SLamp);
    const auto mBefore = model->counterMinutes(HourCounter::Magnetron);
    exchangeFor({.order = 1, .power = 100, .qth = 1}, std::int64_t{10} * 60000);
    EXPECT_NEAR(model->counterMinutes(HourCounter::SLamp) - sBefore, 10, 1);
    EXPECT_NEAR(model->counterMinutes(HourCounter::Magnetron) - mBefore, 10, 1);
    EXPECT_NEAR(model->counterMinutes(HourCounter::HLamp), 10, 1);
    exchange({.order = 2});
    exchangeFor({.order = 2}, std::int64_t{5} * 60000);
    EXPECT_NEAR(model->counterMinutes(HourCounter::SLamp) - sBefore, 10, 1);
}

TEST_F(FadecModelTest, FreezeHoldsThePowerUntilReleased) {
    power();
    lightUp(60);
    exchange({.order = 1, .power = 60, .request = 1, .mode = 4});
    EXPECT_EQ(nextFields()[slot::kFrameMode], kCounterFrame);  // acknowledged
    s.advance(30);
    exchangeFor({.order = 1, .power = 110}, 1000);
    EXPECT_TRUE(model->frozen());
    EXPECT_EQ(model->powerLevel(), 60);
    exchange({.order = 1, .power = 110, .request = 0, .mode = 4});
    exchangeFor({.order = 1, .power = 110}, 1000);
    EXPECT_FALSE(model->frozen());
    EXPECT_EQ(model->powerLevel(), 110);
}

// --- Hardware tests and relays ---

TEST_F(FadecModelTest, HardwareTestRunsMotorAndFansInPhase0) {
    struct Case {
        int mode;
        bool motor, fans;
    };
    power();
    for (const Case c :
         {Case{2, true, false}, Case{3, false, true}, Case{1, true, true}, Case{0, false, false}}) {
        exchangeFor({.motor = 100, .mode = c.mode}, 8000);
        const StatusFields f = exchange({.motor = 100, .mode = c.mode});
        EXPECT_EQ(f[slot::kTachoM] > 90, c.motor) << c.mode;
        EXPECT_EQ(f[slot::kTachoM] < 3, !c.motor) << c.mode;
        EXPECT_EQ(f[slot::kTachoV1] > 90, c.fans) << c.mode;
        EXPECT_EQ(f[slot::kTachoV2] < 3, !c.fans) << c.mode;
        EXPECT_EQ(f[slot::kFrameMode], c.mode) << c.mode;
    }
}

TEST_F(FadecModelTest, RelaysFollowSlots6And8) {
    power();
    struct Case {
        int qth, alarm, state;
    };
    for (const Case c : {Case{1, 0, 1}, Case{1, 1, 2}, Case{0, 1, 2}, Case{0, 0, 0}}) {
        exchange({.qth = c.qth, .alarm = c.alarm});
        const StatusFields f = exchange({.qth = c.qth, .alarm = c.alarm});
        EXPECT_EQ(f[slot::kQthRelay], c.qth);
        EXPECT_EQ(f[slot::kAlarmRelay], c.alarm);
        EXPECT_EQ(f[slot::kQthIrState], c.state);
    }
}

// --- Faults ---

TEST_F(FadecModelTest, SilentSendsNothingUntilResumed) {
    power();
    ASSERT_TRUE(frame());
    model->setSilent(true);
    EXPECT_EQ(bytesFor(2000), "");
    model->setSilent(false);
    EXPECT_EQ(bytesFor(FadecModel::kFrameIntervalMs + 100).size(), 160u);
}

TEST_F(FadecModelTest, FieldFaultsChangeOnlyTheirFields) {
    power();
    const std::string clean = *frame();
    model->setUnsynchronised(true);
    model->garble(12);
    model->force(10, 70000);
    model->force(3, -12);
    model->setErrorCode(7);
    const std::string faulty = *frame();
    ASSERT_EQ(faulty.size(), 160u);
    EXPECT_EQ(field(faulty, slot::kSynchro), 0);
    EXPECT_EQ(faulty.substr(60, 5), "?#x!*");
    EXPECT_FALSE(field(faulty, 12));
    EXPECT_EQ(faulty.substr(50, 5), "70000");
    EXPECT_EQ(faulty.substr(15, 5), "  -12");
    EXPECT_EQ(field(faulty, slot::kErrorCode), 7);
    EXPECT_EQ(faulty.substr(130, 5), clean.substr(130, 5));  // the version

    model->release(10);
    model->ungarble(12);
    model->setUnsynchronised(false);
    const std::string healed = *frame();
    EXPECT_TRUE(field(healed, 12));
    EXPECT_NEAR(*field(healed, 10), 22, 1);
    EXPECT_EQ(field(healed, slot::kSynchro), kSynchroReady);
    EXPECT_EQ(healed.substr(15, 5), "  -12");  // still forced
    model->clearFaults();
    EXPECT_EQ(field(*frame(), slot::kErrorCode), 0);
}

TEST_F(FadecModelTest, ForcedFieldWinsInEveryFrameKind) {
    power();
    model->force(30, 123);
    model->force(5, 9);
    exchange({.bank = 2});
    const StatusFields params = nextFields();
    EXPECT_EQ(params[0], kParameterFrame);
    EXPECT_EQ(params[30], 123);
    EXPECT_EQ(params[5], 9);
}

TEST_F(FadecModelTest, SplitFramesArriveInTwoPiecesWithAPause) {
    power();
    ASSERT_TRUE(frame());
    model->splitFrames(100, 50);
    std::vector<std::pair<std::int64_t, std::size_t>> arrivals;  // (ms, bytes so far)
    SerialSettings settings = pc->settings();
    settings.rThreshold = 1;
    settings.inputLen = 0;
    pc->setSettings(settings);
    std::size_t total = 0;
    pc->setEventHandler([&](int) {
        total += pc->read().size();
        arrivals.emplace_back(s.now(), total);
    });
    s.advance(300);
    ASSERT_FALSE(arrivals.empty());
    EXPECT_EQ(arrivals.back().second, 160u);
    std::int64_t longestGap = 0;
    std::size_t bytesBeforeGap = 0;
    for (std::size_t i = 1; i < arrivals.size(); ++i) {
        const std::int64_t gap = arrivals[i].first - arrivals[i - 1].first;
        if (gap > longestGap) {
            longestGap = gap;
            bytesBeforeGap = arrivals[i - 1].second;
        }
    }
    EXPECT_EQ(bytesBeforeGap, 100u);
    EXPECT_GE(longestGap, 50);
    EXPECT_LE(longestGap, 52);
}

TEST_F(FadecModelTest, LostAndExtraCharactersHitOnlyTheNextFrame) {
    struct Case {
        const char* what;
        std::function<void(FadecModel&)> fault;
        std::size_t length;
    };
    const Case cases[] = {
        {"lost", [](FadecModel& m) { m.dropCharacters(3, 10); }, 157},
        {"extra", [](FadecModel& m) { m.insertCharacters("xy", 0); }, 162},
    };
    for (const Case& c : cases) {
        power();
        s.advance(250);
        pc->read();
        c.fault(*model);
        const std::string two = bytesFor(400);
        EXPECT_EQ(two.size(), c.length + 160) << c.what;
        EXPECT_EQ(model->lastStatusFrame().size(), 160u) << c.what;
        model.reset();
        s.advance(200);
        pc->read();
    }
}

// --- The receiving side ---

TEST_F(FadecModelTest, CommandFramesAreFoundInWhateverPiecesTheyCome) {
    power();
    const StatusFields f = nextFields();
    CommandSlots c = answerTo(f, {.order = 1});
    c[20] = '\r';  // CR LF inside the slots is data
    c[21] = '\n';
    const std::string bytes = formatCommandFrame(c);
    pc->write("\x13junk" + bytes.substr(0, 10));  // noise first, then a fragment
    s.advance(10);
    pc->write(bytes.substr(10));
    s.advance(40);
    EXPECT_EQ(model->commandFramesReceived(), 1u);
    EXPECT_EQ(model->lastCommandFrame(), c);
    EXPECT_EQ(model->bytesDiscarded(), 5u);
    EXPECT_EQ(model->phase(), 1);
}

TEST_F(FadecModelTest, AFragmentFollowedByAPauseIsDropped) {
    power();
    const StatusFields f = nextFields();
    const std::string bytes = formatCommandFrame(answerTo(f, {.order = 1}));
    pc->write(bytes.substr(0, 20));
    s.advance(20 + FadecModel::kReceiveGapMs);
    pc->write(bytes);
    s.advance(40);
    EXPECT_EQ(model->commandFramesReceived(), 1u);
    EXPECT_EQ(model->bytesDiscarded(), 20u);
}

// Frames nobody could hear (the PC end not open when they went out, or
// closed since) are lost, not left unanswered.
TEST(FadecModelListening, OnlyFramesThePcCouldHearCountAsUnanswered) {
    struct SwitchedPort : FadecPort {
        void write(std::string_view) override {}
        void setReceiver(std::function<void(std::string_view)>) override {}
        bool listening() const override { return open; }
        bool open = false;
    };
    VirtualScheduler s;
    SwitchedPort port;
    FadecModel model(s, port, FadecConfig{});
    s.advance(3 * FadecModel::kFrameIntervalMs);  // before the PC opened its end
    EXPECT_EQ(model.framesUnanswered(), 0u);
    port.open = true;
    s.advance(FadecModel::kFrameIntervalMs);  // the first frame it could hear
    s.advance(2 * FadecModel::kFrameIntervalMs);
    EXPECT_EQ(model.framesUnanswered(), 2u);
    port.open = false;  // the PC quit with a frame on its way
    s.advance(2 * FadecModel::kFrameIntervalMs);
    EXPECT_EQ(model.framesUnanswered(), 2u);
}

}  // namespace
}  // namespace lec::sim
