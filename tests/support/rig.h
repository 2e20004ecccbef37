#pragma once

#include <functional>
#include <optional>
#include <sstream>
#include <string>

#include "app/program.h"
#include "app/script_runner.h"
#include "forms/form.h"
#include "platform/virtual/memory_surface.h"
#include "platform/virtual/recording_dialogs.h"
#include "platform/virtual/recording_printer.h"
#include "platform/virtual/virtual_clock.h"
#include "platform/virtual/virtual_scheduler.h"
#include "platform/virtual/virtual_serial.h"
#include "support/temp_folder.h"

namespace lec::test {

// The whole program on the virtual platform, in a fresh application folder,
// driven as a user would drive it.
class Rig {
public:
    struct Options {
        DateTime start{2026, 12, 11, 9, 30, 0};
        // Called with the application folder before the program is built
        // (to lay files there first).
        std::function<void(const std::string& appFolder)> prepare;
        bool startProgram = true;
    };

    Rig();
    explicit Rig(Options options);
    ~Rig();

    // --- Time ---
    void run(std::int64_t ms) { scheduler.advance(ms); }
    bool runUntil(const std::function<bool()>& predicate, std::int64_t limitMs) {
        return scheduler.runUntil(predicate, limitMs);
    }

    // --- Windows, as a user sees them (each fails the test when the control
    // does not exist or cannot be reached) ---
    forms::Form& form(const std::string& name);
    forms::Control& control(const std::string& address);
    void click(const std::string& address);
    void rightClick(const std::string& address);
    void set(const std::string& address, const std::string& value);
    void check(const std::string& address, bool on);
    void answer(BoxButton button);
    void close(const std::string& window);
    std::string dump(const std::string& address);

    // --- Files of the application folder ---
    std::string path(const std::string& name) const { return folder_.file(name); }
    bool hasFile(const std::string& name) const;
    std::string fileBytes(const std::string& name) const;

    // Runs a script on virtual time until it finishes (or `limitMs` of
    // program time pass): what it printed, its errors and its status.
    struct ScriptResult {
        std::string out;
        std::string err;
        std::optional<int> status;
        bool finished = false;
    };
    ScriptResult runScript(const std::string& text, std::int64_t limitMs = 600000);

    std::optional<int> quitStatus() const { return quitStatus_; }

    TempFolder folder_;
    TempFolder systemFolder_;
    VirtualScheduler scheduler;
    VirtualClock clock;
    RecordingDialogs dialogs;
    RecordingPrinter printer;
    MemorySurfaceFactory surfaces;
    VirtualSerialHub serial;
    Platform platform;
    std::unique_ptr<Program> program;

private:
    std::optional<int> quitStatus_;
};

}  // namespace lec::test
