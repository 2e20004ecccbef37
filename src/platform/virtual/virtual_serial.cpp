#include "platform/virtual/virtual_serial.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace lec {

using serial_timing::kStampsPerByte;
using serial_timing::kStampsPerMs;

// ---------------------------------------------------------------------------
// VirtualSerialDirection

void VirtualSerialDirection::dropNext(int count) {
    dropCount_ = std::max(count, 0);
}

void VirtualSerialDirection::dropRandomly(double probability, std::uint32_t seed) {
    // Compared with the generator's raw 32-bit output rather than through a
    // distribution, whose results differ between standard libraries.
    const double p = std::clamp(probability, 0.0, 1.0);
    dropBelow_ = static_cast<std::uint64_t>(p * 4294967296.0);
    random_.seed(seed);
}

void VirtualSerialDirection::pauseAfter(int bytes, int pauseMs) {
    const std::int64_t pause = static_cast<std::int64_t>(std::max(pauseMs, 0)) * kStampsPerMs;
    if (bytes <= 0) {
        wireFree_ = std::max(wireFree_, nowStamp()) + pause;
        pauseCountdown_ = -1;
        return;
    }
    pauseCountdown_ = bytes;
    pauseStamps_ = pause;
}

void VirtualSerialDirection::setExtraDelay(int ms) {
    delayStamps_ = static_cast<std::int64_t>(std::max(ms, 0)) * kStampsPerMs;
}

void VirtualSerialDirection::corruptNext(char value) {
    corrupt_ = true;
    corruptValue_ = value;
}

void VirtualSerialDirection::clearFaults() {
    dropCount_ = 0;
    dropBelow_ = 0;
    pauseCountdown_ = -1;
    delayStamps_ = 0;
    corrupt_ = false;
}

std::size_t VirtualSerialDirection::bytesInTransit() const {
    return queue_.size() - arrivedCount();
}

void VirtualSerialDirection::send(std::string_view bytes) {
    std::int64_t start = std::max(nowStamp(), wireFree_);
    for (const char c : bytes) {
        ++written_;
        const std::int64_t end = start + kStampsPerByte;
        start = end;
        if (pauseCountdown_ > 0 && --pauseCountdown_ == 0) {
            start += pauseStamps_;
            pauseCountdown_ = -1;
        }

        bool lost = false;
        if (dropCount_ > 0) {
            --dropCount_;
            lost = true;
        } else if (dropBelow_ > 0) {
            lost = random_() < dropBelow_;
        }
        if (lost) {
            ++dropped_;
            continue;
        }

        char value = c;
        if (corrupt_) {
            value = corruptValue_;
            corrupt_ = false;
        }
        lastArrival_ = std::max(end + delayStamps_, lastArrival_);
        queue_.push_back({lastArrival_, value});
    }
    wireFree_ = start;
}

std::int64_t VirtualSerialDirection::nowStamp() const {
    return scheduler_.now() * kStampsPerMs;
}

std::size_t VirtualSerialDirection::arrivedCount() const {
    const std::int64_t now = nowStamp();
    const auto firstInTransit = std::partition_point(
        queue_.begin(), queue_.end(), [now](const Byte& b) { return b.arrival <= now; });
    return static_cast<std::size_t>(firstInTransit - queue_.begin());
}

std::string VirtualSerialDirection::takeArrived(std::size_t max) {
    std::size_t n = arrivedCount();
    if (max != 0)
        n = std::min(n, max);
    std::string bytes;
    bytes.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes += queue_[i].value;
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(n));
    return bytes;
}

void VirtualSerialDirection::clear() {
    queue_.clear();
    wireFree_ = 0;
    lastArrival_ = 0;
}

std::int64_t VirtualSerialDirection::arrivalMs(std::size_t index) const {
    return (queue_[index].arrival + kStampsPerMs - 1) / kStampsPerMs;
}

// ---------------------------------------------------------------------------
// VirtualSerialDevice

void VirtualSerialDevice::write(std::string_view bytes) {
    line_.deviceWrote(bytes);
}

void VirtualSerialDevice::setReceiver(std::function<void(std::string_view)> receiver) {
    // Shared so that a receiver may replace itself while it runs.
    receiver_ =
        receiver
            ? std::make_shared<const std::function<void(std::string_view)>>(std::move(receiver))
            : nullptr;
}

