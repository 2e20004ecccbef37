#include "link/command_sender.h"

#include "core/slots.h"

namespace lec {

namespace {

constexpr int kSynchronised = 123;
constexpr int kPowerPhase = 5;
constexpr Byte kParameterWrite = 1;
constexpr Colour kReadyGreen = Colour::rgb(0, 255, 0);

constexpr const char* kSendTimers[kLeCount] = {"Timer21", "Timer22", "Timer23",
                                               "Timer24", "Timer25", "Timer26"};
constexpr const char* kReadyTimers[kLeCount] = {"Timer30", "Timer31", "Timer32",
                                                "Timer33", "Timer34", "Timer35"};
// The first two engines' one-shots were 10 ms longer in the original.
constexpr int kReadyMs[kLeCount] = {980, 980, 970, 970, 970, 970};

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

bool isSelected(const Channels& channels, int le) {
    return channels.SelectedLe == le + 1;
}

}  // namespace

void writeCommandSlots(Channels& channels, int le) {
    auto& row = channels.LeRecord[at(le)];
    const auto& channel = channels.le[at(le)];
    if (isSelected(channels, le)) {
        row[slot::kBankIndex] = channels.TransferState;
    }
    row[slot::kStartStop] = channel.LeCommand;
    if (channel.LePhase == kPowerPhase) {
        row[slot::kPowerPhase5] = channel.LePowerSet;
    }
    row[slot::kQthRelay] = channel.LeQthCommand;
    row[slot::kAlarmRelay] = channel.LeAlarmRelayCommand;
    row[slot::kLpc] = channel.LeRequestCode;
    row[slot::kMotorSpeedSet] = channel.LeMotorSpeedSet;
    row[slot::kFrameMode] = channel.LeMode;
}

std::optional<std::string> buildCommandFrame(const std::array<std::int16_t, kRecordSlots>& row) {
    std::string frame;
    frame.reserve(kFrameSlots + 2);
    for (int k = 0; k < kFrameSlots; ++k) {
        const int value = row[at(k)];
        if (value < 0 || value > 255) {
            return std::nullopt;
        }
        frame.push_back(static_cast<char>(static_cast<unsigned char>(value)));
    }
    frame += "\r\n";
    return frame;
}

CommandSender::CommandSender(forms::Form& log, Platform& platform, Channels& channels)
    : log_(log), channels_(channels) {
    for (int i = 0; i < kLeCount; ++i) {
        sendTimers_[at(i)] = &log_.addTimer(
            platform.scheduler.createTimer(kSendTimers[i], kSendDelayMs, [this, i] { send(i); }));
        readyTimers_[at(i)] = &log_.addTimer(platform.scheduler.createTimer(
            kReadyTimers[i], kReadyMs[i], [this, i] { readyOff(i); }));
    }
}

void CommandSender::send(int le) {
    auto& channel = channels_.le[at(le)];
    // Nothing goes out before the FADEC said it is ready: the timer keeps
    // ticking until a frame with 123 has come in.
    if (channel.LeSynchro != kSynchronised) {
        return;
    }
    showReady(le, true);

    // A parameter write needs the parameter window's values; until one can
    // supply them the request stays pending and is not announced.
    const bool writeWaiting = isSelected(channels_, le) &&
                              channels_.TransferState == kParameterWrite && !parameterWriter_;
    const Byte transfer = channels_.TransferState;
    if (writeWaiting) {
        channels_.TransferState = 0;
    }
    writeCommandSlots(channels_, le);
    if (writeWaiting) {
        channels_.TransferState = transfer;
    }

    SerialPort* port = portOf_ ? portOf_(le) : nullptr;
    if (port != nullptr && port->isOpen()) {
        const bool writing = isSelected(channels_, le) &&
                             channels_.TransferState == kParameterWrite && parameterWriter_;
        // A refused write sends nothing at all: the row now holds a write
        // command without its table.
        if (!writing || parameterWriter_(le)) {
            auto& row = channels_.LeRecord[at(le)];
            if (const auto frame = buildCommandFrame(row)) {
                port->write(*frame);  // in one piece: the FADEC reads it as one block
            }
            for (int k = 0; k < kFrameSlots; ++k) {
                storeByte(channels_.LeRecordOut[at(le)][at(k)], row[at(k)]);
            }
        }
        if (isSelected(channels_, le) && !writeWaiting) {
            channels_.TransferState = 0;
        }
    }
    readyTimer(le).start();  // a one-shot already running is not restarted
    sendTimer(le).stop();
}

void CommandSender::readyOff(int le) {
    showReady(le, false);
    readyTimer(le).stop();
}

void CommandSender::portClosed(int le) {
    sendTimer(le).stop();
    showReady(le, false);
}

void CommandSender::showReady(int le, bool ready) {
    channels_.le[at(le)].LeReady = ready;
    auto& cell = log_.at("Label30", le);
    cell.caption = ready ? "yes" : "no";
    cell.back = ready ? kReadyGreen : colours::kButtonFace;
}

}  // namespace lec
