#include "tools/pty_fadec_port.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace lec::tools {

namespace {

// 19200 baud, ten bits a character: 1920 characters a second.
constexpr double kBytesPerSecond = 19200.0 / 10.0;
// The wire is fed in slices of this many milliseconds; the last slice of a
// burst is timed to the character.
constexpr int kSliceMs = 4;
// How often a closed slave is looked at again.
constexpr int kWatchMs = 20;
// A PC that opened the port and stopped reading: what waits beyond this is dropped.
constexpr std::size_t kMaxBacklog = std::size_t{64} * 1024;

std::string systemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// The settings a serial port of the cabinet has, so that a reader that does
// not set its own (a shell test) sees raw bytes.
bool makeRaw(const std::string& slave, std::string& error) {
    const int fd = ::open(slave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = systemError(slave.c_str());
        return false;
    }
    termios t{};
    bool ok = ::tcgetattr(fd, &t) == 0;
    if (ok) {
        ::cfmakeraw(&t);
        ::cfsetispeed(&t, B19200);
        ::cfsetospeed(&t, B19200);
        ok = ::tcsetattr(fd, TCSANOW, &t) == 0;
    }
    if (!ok) {
        error = systemError("tcsetattr");
    }
    ::close(fd);
    return ok;
}

}  // namespace

std::unique_ptr<PtyFadecPort> PtyFadecPort::create(Scheduler& scheduler, std::string& error) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0) {
        error = systemError("posix_openpt");
        return nullptr;
    }
    const char* name = nullptr;
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0 ||
        (name = ::ptsname(master)) == nullptr) {
        error = systemError("grantpt/unlockpt/ptsname");
        ::close(master);
        return nullptr;
    }
    const std::string slave = name;
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    if (!makeRaw(slave, error)) {
        ::close(master);
        return nullptr;
    }
    return std::unique_ptr<PtyFadecPort>(new PtyFadecPort(scheduler, master, slave));
}

PtyFadecPort::PtyFadecPort(Scheduler& scheduler, int master, std::string slaveName)
    : scheduler_(scheduler),
      master_(master),
      slaveName_(std::move(slaveName)),
      notifier_(std::make_unique<QSocketNotifier>(master, QSocketNotifier::Read)) {
    notifier_->setEnabled(false);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readMaster(); });
    watchTimer_ = scheduler_.createTimer(slaveName_ + " watch", kWatchMs, [this] { watchPeer(); });
    paceTimer_ = scheduler_.createTimer(slaveName_ + " wire", kSliceMs, [this] { pace(); });
    deliverTimer_ = scheduler_.createTimer(slaveName_ + " in", 1, [this] { deliver(); });
    watchTimer_->start();
}

PtyFadecPort::~PtyFadecPort() {
    notifier_->setEnabled(false);
    notifier_.reset();
    ::close(master_);
}

// The master reports a hang-up exactly while no one has the slave open.
void PtyFadecPort::watchPeer() {
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, 0) < 0) {
        return;
    }
    const bool open = (p.revents & POLLHUP) == 0;
    if (open && !peerOpen_) {
        peerOpened();
    } else if (!open && peerOpen_) {
        peerClosed();
    }
}

void PtyFadecPort::peerOpened() {
    peerOpen_ = true;
    // Nothing from before the port was opened may reach the PC: a partial
    // frame would shift its framing for good.
    const int slave = ::open(slaveName_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (slave >= 0) {
        ::tcflush(slave, TCIFLUSH);
        ::close(slave);
    }
    ::tcflush(master_, TCIFLUSH);
    notifier_->setEnabled(true);
}

void PtyFadecPort::peerClosed() {
    peerOpen_ = false;
    notifier_->setEnabled(false);
    stats_.bytesDropped += out_.size();
    out_.clear();
    paceTimer_->stop();
    in_.clear();
    deliverTimer_->stop();
    awaitingAnswer_ = false;
}

void PtyFadecPort::readMaster() {
    char buffer[4096];
    const ssize_t n = ::read(master_, buffer, sizeof buffer);
    if (n <= 0) {
        if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
            peerClosed();  // the hang-up makes the master readable for ever
        }
        return;
    }
    if (awaitingAnswer_) {
        awaitingAnswer_ = false;
        const auto delay = std::chrono::duration<double, std::milli>(Clock::now() - burstEnd_);
        stats_.answerDelaysMs.push_back(delay.count());
    }
    stats_.bytesIn += static_cast<std::uint64_t>(n);
    const auto now = Clock::now();
    const auto wire = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(n) / kBytesPerSecond));
    inWireFree_ = std::max(inWireFree_, now) + wire;
    in_.emplace_back(inWireFree_, std::string(buffer, static_cast<std::size_t>(n)));
    if (!deliverTimer_->running()) {
        deliver();
    }
}

// Hands the PC's bytes to the FADEC once they would be off the wire.
void PtyFadecPort::deliver() {
    deliverTimer_->stop();
    while (!in_.empty() && in_.front().first <= Clock::now()) {
        const std::string bytes = std::move(in_.front().second);
        in_.pop_front();
        if (receiver_) {
            const auto receiver = receiver_;
            receiver(bytes);
        }
    }
    if (!in_.empty()) {
        const auto wait =
            std::chrono::duration<double, std::milli>(in_.front().first - Clock::now());
        deliverTimer_->setInterval(std::max(1, static_cast<int>(wait.count() + 0.999)));
        deliverTimer_->start();
    }
}

void PtyFadecPort::write(std::string_view bytes) {
    watchPeer();
    if (!peerOpen_ || out_.size() > kMaxBacklog) {
        stats_.bytesDropped += bytes.size();
        return;
    }
    if (out_.empty()) {
        wireFrom_ = Clock::now();
        wireSent_ = 0;
    }
    out_.append(bytes);
    if (!paceTimer_->running()) {
        pace();
    }
}

void PtyFadecPort::pace() {
    paceTimer_->stop();
    const double elapsed = std::chrono::duration<double>(Clock::now() - wireFrom_).count();
    const auto due = static_cast<std::uint64_t>(elapsed * kBytesPerSecond);
    if (due > wireSent_ && !out_.empty()) {
        const std::size_t count = std::min<std::size_t>(due - wireSent_, out_.size());
        const ssize_t n = ::write(master_, out_.data(), count);
        if (n > 0) {
            out_.erase(0, static_cast<std::size_t>(n));
            wireSent_ += static_cast<std::uint64_t>(n);
            stats_.bytesOut += static_cast<std::uint64_t>(n);
        }
    }
    if (out_.empty()) {
        awaitingAnswer_ = true;
        burstEnd_ = Clock::now();
        return;
    }
    // The next slice, or the moment the last character is due if sooner.
    const double lastDue = static_cast<double>(wireSent_ + out_.size()) / kBytesPerSecond;
    const double untilLastMs = (lastDue - elapsed) * 1000.0;
    const int interval = std::clamp(static_cast<int>(untilLastMs + 0.999), 1, kSliceMs);
    paceTimer_->setInterval(interval);
    paceTimer_->start();
}

}  // namespace lec::tools
