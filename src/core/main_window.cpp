#include "core/main_window.h"

namespace lec {

namespace {
using forms::Kind;

// The size the initialisation gives the window, in twips.
constexpr int kLogWidth = 12900;
constexpr int kLogHeight = 10920;

constexpr Colour kRed = Colour::rgb(255, 0, 0);
}  // namespace

MainWindow::MainWindow(forms::FormSet& forms, Platform& platform)
    : platform_(platform), log_(forms.create("Log")) {
    build();
}

void MainWindow::build() {
    log_.caption = kDesignedCaption;
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

    // The maintenance windows' menu, shown by the initialisation.
    auto& functions = log_.add(Kind::Menu, "mnuFunctions");
    functions.caption = "Functions";
    functions.visible = false;
    struct Entry {
        const char* name;
        const char* caption;
    };
    // The three FADEC commands are enabled only while a port is open.
    constexpr Entry kFunctions[] = {
        {"mnuParameterVB", "Software Settings"},  {"mnuFadecParameters", "FADEC Parameters"},
        {"mnuReadLeSettings", "Read LE Settings"}, {"mnuTestMateriel", "Hardward Tests"},
        {"mnuCodeError", "FADEC Error Codes"},     {"mnuhisto", "Activity Logging"},
    };
    for (const auto& [name, caption] : kFunctions) {
        auto& entry = log_.add(Kind::Menu, name);
        entry.caption = caption;
        entry.parentMenu = &functions;
    }
    for (const char* name : {"mnuFadecParameters", "mnuReadLeSettings", "mnuTestMateriel"}) {
        log_.at(name).enabled = false;
    }

    auto& connect = log_.add(Kind::CommandButton, "ActiveDesactiveRS232");
    connect.caption = "Please Wait";
    connect.enabled = false;
    connect.font.bold = true;
    connect.setGeometry(120, 120, 2055, 375);

    auto& startLink = log_.add(Kind::CommandButton, "ComOperStartRS232");
    startLink.caption = "START (RS232)";
    startLink.visible = false;
    startLink.setGeometry(470, 500, 1815, 495);

    auto& selected = log_.add(Kind::Label, "Label66");
    selected.caption = "Selected LE = ?";
    selected.back = colours::kPaleBlue;
    selected.setGeometry(5640, 5040, 1695, 255);

    auto& errors = log_.add(Kind::ListBox, "List4");
    errors.fore = kRed;
    errors.back = colours::kBlack;
    errors.setGeometry(5640, 8640, 4600, 1800);

    auto& portTest = log_.add(Kind::ListBox, "List3");
    portTest.fore = kRed;
    portTest.back = colours::kBlack;
    portTest.setGeometry(120, 8640, 5295, 1800);
}

}  // namespace lec