bool VirtualSerialDevice::pcPortOpen() const {
    return line_.pcPortOpen();
}

// ---------------------------------------------------------------------------
// VirtualSerialLine

VirtualSerialLine::VirtualSerialLine(Scheduler& scheduler, std::string name)
    : scheduler_(scheduler),
      name_(std::move(name)),
      device_(*this),
      toDevice_(scheduler),
      toPc_(scheduler),
      deliveryTimer_(
          scheduler.createTimer(name_ + " to device", 1, [this] { deliverToDevice(); })) {
}

VirtualSerialLine::~VirtualSerialLine() {
    if (port_ != nullptr)
        port_->lineGone();
}

void VirtualSerialLine::disconnectDevice() {
    attached_ = false;
    toDevice_.clear();
    toPc_.clear();
    deliveryTimer_->stop();
    deliveryMs_ = -1;
    if (port_ != nullptr)
        port_->deviceLost();
}

bool VirtualSerialLine::attachPort(VirtualSerialPort& port, std::string& error) {
    if (!attached_) {
        error = name_ + ": no device connected";
        return false;
    }
    if (port_ != nullptr && port_ != &port) {
        error = name_ + ": port already in use";
        return false;
    }
    port_ = &port;
    device_.pcSettings_ = port.settings();
    // What arrived while nobody listened is gone.
    toPc_.discardArrived();
    return true;
}

void VirtualSerialLine::detachPort(VirtualSerialPort& port) {
    if (port_ != &port)
        return;
    port_ = nullptr;
    toPc_.discardArrived();
}

void VirtualSerialLine::pcWrote(std::string_view bytes) {
    toDevice_.send(bytes);
    scheduleDelivery();
}

void VirtualSerialLine::deviceWrote(std::string_view bytes) {
    if (!attached_)
        return;
    toPc_.send(bytes);
    if (port_ != nullptr) {
        port_->bytesQueued();
    } else {
        // Nobody reads them: keep only what is still on the wire.
        toPc_.discardArrived();
    }
}

void VirtualSerialLine::scheduleDelivery() {
    if (toDevice_.empty()) {
        deliveryTimer_->stop();
        deliveryMs_ = -1;
        return;
    }
    const std::int64_t wake = toDevice_.arrivalMs(0);
    if (deliveryTimer_->running() && wake == deliveryMs_)
        return;
    deliveryMs_ = wake;
    deliveryTimer_->setInterval(
        static_cast<int>(std::max<std::int64_t>(wake - scheduler_.now(), 1)));
    deliveryTimer_->start();
}

void VirtualSerialLine::deliverToDevice() {
    deliveryTimer_->stop();
    deliveryMs_ = -1;
    const std::string bytes = toDevice_.takeArrived(0);
    scheduleDelivery();
    if (bytes.empty() || !device_.receiver_)
        return;
    const auto receiver = device_.receiver_;
    (*receiver)(bytes);
}

// ---------------------------------------------------------------------------
// VirtualSerialPort

VirtualSerialPort::VirtualSerialPort(Scheduler& scheduler, LineLookup lookup)
    : scheduler_(scheduler),
      lookup_(std::move(lookup)),
      self_(std::make_shared<VirtualSerialPort*>(this)) {
}

VirtualSerialPort::~VirtualSerialPort() {
    if (line_ != nullptr)
        line_->detachPort(*this);
}

void VirtualSerialPort::setSettings(const SerialSettings& settings) {
    settings_ = settings;
    if (line_ == nullptr)
        return;
    line_->device_.pcSettings_ = settings_;
    scheduleReceive();
}

bool VirtualSerialPort::open() {
    if (line_ != nullptr) {
        lastError_ = line_->name() + ": port already open";
        return false;
    }
    VirtualSerialLine* line = lookup_ ? lookup_(portNumber_) : nullptr;
    if (line == nullptr) {
        lastError_ = "COM" + std::to_string(portNumber_) + ": no such port";
        return false;
    }
    std::string error;
    if (!line->attachPort(*this, error)) {
        lastError_ = error;
        return false;
    }
    line_ = line;
    lastError_.clear();
    receiveTimer_ = scheduler_.createTimer(line->name() + " receive", 1, [this] { receiveTick(); });
    receiveMs_ = -1;
    scheduleReceive();
    return true;
}

