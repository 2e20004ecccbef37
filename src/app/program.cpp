#include "app/program.h"

#include "core/confirmation_window.h"
#include "core/main_window.h"
#include "core/startup.h"
#include "link/serial_link.h"
#include "records/activity_log_window.h"
#include "records/error_codes.h"
#include "records/question_window.h"
#include "records/warning_box.h"

namespace lec {

Program::Program(Platform& platform)
    : platform_(platform),
      settings_(platform.appFolder),
      activityLog_(platform.clock, platform.appFolder),
      mainWindow_(std::make_unique<MainWindow>(forms_, platform)),
      confirmation_(std::make_unique<ConfirmationWindow>(forms_, mainWindow_->form(), platform,
                                                         channels_)),
      question_(std::make_unique<QuestionWindow>(forms_, platform)),
      warningBox_(std::make_unique<WarningBox>(forms_, platform, channels_)),
      errorCodes_(std::make_unique<ErrorCodes>(forms_, mainWindow_->form(), platform, channels_,
                                               activityLog_)),
      activityLogWindow_(std::make_unique<ActivityLogWindow>(forms_, mainWindow_->form(), platform,
                                                             activityLog_, *question_)),
      serialLink_(std::make_unique<SerialLink>(forms_, mainWindow_->form(), platform, channels_)),
      startup_(std::make_unique<Startup>(platform, forms_, mainWindow_->form(), channels_,
                                         settings_, activityLog_, *errorCodes_)) {}

Program::~Program() = default;

void Program::start() {
    startup_->formLoad();
    mainWindow_->form().show();
}

}  // namespace lec
