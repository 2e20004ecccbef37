#include "app/program.h"

#include "core/main_window.h"

namespace lec {

Program::Program(Platform& platform)
    : platform_(platform), mainWindow_(std::make_unique<MainWindow>(forms_, platform)) {
}

Program::~Program() = default;

void Program::start() {
    mainWindow_->show();
}

}  // namespace lec
