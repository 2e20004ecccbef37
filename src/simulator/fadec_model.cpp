#include "simulator/fadec_model.h"

#include <algorithm>

#include "core/slots.h"
#include "maintenance/fadec_param_table.h"

namespace lec::sim {

namespace {

namespace sp = start_program;

// Parameter rows the board works with.
constexpr int kRowZ1 = 18;
constexpr int kRowZ2 = 19;
constexpr int kRowZ3 = 20;
constexpr int kRowMagnetronStartPower = 23;
constexpr int kRowPhase5StartPower = 25;
constexpr int kRowLpcLevel = 30;

// Slot 0 of a command frame, slot 31 of a request.
constexpr int kParameterWrite = 1;
constexpr int kRequestMode = 4;
// Request codes of slot 12.
constexpr int kEndFreeze = 0;
constexpr int kFreeze = 1;
constexpr int kResetSLamp = 2;
constexpr int kResetMagnetron = 4;

constexpr int kStartOrder = 1;
constexpr int kStopOrder = 2;
constexpr int kNoSensor = 255;
constexpr std::int64_t kMsPerMinute = 60000;
constexpr std::int64_t kMinutesPerBlock = 240;  // the counters count four-hour blocks

// The time `bytes` characters take on the wire at 19200 baud, 10 bits each.
int wireMs(std::size_t bytes) {
    return static_cast<int>((static_cast<std::int64_t>(bytes) * 10 * 1000 + 19199) / 19200);
}

std::size_t fieldIndex(int field) {
    return static_cast<std::size_t>(std::clamp(field, 0, kStatusFields - 1));
}

bool validField(int field) {
    return field >= 0 && field < kStatusFields;
}

}  // namespace

FadecParameters defaultFadecParameters() {
    FadecParameters p{};
    for (int row = 0; row < fadec_param::kRows; ++row) {
        p[static_cast<std::size_t>(row)] = static_cast<std::uint8_t>(
            fadec_param::kTable[static_cast<std::size_t>(row)].defaultValue);
    }
    return p;
}

FadecModel::FadecModel(Scheduler& scheduler, FadecPort& port, FadecConfig config)
    : scheduler_(scheduler),
      port_(port),
      config_(std::move(config)),
      self_(std::make_shared<FadecModel*>(this)),
      parameters_(config_.parameters),
      plant_(config_.seed) {
    for (std::size_t c = 0; c < counterMs_.size(); ++c) {
        counterMs_[c] = config_.counterMinutes[c] * kMsPerMinute;
    }
    frameTimer_ =
        scheduler_.createTimer(config_.name + " frames", kFrameIntervalMs, [this] { sendFrame(); });
    tickTimer_ =
        scheduler_.createTimer(config_.name + " programme", sp::kTickMs, [this] { tick(); });
    splitTimer_ = scheduler_.createTimer(config_.name + " split", 1, [this] { writeRemainder(); });
    port_.setReceiver([this](std::string_view bytes) { receive(bytes); });
    frameTimer_->start();
    tickTimer_->start();
}

FadecModel::~FadecModel() {
    port_.setReceiver({});
}

// ---------------------------------------------------------------------------
// What the board reports

int FadecModel::powerLevel() const {
    if (!magnetronOn()) {
        return 0;
    }
    return phase_ == 5 ? powerSet_ : parameters_[kRowMagnetronStartPower];
}

std::int64_t FadecModel::counterMinutes(HourCounter counter) const {
    return counterMs_[static_cast<std::size_t>(counter)] / kMsPerMinute;
}

StatusFields FadecModel::statusFields() const {
    const PlantReadings& r = plant_.readings();
    const PlantDrive d = drive();
    StatusFields f{};
    f[slot::kBankIndex] = 0;
    f[slot::kPhase] = phase_;
    f[slot::kStartStop] = order_;
    f[slot::kActivationConfirm] = (phase_ >= 1 && phase_ <= 5) ? 1 : 0;
    f[slot::kPowerPhase5] = powerLevel();
    // The step counter is a byte register: long ignition timings wrap it, as
    // every echoed slot must stay a byte for the PC to answer at all.
    f[slot::kRampStep] = step_ & 0xFF;
    f[slot::kQthRelay] = qthRelay_ ? 1 : 0;
    f[slot::kQthIrState] = alarmRelay_ ? 2 : (qthRelay_ ? 1 : 0);
    f[slot::kAlarmRelay] = alarmRelay_ ? 1 : 0;
    f[slot::kErrorCode] = errorCode_;
    f[slot::kMatTemp] = r.mat;
    f[slot::kShtTemp] = config_.shtSensor ? r.sht : kNoSensor;
    f[slot::kLpc] = r.lpc;
    f[slot::kLfc] = r.lfc;
    f[slot::kBattery] = r.battery;
    f[slot::kVcc] = r.vcc;
    f[slot::kVis] = r.vis;
    f[slot::kIr] = r.ir;
    f[slot::kRh] = r.rh;
    f[slot::kMotorSpeedSet] = motorCode_;
    f[slot::kMotorDa] = d.motor ? motorCode_ : 0;
    f[slot::kStampVersion] = config_.version;
    f[slot::kTachoM] = r.tachoM;
    f[slot::kTachoV1] = r.tachoV1;
    f[slot::kTachoV2] = r.tachoV2;
    f[slot::kSynchro] = kSynchroReady;
    // Which of the motor and fans run, as the hardware test numbers them.
    f[slot::kFrameMode] = d.motor ? (d.fans ? 1 : 2) : (d.fans ? 3 : 0);
    return f;
}

StatusFields FadecModel::fieldsFor(FrameKind kind) const {
    if (kind == FrameKind::Parameters) {
        StatusFields f{};
        std::copy(parameters_.begin(), parameters_.end(), f.begin());
        f[slot::kBankIndex] = kParameterFrame;
        return f;
    }
    StatusFields f = statusFields();
    if (kind == FrameKind::Counters) {
        for (std::size_t c = 0; c < counterMs_.size(); ++c) {
            const std::int64_t minutes = counterMs_[c] / kMsPerMinute;
            const std::int64_t blocks = minutes / kMinutesPerBlock;
            const std::size_t first = slot::kLfc + 3 * c;
            f[first] = static_cast<int>(minutes % kMinutesPerBlock);
            f[first + 1] = static_cast<int>(blocks & 0xFF);
            f[first + 2] = static_cast<int>((blocks >> 8) & 0xFF);
        }
        f[slot::kFrameMode] = kCounterFrame;
    }
    if (unsynchronised_) {
        f[slot::kSynchro] = 0;
    }
    return f;
}

// ---------------------------------------------------------------------------
// Sending

void FadecModel::sendFrame() {
    if (config_.eager) {
        // The next frame follows the answer; this timer only covers a frame
        // that gets none, or needs none.
        frameTimer_->stop();
    }
    if (silent_) {
        if (config_.eager) {
            frameTimer_->setInterval(kFrameIntervalMs);
            frameTimer_->start();
        }
        return;
    }
    // A frame counts as unanswered only when the PC was there to answer it:
    // from before it went out until now (frames sent before the program
    // opened its port, or as it quit, reached nobody).
    if (awaitingAnswer_ && !answered_ && lastFrameHeard_ && port_.listening()) {
        ++framesUnanswered_;
    }

    FrameKind kind = FrameKind::Status;
    if (parameterFramePending_) {
        kind = FrameKind::Parameters;
        parameterFramePending_ = false;
    } else if (counterFramePending_) {
        kind = FrameKind::Counters;
        counterFramePending_ = false;
    }
    StatusFields fields = fieldsFor(kind);
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (forced_[k]) {
            fields[k] = *forced_[k];
        }
    }
    awaitingAnswer_ = fields[slot::kSynchro] == kSynchroReady;
    answered_ = false;

