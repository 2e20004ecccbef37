#include "app/program.h"

#include "core/confirmation_window.h"
#include "core/main_window.h"
#include "core/startup.h"

namespace lec {

Program::Program(Platform& platform)
    : platform_(platform),
      settings_(platform.appFolder),
      activityLog_(platform.clock, platform.appFolder),
      mainWindow_(std::make_unique<MainWindow>(forms_, platform)),
      confirmation_(std::make_unique<ConfirmationWindow>(forms_, mainWindow_->form(), platform,
                                                         channels_)),
      startup_(std::make_unique<Startup>(platform, forms_, mainWindow_->form(), channels_,
                                         settings_, activityLog_)) {}

Program::~Program() = default;

void Program::start() {
    startup_->formLoad();
    mainWindow_->form().show();
}

}  // namespace lec
