#pragma once

#include <memory>

#include "core/channels.h"
#include "core/settings_store.h"
#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

class MainWindow;
class ConfirmationWindow;
class Startup;

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
    Channels& channels() { return channels_; }
    SettingsStore& settings() { return settings_; }
    ActivityLog& activityLog() { return activityLog_; }
    Startup& startup() { return *startup_; }

private:
    Platform& platform_;
    forms::FormSet forms_;
    Channels channels_;
    SettingsStore settings_;
    ActivityLog activityLog_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<ConfirmationWindow> confirmation_;
    std::unique_ptr<Startup> startup_;
};

}  // namespace lec
