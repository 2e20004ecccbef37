#include "platform/qt/qt_serial_port.h"

#include <algorithm>
#include <cctype>

#include <QFileInfo>
#include <QMetaObject>
#include <QSerialPort>

#ifdef Q_OS_LINUX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace lec {

namespace {

QSerialPort::Parity qtParity(char parity) {
    switch (std::tolower(static_cast<unsigned char>(parity))) {
        case 'e':
            return QSerialPort::EvenParity;
        case 'o':
            return QSerialPort::OddParity;
        case 'm':
            return QSerialPort::MarkParity;
        case 's':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

QSerialPort::DataBits qtDataBits(int bits) {
    switch (bits) {
        case 5:
            return QSerialPort::Data5;
        case 6:
            return QSerialPort::Data6;
        case 7:
            return QSerialPort::Data7;
        default:
            return QSerialPort::Data8;
    }
}

QSerialPort::FlowControl qtFlow(Handshake h) {
    switch (h) {
        case Handshake::XonXoff:
            return QSerialPort::SoftwareControl;
        case Handshake::RtsCts:
            return QSerialPort::HardwareControl;
        case Handshake::None:
            break;
    }
    return QSerialPort::NoFlowControl;
}

// The errors by which a device tells it is gone, not that one transfer failed.
// A pseudo-terminal whose far end closed reads end-of-file, which Qt reports
// as a ReadError (and would report again at every turn of the event loop).
bool deviceGone(QSerialPort::SerialPortError e) {
    return e == QSerialPort::ResourceError || e == QSerialPort::DeviceNotFoundError ||
           e == QSerialPort::PermissionError || e == QSerialPort::ReadError ||
           e == QSerialPort::WriteError;
}

}  // namespace

QtSerialPort::QtSerialPort(std::string appFolder)
    : appFolder_(std::move(appFolder)), port_(new QSerialPort) {
    QObject::connect(port_, &QSerialPort::readyRead, port_, [this] { received(); });
    QObject::connect(port_, &QSerialPort::bytesWritten, port_, [this] { sent(); });
    QObject::connect(port_, &QSerialPort::errorOccurred, port_,
                     [this](QSerialPort::SerialPortError e) { failed(e); });
}

QtSerialPort::~QtSerialPort() {
    *alive_ = false;
    QObject::disconnect(port_, nullptr, nullptr, nullptr);
    port_->close();
    // A handler may destroy its port from inside one of QSerialPort's signals.
    if (dispatching_ > 0) {
        port_->deleteLater();
    } else {
        delete port_;
    }
}

bool QtSerialPort::open() {
    if (port_->isOpen()) {
        return true;
    }
    const std::string name = serialDeviceName(portNumber_, appFolder_);
#ifdef Q_OS_WIN
    const QString device = QString::fromStdString(name);
#else
    // Opened by path: QSerialPortInfo does not list pseudo-terminals, and a
    // COMn link may point at a /dev/serial/by-id name.
    const QString device = QFileInfo(QString::fromStdString(name)).canonicalFilePath();
    if (device.isEmpty()) {
        lastError_ = "device not found";
        return false;
    }
#endif
    port_->setPortName(device);
    port_->setBaudRate(settings_.baud);
    port_->setDataBits(qtDataBits(settings_.dataBits));
    port_->setParity(qtParity(settings_.parity));
    port_->setStopBits(settings_.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_->setFlowControl(qtFlow(settings_.handshake));
    if (!port_->open(QIODevice::ReadWrite)) {
        lastError_ = port_->error() == QSerialPort::DeviceNotFoundError
                         ? std::string("device not found")
                         : port_->errorString().toStdString();
        return false;
    }
    // Fails on pseudo-terminals and under RTS/CTS handshake: neither matters.
    if (settings_.handshake != Handshake::RtsCts) {
        port_->setRequestToSend(settings_.rtsEnable);
    }
    port_->clearError();
    lastError_.clear();
    devicePath_ = device.toStdString();
    readMinimum_ = -1;
    wakeAtThreshold();
    return true;
}

// A frame arrives over 83 ms in a score of small pieces, and the event loop
// would wake for each one. A terminal in raw mode with VMIN = n and VTIME = 0
// reports itself readable only once n characters wait (reads still return at
// once: the port is non-blocking), so the program wakes about once a frame.
// What Qt has buffered already counts towards the threshold. A hang-up is
// reported whatever VMIN says. Elsewhere every piece wakes the loop, which is
// only slower. read() then returns what the receive events announced; what the
// system still holds comes with the next event (bytesWaiting counts it).
void QtSerialPort::wakeAtThreshold() {
#ifdef Q_OS_LINUX
    if (!port_->isOpen()) {
        return;
    }
    // Without receive events the program polls: every character must reach
    // Qt's buffer as it comes.
    if (settings_.rThreshold <= 0) {
        return;
    }
    constexpr int kMaxMinimum = 255;  // VMIN is one byte
    const auto buffered = static_cast<int>(port_->bytesAvailable());
    const int minimum = std::clamp(settings_.rThreshold - buffered, 1, kMaxMinimum);
    if (minimum == readMinimum_) {
        return;
    }
    termios tio{};
    const int fd = static_cast<int>(port_->handle());
    if (fd < 0 || ::tcgetattr(fd, &tio) != 0) {
        return;
    }
    tio.c_cc[VMIN] = static_cast<cc_t>(minimum);
    tio.c_cc[VTIME] = 0;
    if (::tcsetattr(fd, TCSANOW, &tio) == 0) {
        readMinimum_ = minimum;
    }
#endif
}

void QtSerialPort::close() {
    port_->close();
    devicePath_.clear();
}

bool QtSerialPort::isOpen() const {
    return port_->isOpen();
}

int QtSerialPort::bytesWaiting() const {
    if (!port_->isOpen()) {
        return 0;
    }
    auto waiting = static_cast<int>(port_->bytesAvailable());
#ifdef Q_OS_LINUX
    // Below the threshold the characters stay with the system (see
    // wakeAtThreshold): they are waiting all the same.
    int held = 0;
    if (::ioctl(static_cast<int>(port_->handle()), FIONREAD, &held) == 0) {
        waiting += held;
    }
#endif
    return waiting;
}

std::string QtSerialPort::read() {
    if (!port_->isOpen()) {
        return {};
    }
    const qint64 waiting = port_->bytesAvailable();
    const qint64 take =
        settings_.inputLen > 0 ? std::min<qint64>(settings_.inputLen, waiting) : waiting;
    const QByteArray data = port_->read(take);
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

bool QtSerialPort::write(std::string_view bytes) {
    if (!port_->isOpen()) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (port_->write(bytes.data(), size) != size) {
        lastError_ = port_->errorString().toStdString();
        return false;
    }
    // Out now, not at the next turn of the event loop: command frames are timed.
    port_->flush();
    return port_->isOpen() && port_->error() == QSerialPort::NoError;
}

void QtSerialPort::received() {
    receivedEvents();
    wakeAtThreshold();
}

void QtSerialPort::receivedEvents() {
    if (settings_.rThreshold <= 0) {
        return;  // receive events are off
    }
    // readyRead does not come again for bytes already buffered: keep telling
    // while enough wait, until a handler leaves them where they are.
    qint64 waiting = port_->bytesAvailable();
    while (port_->isOpen() && waiting >= settings_.rThreshold) {
        if (!raise(comm_event::kReceive)) {
            return;
        }
        if (!port_->isOpen()) {
            return;
        }
        const qint64 left = port_->bytesAvailable();
        if (left >= waiting) {
            return;
        }
        waiting = left;
    }
}

void QtSerialPort::sent() {
    if (settings_.sThreshold > 0 && port_->bytesToWrite() < settings_.sThreshold) {
        raise(comm_event::kSend);
    }
}

void QtSerialPort::failed(int error) {
    const auto e = static_cast<QSerialPort::SerialPortError>(error);
    if (e == QSerialPort::NoError || !port_->isOpen()) {
        return;
    }
    if (!deviceGone(e)) {
        return;
    }
    // A hang-up reads end-of-file, which sets no errno: the text Qt gives
    // then belongs to some earlier call.
    lose(e == QSerialPort::ReadError ? std::string() : port_->errorString().toStdString());
}

void QtSerialPort::lose(const std::string& why) {
    lastError_ = why.empty() ? std::string("device not found") : why;
    close();
    // Told after QSerialPort has finished reporting, so the handler may
    // destroy this port.
    QMetaObject::invokeMethod(
        port_,
        [this, alive = alive_] {
            if (*alive) {
                raise(comm_event::kDeviceLost);
            }
        },
        Qt::QueuedConnection);
}

bool QtSerialPort::raise(int event) {
    const auto handler = handler_;
    if (!handler) {
        return true;
    }
    const auto alive = alive_;
    ++dispatching_;
    handler(event);
    if (!*alive) {
        return false;
    }
    --dispatching_;
    return true;
}

std::unique_ptr<SerialPort> QtSerialPortFactory::createSerialPort() {
    return std::make_unique<QtSerialPort>(appFolder_);
}

}  // namespace lec
