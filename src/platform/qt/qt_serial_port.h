#pragma once

#include <memory>
#include <string>

#include "platform/serial_port.h"

class QSerialPort;

namespace lec {

// A serial port over QSerialPort, on the event thread. Port n is the device
// serialDeviceName() names; a link there is followed to its device. A device
// that goes away while open (a USB adapter pulled, the far end of a
// pseudo-terminal gone) closes the port and raises comm_event::kDeviceLost once.
class QtSerialPort : public SerialPort {
public:
    explicit QtSerialPort(std::string appFolder);
    ~QtSerialPort() override;
    QtSerialPort(const QtSerialPort&) = delete;
    QtSerialPort& operator=(const QtSerialPort&) = delete;

    void setPortNumber(int number) override { portNumber_ = number; }
    int portNumber() const override { return portNumber_; }
    void setSettings(const SerialSettings& settings) override { settings_ = settings; }
    const SerialSettings& settings() const override { return settings_; }

    // True at once when already open.
    bool open() override;
    void close() override;
    bool isOpen() const override;
    std::string lastError() const override { return lastError_; }

    int bytesWaiting() const override;
    std::string read() override;
    bool write(std::string_view bytes) override;

    void setEventHandler(std::function<void(int event)> handler) override {
        handler_ = std::move(handler);
    }

    // The device the port opened (after following links); empty when closed.
    const std::string& devicePath() const { return devicePath_; }

private:
    void received();
    void receivedEvents();
    // Lets the system hold the receive notification back until a whole
    // threshold's worth of characters is there.
    void wakeAtThreshold();
    void sent();
    void failed(int error);
    void lose(const std::string& why);
    // False when the handler destroyed this port.
    bool raise(int event);

    std::string appFolder_;
    int portNumber_ = 1;
    SerialSettings settings_;
    std::string lastError_;
    std::string devicePath_;
    std::function<void(int)> handler_;
    QSerialPort* port_;
    int dispatching_ = 0;
    int readMinimum_ = -1;  // the tty's VMIN as last set; -1 not set
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class QtSerialPortFactory : public SerialPortFactory {
public:
    explicit QtSerialPortFactory(std::string appFolder) : appFolder_(std::move(appFolder)) {}
    std::unique_ptr<SerialPort> createSerialPort() override;

private:
    std::string appFolder_;
};

}  // namespace lec
