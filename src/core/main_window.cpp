#include "core/main_window.h"

#include <utility>

#include "core/channels.h"

namespace lec {

namespace {
using forms::Kind;

// The size the initialisation gives the window, in twips.
constexpr int kLogWidth = 12900;
constexpr int kLogHeight = 10920;

constexpr Colour kRed = Colour::rgb(255, 0, 0);
constexpr Colour kPaleYellow = Colour::rgb(255, 255, 192);

// The LE table: one strip of cells a light engine under the Connect button,
// LE-1 at the top; the chart area is to the right of it.
constexpr int kTableLeft = 120;
constexpr int kTableHeadTop = 1140;
constexpr int kTableTop = 1440;
constexpr int kRowPitch = 360;
constexpr int kCellHeight = 315;
constexpr int kColumnGap = 15;

struct TableColumn {
    const char* cell;  // the label array of the column's cells
    const char* head;  // the fixed title label above it
    const char* title;
    int width;
};
// The first three columns have no title of their own.
constexpr TableColumn kTableColumns[] = {
    {"Label26", nullptr, nullptr, 480},          {"Label27", nullptr, nullptr, 585},
    {"Label28", nullptr, nullptr, 585},          {"Label11", "LabelHeadStep", "Prog Step", 450},
    {"Label29", "LabelHeadPhase", "Phase", 450}, {"Label30", "LabelHeadReady", "Ready", 450},
    {"Label31", "LabelHeadLpc", "LPC", 450},     {"Label32", "LabelHeadLfc", "LFC", 450},
    {"Label33", "LabelHeadVis", "VIS", 450},     {"Label34", "LabelHeadIr", "IR", 450},
    {"Label35", "LabelHeadRh", "RH", 450},       {"Label36", "LabelHeadBat", "BAT", 450},
    {"Label37", "LabelHeadVcc", "VCC", 450},     {"Label39", "LabelHeadVersion", "Version", 540},
    {"Label40", "LabelHeadMat", "MAT", 450},     {"Label41", "LabelHeadSht", "SHT", 450},
    {"Label15", "LabelHeadPwr", "PWR in", 735},
};
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
        {"mnuParameterVB", "Software Settings"},   {"mnuFadecParameters", "FADEC Parameters"},
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

    buildLeTable();
    buildAlarmsMenu();

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

void MainWindow::buildLeTable() {
    int left = kTableLeft;
    for (const auto& column : kTableColumns) {
        if (column.head != nullptr) {
            auto& head = log_.add(Kind::Label, column.head);
            head.caption = column.title;
            head.back = colours::kPaleBlue;
            head.alignment = forms::Alignment::Center;
            head.setGeometry(left, kTableHeadTop, column.width, kCellHeight);
        }
        for (int i = 0; i < kLeCount; ++i) {
            auto& cell = log_.add(Kind::Label, column.cell, i);
            cell.caption = "---";
            cell.border = true;
            cell.alignment = forms::Alignment::Center;
            cell.back = colours::kButtonFace;
            cell.setGeometry(left, kTableTop + i * kRowPitch, column.width, kCellHeight);
        }
        left += column.width + kColumnGap;
    }
    for (int i = 0; i < kLeCount; ++i) {
        log_.at("Label26", i).caption = leText(i);
        log_.at("Label29", i).back = kPaleYellow;
    }
}

void MainWindow::buildAlarmsMenu() {
    auto& alarms = log_.add(Kind::Menu, "mnuAlarms");
    alarms.caption = "Alarms";
    for (const auto& [name, caption] :
         {std::pair{"mnuAlarmPlateau", "SHT (FADEC and PC)"}, std::pair{"mnuAlarmLFC", "LFC"}}) {
        auto& entry = log_.add(Kind::Menu, name);
        entry.caption = caption;
        entry.parentMenu = &alarms;
    }
}

}  // namespace lec
