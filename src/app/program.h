#pragma once

#include <memory>

#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

class MainWindow;

// The whole program over a platform: every window and every piece of
// behaviour. The windowed program, the headless one and the test rig all
// build this same object.
class Program {
public:
    explicit Program(Platform& platform);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Loads the main window; the rest follows on the program's timers.
    void start();

    Platform& platform() { return platform_; }
    forms::FormSet& forms() { return forms_; }
    MainWindow& mainWindow() { return *mainWindow_; }

private:
    Platform& platform_;
    forms::FormSet forms_;
    std::unique_ptr<MainWindow> mainWindow_;
};

}  // namespace lec
