#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/channels.h"
#include "link/frame_format.h"
#include "support/rig.h"

namespace lec::test {

// The program with LE-1 on COM1 and a device end on that line that writes
// status frames and keeps every command frame the PC sent back.
class LinkFixture {
public:
    static constexpr int kExchangeMs = 150;

    explicit LinkFixture(Rig::Options options = {}) : rig(std::move(options)) {
        auto& line = rig.serial.line(1);
        line.connectDevice();
        line.device().setReceiver([this](std::string_view bytes) { received += bytes; });
        rig.run(3200);
        rig.click("Log.ActiveDesactiveRS232");
        rig.set("ConfigurationRS232.Text1(0)", "1");
        rig.check("ConfigurationRS232.Check1(0)", true);
        rig.click("ConfigurationRS232.Command1");
    }

    // A plausible lit engine: phase 5, synchronised, measurements set.
    static StatusFields lit() {
        StatusFields f{};
        f[1] = 5;     // phase
        f[5] = 9;     // ramp step
        f[10] = 45;   // MAT
        f[11] = 31;   // SHT
        f[12] = 100;  // LPC
        f[13] = 80;   // LFC
        f[15] = 30;   // VCC
        f[16] = 40;   // VIS
        f[17] = 50;   // IR
        f[18] = 60;   // RH
        f[26] = 17;   // version
        f[30] = 123;
        return f;
    }

    // Writes one frame from the device and lets it arrive (83.3 ms on the
    // wire) and be answered (30 ms later, then 17.7 ms on the wire).
    void send(const StatusFields& fields, int runMs = kExchangeMs) {
        sendText(formatStatusFrame(fields), runMs);
    }
    void sendText(const std::string& text, int runMs = kExchangeMs) {
        rig.serial.line(1).device().write(text);
        rig.run(runMs);
    }

    // The command frames received so far, cut every 34 bytes.
    std::vector<std::string> answers() const {
        std::vector<std::string> out;
        for (std::size_t at = 0; at + kCommandFrameLength <= received.size();
             at += kCommandFrameLength) {
            out.push_back(received.substr(at, kCommandFrameLength));
        }
        return out;
    }
    static int byteAt(const std::string& frame, int k) {
        return static_cast<unsigned char>(frame[static_cast<std::size_t>(k)]);
    }

    Channels& channels() { return rig.program->channels(); }
    LeChannel& le0() { return channels().le[0]; }
    std::string caption(const std::string& address) { return rig.control(address).caption; }

    Rig rig;
    std::string received;
};

}  // namespace lec::test
