#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace lec {

enum class Handshake { None, XonXoff, RtsCts };

// The settings of the original serial component. The FADEC link always uses
// the defaults; they are kept as values so a test can see what was asked for.
struct SerialSettings {
    int baud = 19200;
    char parity = 'n';
    int dataBits = 8;
    int stopBits = 1;
    Handshake handshake = Handshake::XonXoff;
    int rThreshold = 160;  // receive event while this many characters wait
    int inputLen = 160;    // characters taken by one read(); 0 = all waiting
    int sThreshold = 0;
    bool rtsEnable = false;
};

// Event codes delivered to the event handler.
namespace comm_event {
inline constexpr int kSend = 1;
inline constexpr int kReceive = 2;  // rThreshold or more characters are waiting
// The device went away (a USB adapter pulled); the port is already closed.
inline constexpr int kDeviceLost = 1100;
}  // namespace comm_event

class SerialPort {
public:
    virtual ~SerialPort() = default;

    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    virtual void setSettings(const SerialSettings& settings) = 0;
    virtual const SerialSettings& settings() const = 0;

    // Opens the device of portNumber(); on failure returns false and
    // lastError() says why.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual std::string lastError() const = 0;

    virtual int bytesWaiting() const = 0;
    // Takes up to settings().inputLen characters (all when 0).
    virtual std::string read() = 0;
    // Sends all bytes in one write; false when the port is closed or fails.
    virtual bool write(std::string_view bytes) = 0;

    // Called on the event thread with a comm_event code.
    virtual void setEventHandler(std::function<void(int event)> handler) = 0;
};

class SerialPortFactory {
public:
    virtual ~SerialPortFactory() = default;
    virtual std::unique_ptr<SerialPort> createSerialPort() = 0;
};

// The device that port number n opens on this system: on Linux
// `<appFolder>/dev/COMn` when that link exists (a site maps a USB adapter or
// a /dev/serial/by-id name to a COM number that way), otherwise /dev/ttyS<n-1>;
// on Windows "COMn".
std::string serialDeviceName(int portNumber, const std::string& appFolder);

}  // namespace lec
