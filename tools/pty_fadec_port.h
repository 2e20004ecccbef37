#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/scheduler.h"
#include "simulator/fadec_port.h"

class QSocketNotifier;

namespace lec::tools {

// A FADEC's serial line as a pseudo-terminal: the PC opens the slave side
// like any serial device; the FADEC reads and writes the master side.
//
// A pseudo-terminal has no baud rate, so both ways are paced here at 19200
// baud (8N1), as on a real cable: a status frame takes 83.3 ms and its last
// character reaches the PC when it would on the wire; the PC's answer, written
// at once, reaches the FADEC 17.7 ms later. While nobody has
// the slave open the FADEC talks to nobody: its bytes are dropped, as a UART's
// are with no cable, instead of piling up for the next program to open it.
class PtyFadecPort : public sim::FadecPort {
public:
    // Answer delays, from the last character of a status frame on the wire to
    // the first byte of what the PC sent back.
    struct Stats {
        std::uint64_t bytesOut = 0;
        std::uint64_t bytesIn = 0;
        std::uint64_t bytesDropped = 0;  // written while nobody listened
        std::vector<double> answerDelaysMs;
    };

    // A new pseudo-terminal, its slave in raw mode at 19200 baud; nullptr and
    // `error` when the system has none to give.
    static std::unique_ptr<PtyFadecPort> create(Scheduler& scheduler, std::string& error);
    ~PtyFadecPort() override;
    PtyFadecPort(const PtyFadecPort&) = delete;
    PtyFadecPort& operator=(const PtyFadecPort&) = delete;

    const std::string& slaveName() const { return slaveName_; }
    const Stats& stats() const { return stats_; }

    void write(std::string_view bytes) override;
    void setReceiver(std::function<void(std::string_view bytes)> receiver) override {
        receiver_ = std::move(receiver);
    }
    bool listening() const override { return peerOpen_; }

private:
    using Clock = std::chrono::steady_clock;

    PtyFadecPort(Scheduler& scheduler, int master, std::string slaveName);

    void watchPeer();
    void peerOpened();
    void peerClosed();
    void readMaster();
    void pace();
    void deliver();

    Scheduler& scheduler_;
    int master_;
    std::string slaveName_;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::unique_ptr<Timer> watchTimer_;
    std::unique_ptr<Timer> paceTimer_;
    std::unique_ptr<Timer> deliverTimer_;
    std::function<void(std::string_view)> receiver_;
    bool peerOpen_ = false;

    std::string out_;             // waiting for its time on the wire
    Clock::time_point wireFrom_;  // when the first byte of out_ starts on the wire
    std::uint64_t wireSent_ = 0;  // bytes of this burst already written
    // The PC's bytes, each piece with the moment its last byte is off the wire.
    std::deque<std::pair<Clock::time_point, std::string>> in_;
    Clock::time_point inWireFree_;
    bool awaitingAnswer_ = false;
    Clock::time_point burstEnd_;
    Stats stats_;
};

}  // namespace lec::tools
