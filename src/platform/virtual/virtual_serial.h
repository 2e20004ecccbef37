#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <string_view>

#include "platform/scheduler.h"
#include "platform/serial_port.h"

namespace lec {

class VirtualSerialLine;
class VirtualSerialPort;

// Time on a line is counted in stamps of 1/19200 ms: one bit at 19200 baud is
// then exactly 1000 stamps and one 8N1 character (start, 8 data, stop) 10000,
// so that pacing never rounds (a 160-byte frame takes 83.33 ms, not 80 or 160).
namespace serial_timing {
inline constexpr std::int64_t kBaud = 19200;
inline constexpr std::int64_t kStampsPerMs = kBaud;
inline constexpr std::int64_t kStampsPerByte = std::int64_t{10} * 1000;
}  // namespace serial_timing

// One way of a line: the bytes on the wire, each with the moment its stop bit
// arrives, and the faults a test puts on that way. A fault affects the bytes
// written after it is set.
class VirtualSerialDirection {
public:
    explicit VirtualSerialDirection(const Scheduler& scheduler) : scheduler_(scheduler) {}

    // --- Faults ---
    // The next `count` bytes are lost (they still take their time on the wire).
    void dropNext(int count);
    // Each byte is lost with this probability, drawn from std::mt19937(seed):
    // the same seed loses the same bytes. 0 ends it.
    void dropRandomly(double probability, std::uint32_t seed);
    // After the next `bytes` bytes the sender falls silent for `pauseMs`: a
    // frame arrives in two parts. 0 bytes pauses from now.
    void pauseAfter(int bytes, int pauseMs);
    // Everything written from now on arrives `ms` later (0 ends it). Bytes
    // never overtake those written before them.
    void setExtraDelay(int ms);
    // The next byte that is not lost arrives as `value`.
    void corruptNext(char value);
    void clearFaults();

    // --- Counters ---
    std::uint64_t bytesWritten() const { return written_; }
    std::uint64_t bytesDropped() const { return dropped_; }
    // Bytes on their way that have not arrived yet.
    std::size_t bytesInTransit() const;

private:
    friend class VirtualSerialLine;
    friend class VirtualSerialPort;

    struct Byte {
        std::int64_t arrival;  // stamp
        char value;
    };

    void send(std::string_view bytes);
    std::int64_t nowStamp() const;
    std::size_t arrivedCount() const;
    std::string takeArrived(std::size_t max);  // 0 = all
    void discardArrived() { takeArrived(0); }
    void clear();
    bool empty() const { return queue_.empty(); }
    // The millisecond in which byte `index` of the queue arrives.
    std::int64_t arrivalMs(std::size_t index) const;

    const Scheduler& scheduler_;
    std::deque<Byte> queue_;        // arrived bytes first (not yet taken), then those in transit
    std::int64_t wireFree_ = 0;     // when the sender may start its next byte
    std::int64_t lastArrival_ = 0;  // bytes arrive in the order they were written

    int dropCount_ = 0;
    std::uint64_t dropBelow_ = 0;  // a draw below this loses the byte (2^32 = all)
    std::mt19937 random_;
    int pauseCountdown_ = -1;
    std::int64_t pauseStamps_ = 0;
    std::int64_t delayStamps_ = 0;
    bool corrupt_ = false;
    char corruptValue_ = 0;

    std::uint64_t written_ = 0;
    std::uint64_t dropped_ = 0;
};

// The end of the line where a simulated controller board sits.
class VirtualSerialDevice {
public:
    // Paced towards the PC; lost when no device is connected.
    void write(std::string_view bytes);
    // Called with the bytes from the PC as they arrive: each call carries the
    // bytes that arrived since the previous one, which on virtual time are
    // those of one millisecond (one or two characters at 19200 baud).
    void setReceiver(std::function<void(std::string_view bytes)> receiver);

    bool pcPortOpen() const;
    // What the PC asked for when it last opened the port (or set while open).
    const SerialSettings& pcSettings() const { return pcSettings_; }

private:
    friend class VirtualSerialLine;
    friend class VirtualSerialPort;
    explicit VirtualSerialDevice(VirtualSerialLine& line) : line_(line) {}