    std::string text = frameText(fields);
    if (dropCount_ > 0) {
        const auto at = static_cast<std::size_t>(std::clamp<int>(dropAt_, 0, int(text.size())));
        text.erase(at, static_cast<std::size_t>(dropCount_));
        dropCount_ = 0;
    }
    if (!insertText_.empty()) {
        const auto at = static_cast<std::size_t>(std::clamp<int>(insertAt_, 0, int(text.size())));
        text.insert(at, insertText_);
        insertText_.clear();
    }
    lastStatusFrame_ = text;
    ++statusFramesSent_;
    lastFrameHeard_ = port_.listening();
    transmit(text);

    if (config_.eager) {
        frameTimer_->setInterval(awaitingAnswer_ ? kEagerFallbackMs : kFrameIntervalMs);
        frameTimer_->start();
    }
}

std::string FadecModel::frameText(const StatusFields& fields) const {
    std::string text = formatStatusFrame(fields);
    for (std::size_t k = 0; k < garbled_.size(); ++k) {
        if (garbled_[k]) {
            std::string field = garbled_[k]->substr(0, kStatusFieldWidth);
            field.insert(0, static_cast<std::size_t>(kStatusFieldWidth) - field.size(), ' ');
            text.replace(k * kStatusFieldWidth, kStatusFieldWidth, field);
        }
    }
    return text;
}

