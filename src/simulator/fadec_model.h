#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "link/frame_format.h"
#include "platform/scheduler.h"
#include "simulator/fadec_port.h"
#include "simulator/lamp_plant.h"
#include "simulator/start_program.h"

namespace lec::sim {

enum class HourCounter { SLamp = 0, HLamp = 1, Magnetron = 2 };

using FadecParameters = std::array<std::uint8_t, 32>;

// The built-in parameter table of a new board (row 0, the bank index, is 0).
FadecParameters defaultFadecParameters();

struct FadecConfig {
    std::string name = "FADEC";  // prefixes its timers' names
    std::uint32_t seed = 1;      // the noise of its sensors
    int version = 23;            // firmware version, status slot 26
    // Send the next status frame as soon as the PC's answer to the previous
    // one has arrived, instead of every 200 ms.
    bool eager = false;
    // How long the board stays in phase 6 after a stop before it is back in 0.
    int restMs = 60000;
    bool shtSensor = true;  // without one, slot 11 reads 255
    FadecParameters parameters = defaultFadecParameters();
    // Minutes on the S-Lamp, H-Lamp and magnetron counters.
    std::array<std::int64_t, 3> counterMinutes = {62070, 24960, 65010};
};

// A plausible FADEC controller board on its serial line.
//
// It sends a 160-character status frame every 200 ms (123 in field 30) and
// takes the PC's 34-byte command frames from the line. A start order (slot 2
// = 1) in phase 0 runs the start-up programme through phases 1 to 4 to the
// lit phase 5, reporting the programme step in slot 5; a stop order (2) in
// phases 1 to 5 leads to phase 6 and, after the rest, back to 0. In phase 5
// the light follows the power set-point of slot 4. A read request (slot 0 =
// 2) is answered by a parameter frame (slot 0 = 2, slots 1..31 the table);
// a frame with slot 0 = 1 is a parameter write and nothing else. Every
// request of slot 12 (slot 31 = 4) is acknowledged with a counter frame
// (slot 31 = 5, slots 13..21 the hour counters): 0 ends a freeze, 1 freezes
// the power, 2..4 reset a counter, 5 only asks. In phase 0, slot 31 = 1..3
// runs the motor and fans for a hardware test; slots 6 and 8 switch the
// relays.
//
// For tests it has named faults, as a misbehaving board or cable would show
// them, and counters of what went over the line.
class FadecModel {
public:
    static constexpr int kFrameIntervalMs = 200;
    // Eager mode: how long the board waits for an answer before it sends the
    // next frame anyway.
    static constexpr int kEagerFallbackMs = 1000;
    // A pause longer than this between received bytes starts a new command
    // frame (a fragment is never glued to the next answer).
    static constexpr int kReceiveGapMs = 20;
    // Motor set-point while the PC sends 0 in slot 24 (2520 rpm).
    static constexpr int kDefaultMotorCode = 84;

    // The board is powered on: it starts sending at once. `port` must outlive it.
    FadecModel(Scheduler& scheduler, FadecPort& port, FadecConfig config = {});
    ~FadecModel();
    FadecModel(const FadecModel&) = delete;
    FadecModel& operator=(const FadecModel&) = delete;

    // --- State ---
    int phase() const { return phase_; }
    int step() const { return step_; }
    const FadecParameters& parameters() const { return parameters_; }
    int powerLevel() const;  // status slot 4
    bool frozen() const { return frozen_; }
    bool qthRelay() const { return qthRelay_; }
    bool alarmRelay() const { return alarmRelay_; }
    int testMode() const { return testMode_; }  // 0 off, 1 M+V1+V2, 2 M, 3 V1+V2
    std::int64_t counterMinutes(HourCounter counter) const;
    const PlantReadings& readings() const { return plant_.readings(); }
    // The fields of the next normal status frame, before any fault.
    StatusFields statusFields() const;

