#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// The command slots of one row written into it, as the send routine leaves
// them (steps 3 to 6): what the FADEC is told to do, the rest echoed.
void writeCommandSlots(Channels& channels, int le);

// The 34 bytes of a command frame from slots 0 to 31 of a row; nullopt when a
// slot does not fit in a byte (nothing can be sent that cycle).
std::optional<std::string> buildCommandFrame(const std::array<std::int16_t, kRecordSlots>& row);

// The send timers Timer21..Timer26 (30 ms after each status frame) and the
// Ready one-shots Timer30..Timer35: the PC answers each status frame that
// carried 123 with one command frame, and the Ready column shows it.
class CommandSender {
public:
    static constexpr int kSendDelayMs = 30;

    CommandSender(forms::Form& log, Platform& platform, Channels& channels);

    void setPorts(std::function<SerialPort*(int le)> portOf) { portOf_ = std::move(portOf); }
    // The parameter write (TransferState 1): fills slots 0..31 of the row from
    // the parameter window. Without one the write stays pending. When it
    // returns false (a value the frame cannot carry) nothing is sent that
    // cycle and the request is dropped.
    void setParameterWriter(std::function<bool(int le)> writer) {
        parameterWriter_ = std::move(writer);
    }

    Timer& sendTimer(int le) { return *sendTimers_[static_cast<std::size_t>(le)]; }
    Timer& readyTimer(int le) { return *readyTimers_[static_cast<std::size_t>(le)]; }
    std::array<Timer*, kLeCount> sendTimers() const { return sendTimers_; }

    // The send routine of LE index `le`, on each tick of its send timer.
    void send(int le);
    // Its port was closed: nothing more goes out until the next frame.
    void portClosed(int le);

private:
    void readyOff(int le);
    void showReady(int le, bool ready);

    forms::Form& log_;
    Channels& channels_;
    std::function<SerialPort*(int)> portOf_;
    std::function<bool(int)> parameterWriter_;
    std::array<Timer*, kLeCount> sendTimers_{};
    std::array<Timer*, kLeCount> readyTimers_{};
};

}  // namespace lec
