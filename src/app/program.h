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
class QuestionWindow;
class WarningBox;
class ErrorCodes;
class ActivityLogWindow;
class SerialLink;
class StatusDecoder;
class CommandSender;
class LinkSupervision;
class FadecParamWindow;
class StartTestBox;
class EngineControl;

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
    QuestionWindow& questionWindow() { return *question_; }
    WarningBox& warningBox() { return *warningBox_; }
    ErrorCodes& errorCodes() { return *errorCodes_; }
    SerialLink& serialLink() { return *serialLink_; }
    StatusDecoder& statusDecoder() { return *statusDecoder_; }
    CommandSender& commandSender() { return *commandSender_; }
    LinkSupervision& linkSupervision() { return *linkSupervision_; }
    ConfirmationWindow& confirmationWindow() { return *confirmation_; }
    FadecParamWindow& fadecParamWindow() { return *fadecParamWindow_; }
    StartTestBox& startTestBox() { return *startTestBox_; }
    EngineControl& engineControl() { return *engineControl_; }

private:
    void wireLink();
    void wireOperation();

    Platform& platform_;
    forms::FormSet forms_;
    Channels channels_;
    SettingsStore settings_;
    ActivityLog activityLog_;
    std::unique_ptr<MainWindow> mainWindow_;
    std::unique_ptr<ConfirmationWindow> confirmation_;
    std::unique_ptr<QuestionWindow> question_;
    std::unique_ptr<WarningBox> warningBox_;
    std::unique_ptr<ErrorCodes> errorCodes_;
    std::unique_ptr<ActivityLogWindow> activityLogWindow_;
    std::unique_ptr<SerialLink> serialLink_;
    std::unique_ptr<CommandSender> commandSender_;
    std::unique_ptr<StatusDecoder> statusDecoder_;
    std::unique_ptr<LinkSupervision> linkSupervision_;
    std::unique_ptr<FadecParamWindow> fadecParamWindow_;
    std::unique_ptr<StartTestBox> startTestBox_;
    std::unique_ptr<EngineControl> engineControl_;
    std::unique_ptr<Startup> startup_;
};

}  // namespace lec
