#include "core/main_window.h"

namespace lec {

namespace {
// Size of the main window, in twips.
constexpr int kLogWidth = 12900;
constexpr int kLogHeight = 10920;
}  // namespace

MainWindow::MainWindow(forms::FormSet& forms, Platform& platform)
    : platform_(platform), log_(forms.create("Log")) {
    build();
}

void MainWindow::build() {
    using forms::Kind;
    log_.caption = "  Kelvan Light Engine Control (RS232)";
    log_.setSize(kLogWidth, kLogHeight);
    log_.border = forms::BorderStyle::None;
    log_.showInTaskbar = false;
    log_.centred = true;
    log_.back = colours::kPaleBlue;

    auto& file = log_.add(Kind::Menu, "mnuFile");
    file.caption = "File";
    auto& quit = log_.add(Kind::Menu, "mnuQuit");
    quit.caption = "Quit";
    quit.parentMenu = &file;
    quit.onClick = [this] { this->quit(); };
}

void MainWindow::show() {
    log_.show();
}

void MainWindow::quit() {
    platform_.quit(0);
}

}  // namespace lec
