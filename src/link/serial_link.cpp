#include "link/serial_link.h"

namespace lec {

SerialLink::SerialLink(forms::FormSet&, forms::Form& log, Platform& platform, Channels& channels)
    : log_(log), platform_(platform), channels_(channels) {
    for (auto& port : ports_) {
        port = platform.serialPorts.createSerialPort();
    }
}

SerialLink::~SerialLink() = default;

void SerialLink::ActivationCOM() {}

}  // namespace lec
