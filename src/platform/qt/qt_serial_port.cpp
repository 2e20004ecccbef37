#include "platform/qt/qt_serial_port.h"

#include <cctype>

#include <QFileInfo>
#include <QMetaObject>
#include <QSerialPort>

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
    return true;
}

void QtSerialPort::close() {
    port_->close();
    devicePath_.clear();
}

bool QtSerialPort::isOpen() const {
    return port_->isOpen();
}

int QtSerialPort::bytesWaiting() const {
    return port_->isOpen() ? static_cast<int>(port_->bytesAvailable()) : 0;
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