void VirtualSerialPort::close() {
    if (line_ == nullptr)
        return;
    line_->detachPort(*this);
    line_ = nullptr;
    receiveTimer_->stop();
    receiveMs_ = -1;
}

int VirtualSerialPort::bytesWaiting() const {
    return line_ != nullptr ? static_cast<int>(line_->toPc_.arrivedCount()) : 0;
}

std::string VirtualSerialPort::read() {
    if (line_ == nullptr)
        return {};
    std::string bytes =
        line_->toPc_.takeArrived(static_cast<std::size_t>(std::max(settings_.inputLen, 0)));
    scheduleReceive();
    return bytes;
}

bool VirtualSerialPort::write(std::string_view bytes) {
    if (line_ == nullptr)
        return false;
    line_->pcWrote(bytes);
    return true;
}

void VirtualSerialPort::deviceLost() {
    close();
    // Reported from the event loop, as the real port's error signal is, not
    // from inside whoever pulled the adapter.
    scheduler_.post([weak = std::weak_ptr<VirtualSerialPort*>(self_)] {
        if (const auto self = weak.lock())
            (*self)->raise(comm_event::kDeviceLost);
    });
}

void VirtualSerialPort::lineGone() {
    line_ = nullptr;
    if (receiveTimer_)
        receiveTimer_->stop();
    receiveMs_ = -1;
}

// The receive timer wakes when the next event may be due: when the byte that
// brings the count to rThreshold arrives, or, with enough already waiting, when
// the next byte arrives. Bytes themselves need no tick to arrive: what is
// waiting is read off the wire by the clock.
void VirtualSerialPort::scheduleReceive() {
    const int threshold = settings_.rThreshold;
    const VirtualSerialDirection* in = line_ != nullptr ? &line_->toPc_ : nullptr;
    std::size_t index = 0;
    if (in != nullptr && threshold > 0) {
        index = std::max(in->arrivedCount(), static_cast<std::size_t>(threshold - 1));
    }
    if (in == nullptr || threshold <= 0 || index >= in->queue_.size()) {
        if (receiveTimer_)
            receiveTimer_->stop();
        receiveMs_ = -1;
        return;
    }
    const std::int64_t wake = in->arrivalMs(index);
    if (receiveTimer_->running() && wake == receiveMs_)
        return;
    receiveMs_ = wake;
    receiveTimer_->setInterval(
        static_cast<int>(std::max<std::int64_t>(wake - scheduler_.now(), 1)));
    receiveTimer_->start();
}

void VirtualSerialPort::receiveTick() {
    receiveTimer_->stop();
    receiveMs_ = -1;
    if (line_ == nullptr)
        return;
    const int waiting = bytesWaiting();
    scheduleReceive();
    if (settings_.rThreshold > 0 && waiting >= settings_.rThreshold)
        raise(comm_event::kReceive);
}

void VirtualSerialPort::raise(int event) {
    if (!handler_)
        return;
    // A copy: the handler may replace itself or destroy this port.
    const auto handler = handler_;
    handler(event);
}

// ---------------------------------------------------------------------------
// VirtualSerialHub

std::unique_ptr<SerialPort> VirtualSerialHub::createSerialPort() {
    return std::make_unique<VirtualSerialPort>(scheduler_, [this](int n) { return findLine(n); });
}

VirtualSerialLine& VirtualSerialHub::line(int portNumber) {
    VirtualSerialLine* found = findLine(portNumber);
    if (found == nullptr) {
        throw std::out_of_range("no virtual serial line COM" + std::to_string(portNumber));
    }
    return *found;
}

VirtualSerialLine* VirtualSerialHub::findLine(int portNumber) {
    if (portNumber < 1 || portNumber > kLines)
        return nullptr;
    auto& slot = lines_[static_cast<std::size_t>(portNumber - 1)];
    if (!slot) {
        slot = std::make_unique<VirtualSerialLine>(scheduler_, "COM" + std::to_string(portNumber));
    }
    return slot.get();
}

}  // namespace lec