    VirtualSerialLine& line_;
    std::shared_ptr<const std::function<void(std::string_view)>> receiver_;
    SerialSettings pcSettings_;
};

// A serial cable with a USB adapter: the PC's port on one end, a device on the
// other. The line needs the scheduler only through its interface, so the demo
// cabinet runs on it in real time as well.
class VirtualSerialLine {
public:
    explicit VirtualSerialLine(Scheduler& scheduler, std::string name = "COM");
    ~VirtualSerialLine();
    VirtualSerialLine(const VirtualSerialLine&) = delete;
    VirtualSerialLine& operator=(const VirtualSerialLine&) = delete;

    const std::string& name() const { return name_; }

    VirtualSerialDevice& device() { return device_; }
    // The adapter is plugged in: the PC's port can be opened.
    void connectDevice() { attached_ = true; }
    // The adapter is pulled: the bytes on the wire are lost and an open port
    // closes itself and reports comm_event::kDeviceLost.
    void disconnectDevice();
    bool attached() const { return attached_; }

    VirtualSerialDirection& toDevice() { return toDevice_; }
    VirtualSerialDirection& toPc() { return toPc_; }

    bool pcPortOpen() const { return port_ != nullptr; }

private:
    friend class VirtualSerialDevice;
    friend class VirtualSerialPort;

    bool attachPort(VirtualSerialPort& port, std::string& error);
    void detachPort(VirtualSerialPort& port);
    void pcWrote(std::string_view bytes);
    void deviceWrote(std::string_view bytes);
    void deliverToDevice();
    void scheduleDelivery();

    Scheduler& scheduler_;
    std::string name_;
    VirtualSerialDevice device_;
    VirtualSerialDirection toDevice_;
    VirtualSerialDirection toPc_;
    std::unique_ptr<Timer> deliveryTimer_;
    std::int64_t deliveryMs_ = -1;
    VirtualSerialPort* port_ = nullptr;
    bool attached_ = false;
};

// The PC's end, behaving like the program's serial component: bytes wait in
// the port until read; comm_event::kReceive is raised whenever a byte arrives
// and rThreshold or more are then waiting (rThreshold 0: never). Bytes that
// arrive while the port is closed are lost. Writes leave at once (no output
// buffer to wait for), so comm_event::kSend is never raised.
class VirtualSerialPort : public SerialPort {
public:
    using LineLookup = std::function<VirtualSerialLine*(int portNumber)>;

    VirtualSerialPort(Scheduler& scheduler, LineLookup lookup);
    ~VirtualSerialPort() override;
    VirtualSerialPort(const VirtualSerialPort&) = delete;
    VirtualSerialPort& operator=(const VirtualSerialPort&) = delete;

    void setPortNumber(int number) override { portNumber_ = number; }
    int portNumber() const override { return portNumber_; }
    void setSettings(const SerialSettings& settings) override;
    const SerialSettings& settings() const override { return settings_; }

    bool open() override;
    void close() override;
    bool isOpen() const override { return line_ != nullptr; }
    std::string lastError() const override { return lastError_; }

    int bytesWaiting() const override;
    std::string read() override;
    bool write(std::string_view bytes) override;

    void setEventHandler(std::function<void(int event)> handler) override {
        handler_ = std::move(handler);
    }

private:
    friend class VirtualSerialLine;

    // From the line.
    void bytesQueued() { scheduleReceive(); }
    void deviceLost();
    void lineGone();

    void scheduleReceive();
    void receiveTick();
    void raise(int event);

    Scheduler& scheduler_;
    LineLookup lookup_;
    int portNumber_ = 1;
    SerialSettings settings_;
    VirtualSerialLine* line_ = nullptr;  // while open
    std::string lastError_;
    std::function<void(int)> handler_;
    std::unique_ptr<Timer> receiveTimer_;
    std::int64_t receiveMs_ = -1;
    // Posted events check it, so that a port destroyed meanwhile is not called.
    std::shared_ptr<VirtualSerialPort*> self_;
};

// COM1 to COM16 as in-memory lines, created on first use. Must outlive the
// ports it creates.
class VirtualSerialHub : public SerialPortFactory {
public:
    static constexpr int kLines = 16;

    explicit VirtualSerialHub(Scheduler& scheduler) : scheduler_(scheduler) {}

    std::unique_ptr<SerialPort> createSerialPort() override;
    // Port numbers 1..kLines; std::out_of_range otherwise.
    VirtualSerialLine& line(int portNumber);
    // nullptr outside 1..kLines.
    VirtualSerialLine* findLine(int portNumber);

private:
    Scheduler& scheduler_;
    std::array<std::unique_ptr<VirtualSerialLine>, kLines> lines_;
};

}  // namespace lec
