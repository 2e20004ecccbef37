#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// Replays a script of user actions against the program's windows, one line
// after another on the event thread: each line runs from a posted task, so
// whatever the previous line started has run first; `wait` lets the program
// run on its timers meanwhile. The same runner serves the windowed program,
// headless runs and the test rig.
class ScriptRunner {
public:
    // `sim N ...` lines go here; the answer is an error text, or nullopt.
    using SimHandler =
        std::function<std::optional<std::string>(const std::vector<std::string>& words)>;

    ScriptRunner(forms::FormSet& forms, Platform& platform, std::ostream& out, std::ostream& err);
    ~ScriptRunner();

    // One action per line; nullopt and an error when the file cannot be read.
    bool load(const std::string& path, std::string& error);
    void setLines(std::vector<std::string> lines) { lines_ = std::move(lines); }

    void setSimHandler(SimHandler handler) { sim_ = std::move(handler); }
    // Called after every action (a view brings the screen up to date).
    void setAfterAction(std::function<void()> hook) { afterAction_ = std::move(hook); }

    // Begins with the first line, after the current handler.
    void start();
    bool finished() const { return finished_; }
    // Exit status asked for by the script: 0 after `quit`, 2 after an error.
    std::optional<int> exitStatus() const { return exitStatus_; }

private:
    void step();
    // Runs one line; an error text when it cannot be carried out.
    std::optional<std::string> execute(const std::string& line, bool& paused);
    void fail(const std::string& why);
    void finish(int status);

    forms::FormSet& forms_;
    Platform& platform_;
    std::ostream& out_;
    std::ostream& err_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    bool finished_ = false;
    std::optional<int> exitStatus_;
    std::unique_ptr<Timer> waitTimer_;
    SimHandler sim_;
    std::function<void()> afterAction_;
};

}  // namespace lec