void FadecModel::transmit(std::string_view text) {
    if (!pendingOutput_.empty()) {
        // The rest of a split frame still waits: this one queues behind it.
        pendingOutput_ += text;
        return;
    }
    const auto first = static_cast<std::size_t>(splitFirst_);
    if (splitFirst_ > 0 && first < text.size()) {
        port_.write(text.substr(0, first));
        pendingOutput_ = std::string(text.substr(first));
        splitTimer_->setInterval(wireMs(first) + splitPauseMs_);
        splitTimer_->start();
        return;
    }
    port_.write(text);
}

void FadecModel::writeRemainder() {
    splitTimer_->stop();
    const std::string rest = std::move(pendingOutput_);
    pendingOutput_.clear();
    port_.write(rest);
}

// ---------------------------------------------------------------------------
// Receiving

void FadecModel::receive(std::string_view bytes) {
    const std::int64_t now = scheduler_.now();
    if (!rxBuffer_.empty() && now - lastRxMs_ > kReceiveGapMs) {
        bytesDiscarded_ += rxBuffer_.size();
        rxBuffer_.clear();
    }
    lastRxMs_ = now;
    rxBuffer_.append(bytes);
    // The slots are binary and may hold CR LF themselves: a frame is 34 bytes
    // whose last two are CR LF; anything else is skipped a byte at a time
    // until one lines up.
    std::size_t start = 0;
    while (rxBuffer_.size() - start >= static_cast<std::size_t>(kCommandFrameLength)) {
        const auto frame = parseCommandFrame(std::string_view(rxBuffer_).substr(
            start, static_cast<std::size_t>(kCommandFrameLength)));
        if (frame) {
            start += kCommandFrameLength;
            handleCommand(*frame);
        } else {
            ++start;
            ++bytesDiscarded_;
        }
    }
    rxBuffer_.erase(0, start);
}

void FadecModel::handleCommand(const CommandSlots& c) {
    ++commandFramesReceived_;
    lastCommand_ = c;
    const bool firstAnswer = awaitingAnswer_ && !answered_;
    answered_ = true;

    if (c[slot::kBankIndex] == kParameterWrite) {
        // The whole frame is the table: none of its slots is an order.
        std::copy(c.begin() + 1, c.end(), parameters_.begin() + 1);
        ++parameterWrites_;
    } else {
        if (c[slot::kBankIndex] == kParameterFrame) {
            parameterFramePending_ = true;
        }
        applyOrders(c);
    }

    if (config_.eager && firstAnswer) {
        scheduler_.post([weak = std::weak_ptr<FadecModel*>(self_)] {
            if (const auto self = weak.lock()) {
                (*self)->sendFrame();
            }
        });
    }
}

void FadecModel::applyOrders(const CommandSlots& c) {
    const int order = c[slot::kStartStop];
    order_ = order;
    if (order == kStartOrder && phase_ == 0) {
        beginStart();
    } else if (order == kStopOrder && phase_ >= 1 && phase_ <= 5) {
        beginStop();
    }
    // The set-point counts only in an answer to a phase-5 frame: before, the
    // PC echoes the board's own start power in that slot.
    if (phase_ == 5 && c[slot::kPhase] == 5 && !frozen_) {
        powerSet_ = c[slot::kPowerPhase5];
    }
    qthRelay_ = c[slot::kQthRelay] != 0;
    alarmRelay_ = c[slot::kAlarmRelay] != 0;
    motorCode_ = c[slot::kMotorSpeedSet] != 0 ? c[slot::kMotorSpeedSet] : kDefaultMotorCode;

    const int mode = c[slot::kFrameMode];
    if (mode == kRequestMode) {
        handleRequest(c[slot::kLpc]);
    } else if (mode <= 3) {
        // The motor and fan test runs only while the lamp is off.
        testMode_ = phase_ == 0 ? mode : 0;
    }
}

void FadecModel::handleRequest(int code) {
    if (code == kEndFreeze) {
        frozen_ = false;
    } else if (code == kFreeze) {
        frozen_ = true;
    } else if (code >= kResetSLamp && code <= kResetMagnetron) {
        counterMs_[static_cast<std::size_t>(code - kResetSLamp)] = 0;
    }
    // Every request is acknowledged with the counters: the PC repeats a
    // request in each command frame until a counter frame arrives.
    counterFramePending_ = true;
}

