#pragma once

#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// The main window `Log`: for now its frame and the File menu with "Quit".
class MainWindow {
public:
    MainWindow(forms::FormSet& forms, Platform& platform);

    forms::Form& form() { return log_; }
    // Loads and shows the window.
    void show();

private:
    void build();
    void quit();

    Platform& platform_;
    forms::Form& log_;
};

}  // namespace lec