    // --- Faults ---
    // Sends nothing (still takes what the PC sends).
    void setSilent(bool on) { silent_ = on; }
    bool silent() const { return silent_; }
    // Field 30 carries 0 instead of 123: the PC never answers.
    void setUnsynchronised(bool on) { unsynchronised_ = on; }
    // Field `field` carries `text` (right-aligned in five characters) instead
    // of its number.
    void garble(int field, std::string text = "?#x!*");
    void ungarble(int field);
    // Field `field` carries `value` in every frame, whatever its kind.
    void force(int field, int value);
    void release(int field);
    // A FADEC error code in slot 9 (0 = none).
    void setErrorCode(int code) { errorCode_ = code; }
    // Each frame leaves in two pieces: the first `firstPiece` characters, then,
    // `pauseMs` after they are on the wire, the rest. 0 ends it.
    void splitFrames(int firstPiece, int pauseMs);
    // The next frame loses `count` characters from position `at` on.
    void dropCharacters(int count, int at = 0);
    // The next frame carries `extra` inserted at position `at`.
    void insertCharacters(std::string extra, int at = 0);
    void clearFaults();

    // --- Counters ---
    std::uint64_t statusFramesSent() const { return statusFramesSent_; }
    std::uint64_t commandFramesReceived() const { return commandFramesReceived_; }
    const std::optional<CommandSlots>& lastCommandFrame() const { return lastCommand_; }
    const std::string& lastStatusFrame() const { return lastStatusFrame_; }
    // Frames that asked for an answer (123 in field 30) and were followed by
    // the next frame before one came.
    std::uint64_t framesUnanswered() const { return framesUnanswered_; }
    // Received bytes that made no command frame.
    std::uint64_t bytesDiscarded() const { return bytesDiscarded_; }
    std::uint64_t parameterWrites() const { return parameterWrites_; }

private:
    enum class FrameKind { Status, Parameters, Counters };

    void sendFrame();
    StatusFields fieldsFor(FrameKind kind) const;
    std::string frameText(const StatusFields& fields) const;
    void transmit(std::string_view text);
    void writeRemainder();

    void receive(std::string_view bytes);
    void handleCommand(const CommandSlots& c);
    void applyOrders(const CommandSlots& c);
    void handleRequest(int code);

    void tick();
    void advanceProgramme();
    void beginStart();
    void beginStop();
    PlantDrive drive() const;
    bool magnetronOn() const;
    void countHours(int ms);

    Scheduler& scheduler_;
    FadecPort& port_;
    FadecConfig config_;
    std::shared_ptr<FadecModel*> self_;  // posted tasks check it

    std::unique_ptr<Timer> frameTimer_;
    std::unique_ptr<Timer> tickTimer_;
    std::unique_ptr<Timer> splitTimer_;

    // Board state.
    FadecParameters parameters_;
    LampPlant plant_;
    start_program::Timings timings_;
    int phase_ = 0;
    int step_ = 0;
    int ticksLeft_ = 0;
    int restTicksLeft_ = 0;
    int order_ = 0;     // the last start/stop order received, reported in slot 2
    int powerSet_ = 0;  // phase 5 power
    int motorCode_ = kDefaultMotorCode;
    int testMode_ = 0;
    int errorCode_ = 0;
    std::array<std::int64_t, 3> counterMs_{};  // S-Lamp, H-Lamp, magnetron
    bool frozen_ = false;
    bool qthRelay_ = false;
    bool alarmRelay_ = false;
    bool parameterFramePending_ = false;
    bool counterFramePending_ = false;

    // Line state.
    bool awaitingAnswer_ = false;
    bool answered_ = false;
    bool lastFrameHeard_ = true;  // the PC end was open when the last frame went out
    std::int64_t lastRxMs_ = 0;
    std::string rxBuffer_;
    std::string pendingOutput_;  // the rest of a split frame

    // Faults.
    bool silent_ = false;
    bool unsynchronised_ = false;
    int splitFirst_ = 0;
    int splitPauseMs_ = 0;
    int dropCount_ = 0;
    int dropAt_ = 0;
    int insertAt_ = 0;
    std::string insertText_;
    std::array<std::optional<std::string>, kStatusFields> garbled_;
    std::array<std::optional<int>, kStatusFields> forced_;

    // Counters.
    std::uint64_t statusFramesSent_ = 0;
    std::uint64_t commandFramesReceived_ = 0;
    std::uint64_t framesUnanswered_ = 0;
    std::uint64_t bytesDiscarded_ = 0;
    std::uint64_t parameterWrites_ = 0;
    std::optional<CommandSlots> lastCommand_;
    std::string lastStatusFrame_;
};

}  // namespace lec::sim
