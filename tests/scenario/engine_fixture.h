#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/channels.h"
#include "link/frame_format.h"
#include "platform/virtual/memory_surface.h"
#include "simulator/demo_cabinet.h"
#include "support/rig.h"

namespace lec::test {

inline constexpr Colour kLightBlue = Colour::rgb(128, 128, 255);
inline constexpr Colour kGreen = Colour::rgb(0, 255, 0);
inline constexpr Colour kButtonGreen = Colour::rgb(128, 255, 128);
inline constexpr Colour kGrey = Colour::rgb(192, 192, 192);
inline constexpr Colour kMagenta = Colour::rgb(255, 0, 255);

// The program with the demo cabinet's six FADECs on COM1..COM6, the ports of
// the engines listed connected through the port window (LE n on COMn), and
// every command frame each FADEC took kept in order.
class EngineFixture {
public:
    explicit EngineFixture(const std::vector<int>& connected = {1, 2, 3, 4, 5, 6}) {
        rig.run(3200);
        rig.click("Log.ActiveDesactiveRS232");
        for (int n : connected) {
            rig.set("ConfigurationRS232.Text1(" + std::to_string(n - 1) + ")", std::to_string(n));
            rig.check("ConfigurationRS232.Check1(" + std::to_string(n - 1) + ")", true);
        }
        rig.click("ConfigurationRS232.Command1");
        run(1000);
        for (int n : connected) {
            EXPECT_EQ(le(n).LeSynchro, 123) << "LE" << n << " is talking";
        }
    }

    // Runs the program, noting each command frame as its FADEC takes it.
    void run(std::int64_t ms) {
        rig.runUntil([this] { return watch(), false; }, ms);
    }
    bool runUntil(const std::function<bool()>& done, std::int64_t limitMs) {
        return rig.runUntil([&] { return watch(), done(); }, limitMs);
    }

    // LE n (1..6).
    LeChannel& le(int n) { return channels().le[static_cast<std::size_t>(n - 1)]; }
    sim::FadecModel& fadec(int n) { return cabinet.fadec(n); }
    Channels& channels() { return rig.program->channels(); }
    SoftwareSettings& settings() { return rig.program->settings().settings(); }
    forms::Control& control(const std::string& address) { return rig.control(address); }
    forms::Control& cell(const char* array, int n) {
        return rig.control(std::string("Log.") + array + "(" + std::to_string(n - 1) + ")");
    }
    std::string button(int n) { return "Log.ComOperStartLE" + std::to_string(n); }

    // The command frames FADEC n took, and how many asked for its table.
    const std::vector<CommandSlots>& framesTo(int n) {
        return frames_[static_cast<std::size_t>(n - 1)];
    }
    int readRequestsTo(int n) {
        int count = 0;
        for (const auto& f : framesTo(n)) {
            count += f[0] == 2 ? 1 : 0;
        }
        return count;
    }

    // Selects LE n and clicks its Start label, the test box answered "normal"
    // when it asks.
    void clickStart(int n) {
        rig.click("Log.Label26(" + std::to_string(n - 1) + ")");
        rig.click("Log.Label27(" + std::to_string(n - 1) + ")");
        if (channels().TestChoice == 0) {
            rig.click("BoiteStartTest.CmdNormal");
        }
    }
    // Starts LE n from its Start label and waits until it is lit.
    void startLit(int n) {
        clickStart(n);
        ASSERT_TRUE(runUntil([&] { return le(n).LePhase == 5; }, 60000)) << "LE" << n;
    }

    std::vector<std::string> histoLines() {
        std::vector<std::string> lines;
        const std::string bytes = rig.fileBytes("Histo.txt");
        for (std::size_t at = 0; at < bytes.size();) {
            const auto end = bytes.find("\r\n", at);
            lines.push_back(bytes.substr(at, end - at));
            at = end == std::string::npos ? bytes.size() : end + 2;
        }
        return lines;
    }
    // The activity records whose message ends in `message`.
    int records(const std::string& message) {
        int count = 0;
        for (const auto& line : histoLines()) {
            count += line.size() >= message.size() && line.compare(line.size() - message.size(),
                                                                   message.size(), message) == 0
                         ? 1
                         : 0;
        }
        return count;
    }

    const Box* newestBox() {
        const auto& open = rig.dialogs.openBoxes();
        return open.empty() ? nullptr : &open.back();
    }

    MemorySurface& restBox(int n) {
        return *dynamic_cast<MemorySurface*>(cell("Picture4", n).surface);
    }

    Rig rig;
    sim::DemoCabinet cabinet{rig.scheduler, rig.serial};

private:
    void watch() {
        for (int n = 1; n <= kLeCount; ++n) {
            const auto i = static_cast<std::size_t>(n - 1);
            const auto& fadec = cabinet.fadec(n);
            if (fadec.commandFramesReceived() != seen_[i] && fadec.lastCommandFrame()) {
                seen_[i] = fadec.commandFramesReceived();
                frames_[i].push_back(*fadec.lastCommandFrame());
            }
        }
    }

    std::array<std::vector<CommandSlots>, kLeCount> frames_;
    std::array<std::uint64_t, kLeCount> seen_{};
};

}  // namespace lec::test
