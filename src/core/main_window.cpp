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

// Pictures are drawn in pixels; the layout is in twips.
constexpr int kTwipsPerPixel = 15;

// The chart area under the LE table: one surface an engine (467 x 281 pixels).
constexpr int kChartLeft = 120;
constexpr int kChartTop = 3840;
constexpr int kChartWidthPx = 467;
constexpr int kChartHeightPx = 281;

// The rest boxes under the chart, one an engine, in two rows of three; each
// holds "Rest  59 sec." in 10-point type.
constexpr int kRestLeft = 120;
constexpr int kRestTop = 8085;
constexpr int kRestWidthPx = 154;
constexpr int kRestHeightPx = 17;
constexpr int kRestPitchX = 2340;
constexpr int kRestPitchY = 270;
constexpr Colour kRestGrey = Colour::rgb(192, 192, 192);

// The per-LE start buttons, right of the LE table, one beside each row; the
// access-level layouts show them.
constexpr int kStartButtonLeft = 8820;
constexpr int kStartButtonWidth = 1455;

// The thermometer beside the chart: a white column of 8 x 258 pixels whose
// bar rises 2 pixels a degree from pixel row 256.
constexpr int kThermoLeft = 7305;
constexpr int kThermoTop = 3960;
constexpr int kThermoWidthPx = 8;
constexpr int kThermoHeightPx = 258;
constexpr int kThermoBase = 256;
constexpr Colour kSelectorOff{0x00FFFFC0u};
constexpr Colour kSelectorOn = Colour::rgb(0, 255, 0);

struct ScaleMark {
    const char* caption;
    int degrees;  // where the label stands on the column
};
// Air cooling's scale, as the once-a-second refresh sets it.
constexpr ScaleMark kScale[] = {
    {"  0°C", 0},   {"  25°C", 25}, {"  30°C", 30}, {"  50°C", 50}, {"  70°C", 70},
    {"  80°C", 80}, {"100°C", 100}, {"115°C", 115}, {"120°C", 120}, {"128°C", 128},
};

// The detail area of the selected LE, right of the thermometer.
constexpr int kDetailLeft = 8640;
constexpr int kDetailTop = 3960;
constexpr int kDetailPitch = 360;

// The FADEC I/O panel: 3735 x 7095 twips, shown right of the LE table.
constexpr int kIoLeft = 11640;
constexpr int kIoTop = 3000;
constexpr int kIoWidth = 3735;
constexpr int kIoHeight = 7095;
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
    buildDetailArea();
    buildCharts();
    buildRestBoxes();
    buildStartButtons();
    buildThermometer();
    buildIoPanel();

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
        // Only the selected engine's Start and Stop cells show, LE-1 at first.
        log_.at("Label27", i).caption = "Start";
        log_.at("Label28", i).caption = "Stop";
        log_.at("Label27", i).visible = i == 0;
        log_.at("Label28", i).visible = i == 0;
    }
}

forms::Control& MainWindow::addPicture(const char* name, int index, int widthPx, int heightPx,
                                       Colour background) {
    auto& picture = log_.add(Kind::PictureBox, name, index);
    picture.back = background;
    surfaces_.push_back(platform_.surfaces.createSurface(widthPx, heightPx, background));
    picture.surface = surfaces_.back().get();
    return picture;
}

void MainWindow::buildDetailArea() {
    struct Item {
        const char* name;
        const char* caption;
    };
    constexpr Item kItems[] = {
        {"Label66", "Selected LE = ?"}, {"Label7", "Ph"}, {"Label5", "Step"}};
    int top = kDetailTop;
    for (const auto& [name, caption] : kItems) {
        auto& label = log_.add(Kind::Label, name);
        label.caption = caption;
        label.back = colours::kPaleBlue;
        label.setGeometry(kDetailLeft, top, 1695, 255);
        top += kDetailPitch;
    }
}

void MainWindow::buildCharts() {
    for (int i = 0; i < kLeCount; ++i) {
        auto& chart =
            addPicture(kChartPictures[i], -1, kChartWidthPx, kChartHeightPx, colours::kBlack);
        chart.setGeometry(kChartLeft, kChartTop, kChartWidthPx * kTwipsPerPixel,
                          kChartHeightPx * kTwipsPerPixel);
        chart.visible = i == 0;
    }
}

void MainWindow::buildRestBoxes() {
    for (int i = 0; i < kLeCount; ++i) {
        auto& box = addPicture("Picture4", i, kRestWidthPx, kRestHeightPx, kRestGrey);
        box.setGeometry(kRestLeft + (i % 3) * kRestPitchX, kRestTop + (i / 3) * kRestPitchY,
                        kRestWidthPx * kTwipsPerPixel, kRestHeightPx * kTwipsPerPixel);
    }
}

void MainWindow::buildStartButtons() {
    for (int i = 0; i < kLeCount; ++i) {
        auto& button = log_.add(Kind::CommandButton, "ComOperStartLE" + std::to_string(i + 1));
        button.caption = "START " + leCaption(i);
        button.visible = false;
        button.setGeometry(kStartButtonLeft, kTableTop + i * kRowPitch, kStartButtonWidth,
                           kCellHeight);
    }
}

void MainWindow::buildThermometer() {
    auto& column = addPicture("Picture1", -1, kThermoWidthPx, kThermoHeightPx, colours::kWhite);
    column.setGeometry(kThermoLeft, kThermoTop, kThermoWidthPx * kTwipsPerPixel,
                       kThermoHeightPx * kTwipsPerPixel);

    int index = 0;
    for (const auto& [caption, degrees] : kScale) {
        auto& mark = log_.add(Kind::Label, "Label79", index++);
        mark.caption = caption;
        mark.back = colours::kPaleBlue;
        const int row = kThermoBase - 2 * degrees;
        mark.setGeometry(kThermoLeft + 180, kThermoTop + row * kTwipsPerPixel - 120, 615, 240);
    }

    auto& value = log_.add(Kind::Label, "Label68");
    value.caption = "---";
    value.back = colours::kPaleBlue;
    value.alignment = forms::Alignment::Center;
    value.setGeometry(kThermoLeft - 300, kThermoTop + kThermoHeightPx * kTwipsPerPixel + 60, 735,
                      255);

    // The MAT and SHT selectors: a caption on a small picture each; MAT is
    // the choice at start.
    constexpr const char* kSelectorLabels[] = {"Label72", "Label75"};
    constexpr const char* kSelectorCaptions[] = {"MAT", "SHT"};
    for (int k = 0; k < 2; ++k) {
        const Colour back = k == 0 ? kSelectorOn : kSelectorOff;
        auto& holder = log_.add(Kind::PictureBox, "Picture6", k);
        holder.back = back;
        holder.setGeometry(kThermoLeft - 300 + k * 480, kThermoTop + 4260, 435, 285);
        auto& label = log_.add(Kind::Label, kSelectorLabels[k]);
        label.caption = kSelectorCaptions[k];
        label.back = back;
        label.alignment = forms::Alignment::Center;
        label.container = &holder;
        label.setGeometry(0, 15, 435, 255);
    }
}

void MainWindow::buildIoPanel() {
    constexpr int kWidthPx = kIoWidth / kTwipsPerPixel;
    constexpr int kHeightPx = kIoHeight / kTwipsPerPixel;
    auto& panel = addPicture("Picture22", -1, kWidthPx, kHeightPx, colours::kBlack);
    panel.fore = colours::kWhite;
    panel.setGeometry(kIoLeft, kIoTop, kIoWidth, kIoHeight);
    panel.visible = false;
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