// ---------------------------------------------------------------------------
// The programme and the plant

void FadecModel::tick() {
    advanceProgramme();
    plant_.advance(drive(), sp::kTickMs / 1000.0);
    countHours(sp::kTickMs);
}

void FadecModel::advanceProgramme() {
    if (phase_ >= 1 && phase_ <= 4) {
        if (--ticksLeft_ > 0) {
            return;
        }
        const bool tooHot = step_ == sp::kMatCheckStep && plant_.matC() >= sp::kMaxStartMatC;
        step_ = tooHot ? sp::kFanStartStep : step_ + 1;
        phase_ = sp::phaseOfStep(step_, timings_);
        ticksLeft_ = sp::stepTicks(step_, timings_);
        if (phase_ == 5) {
            powerSet_ = parameters_[kRowPhase5StartPower];
        }
    } else if (phase_ == 6 && --restTicksLeft_ <= 0) {
        phase_ = 0;
        step_ = 0;
    }
}

void FadecModel::beginStart() {
    timings_ = {parameters_[kRowZ1], parameters_[kRowZ2], parameters_[kRowZ3]};
    phase_ = 1;
    step_ = sp::kStartStep;
    ticksLeft_ = sp::stepTicks(step_, timings_);
    testMode_ = 0;
    frozen_ = false;
}

void FadecModel::beginStop() {
    phase_ = 6;
    step_ = 0;
    restTicksLeft_ = std::max(1, config_.restMs / sp::kTickMs);
    frozen_ = false;
    plant_.advance(drive(), 0.0);
}

bool FadecModel::magnetronOn() const {
    return (phase_ == 2 && step_ >= sp::kMagnetronOnStep) || (phase_ >= 3 && phase_ <= 5);
}

PlantDrive FadecModel::drive() const {
    const bool running = phase_ >= 2 && phase_ <= 5;
    PlantDrive d;
    d.motor = testMode_ == 1 || testMode_ == 2 || running ||
              (phase_ == 1 && step_ >= sp::kMotorStartStep);
    d.fans = testMode_ == 1 || testMode_ == 3 || running || phase_ == 6 ||
             (phase_ == 1 && step_ >= sp::kFanStartStep);
    d.motorCode = motorCode_;
    d.magnetronPower = powerLevel();
    if (phase_ == 3 || phase_ == 4) {
        d.lampLpc = parameters_[kRowLpcLevel];
    } else if (phase_ == 5) {
        d.lampLpc = std::min(254, powerSet_ * 16 / 10);
    }
    d.qth = qthRelay_;
    return d;
}

void FadecModel::countHours(int ms) {
    const std::array<bool, 3> on = {phase_ == 5, qthRelay_, magnetronOn()};
    for (std::size_t c = 0; c < counterMs_.size(); ++c) {
        if (on[c]) {
            counterMs_[c] += ms;
        }
    }
}

// ---------------------------------------------------------------------------
// Faults

void FadecModel::garble(int field, std::string text) {
    if (validField(field)) {
        garbled_[fieldIndex(field)] = std::move(text);
    }
}

void FadecModel::ungarble(int field) {
    if (validField(field)) {
        garbled_[fieldIndex(field)].reset();
    }
}

void FadecModel::force(int field, int value) {
    if (validField(field)) {
        forced_[fieldIndex(field)] = value;
    }
}

void FadecModel::release(int field) {
    if (validField(field)) {
        forced_[fieldIndex(field)].reset();
    }
}

void FadecModel::splitFrames(int firstPiece, int pauseMs) {
    splitFirst_ = std::max(0, firstPiece);
    splitPauseMs_ = std::max(0, pauseMs);
}

void FadecModel::dropCharacters(int count, int at) {
    dropCount_ = std::max(0, count);
    dropAt_ = at;
}

void FadecModel::insertCharacters(std::string extra, int at) {
    insertText_ = std::move(extra);
    insertAt_ = at;
}

void FadecModel::clearFaults() {
    silent_ = false;
    unsynchronised_ = false;
    garbled_ = {};
    forced_ = {};
    errorCode_ = 0;
    splitFrames(0, 0);
    dropCount_ = 0;
    insertText_.clear();
}

}  // namespace lec::sim
