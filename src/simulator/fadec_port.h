#pragma once

#include <functional>
#include <string_view>

#include "platform/virtual/virtual_serial.h"

namespace lec::sim {

// The FADEC's end of its serial line: bytes out to the PC, bytes in from it.
// The in-memory line and a pseudo-terminal both fit behind it.
class FadecPort {
public:
    virtual ~FadecPort() = default;

    // Bytes on their way to the PC, in order.
    virtual void write(std::string_view bytes) = 0;
    // Called on the event thread with each piece the PC's bytes arrive in.
    virtual void setReceiver(std::function<void(std::string_view bytes)> receiver) = 0;
    // False while nobody has the PC end open: what is written then is lost,
    // and a frame lost so cannot be answered.
    virtual bool listening() const { return true; }
};

// The device end of an in-memory line (the line paces the bytes at 19200 baud).
class DeviceFadecPort : public FadecPort {
public:
    explicit DeviceFadecPort(VirtualSerialDevice& device) : device_(device) {}

    void write(std::string_view bytes) override { device_.write(bytes); }
    void setReceiver(std::function<void(std::string_view bytes)> receiver) override {
        device_.setReceiver(std::move(receiver));
    }

private:
    VirtualSerialDevice& device_;
};

}  // namespace lec::sim
