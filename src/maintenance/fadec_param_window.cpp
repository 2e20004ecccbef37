#include "maintenance/fadec_param_window.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "maintenance/fadec_param_table.h"
#include "maintenance/param_input_dialog.h"
#include "maintenance/param_values.h"
#include "platform/text_file.h"

namespace lec {

namespace {

using forms::Kind;
namespace fp = fadec_param;

constexpr int kButtonsMs = 300;

constexpr Colour kTitleEven = Colour::rgb(255, 255, 128);
constexpr Colour kTitleOdd = Colour::rgb(224, 224, 224);
constexpr Colour kEditing = Colour::rgb(255, 128, 0);
// The input dialog's background by edit class.
constexpr Colour kReadOnlyBack = Colour::rgb(255, 0, 0);
constexpr Colour kReservedBack = Colour::rgb(255, 128, 0);
constexpr Colour kEditableBack = Colour::rgb(192, 192, 255);
// How the main window marks the selected engine's name label.
constexpr Colour kSelectedName = Colour::rgb(91, 255, 0);

// Layout in twips. Row 0 is the bottom line, row 31 the top one; the input
// dialog opens beside the row from the same figures.
constexpr int kWidth = 7680;
constexpr int kHeight = 9330;
constexpr int kRow0Top = 8160;
constexpr int kRowPitch = 255;
constexpr int kNumberLeft = 120;
constexpr int kNumberWidth = 495;
constexpr int kTitleLeft = 660;
constexpr int kTitleWidth = 3735;
constexpr int kValueLeft = 4440;
constexpr int kValueWidth = 855;
constexpr int kButtonLeft = 5520;
constexpr int kButtonWidth = 1935;
constexpr int kButtonHeight = 495;
constexpr int kBottomTop = 8520;
// Where the dialog opens: right of the press, just below the row's top.
constexpr int kDialogRight = 4000;
constexpr int kDialogDown = 100;
// The motor-speed entry opens at this offset from the main window.
constexpr int kSpeedDialogLeft = 7200;
constexpr int kSpeedDialogTop = 2650;
// "Line :" shows this much of a title.
constexpr std::size_t kDialogLineLength = 28;
// The row whose value is the motor speed in hundreds of RPM.
constexpr int kMotorSpeedRow = 24;
// The set-point goes to the FADEC in units of 30 RPM.
constexpr int kRpmPerSpeedUnit = 30;

constexpr Byte kWriteRequest = 1;
constexpr Byte kReadRequest = 2;

struct Button {
    const char* name;
    const char* caption;
    int top;
};
// The six that need a selected engine; "Quit" is always there.
constexpr Button kActionButtons[] = {
    {"ReadConfig", "Read Settings", 255},       {"WriteConfig", "Write Settings", 855},
    {"ParamDefault", "Default Settings", 1695}, {"ParamZero", "Reset Display", 2295},
    {"ReadParamHdd", "Read Settings ", 3135},   {"WriteConfHdd", "Store New Settings ", 3735},
};

int item(int row) {
    return fp::kFirstNumber + row;
}

int rowTop(int row) {
    return kRow0Top - kRowPitch * row;
}

// A window's place on the screen: where it was put, or the centre.
int leftOf(const forms::Form& form, const Platform& platform) {
    return form.hasPosition ? form.left : (platform.screenWidthTwips - form.width) / 2;
}
int topOf(const forms::Form& form, const Platform& platform) {
    return form.hasPosition ? form.top : (platform.screenHeightTwips - form.height) / 2;
}

Colour dialogBack(fp::EditClass edit) {
    switch (edit) {
        case fp::EditClass::ReadOnly:
            return kReadOnlyBack;
        case fp::EditClass::Reserved:
            return kReservedBack;
        case fp::EditClass::Editable:
            break;
    }
    return kEditableBack;
}

std::string selectedCaption(int le) {
    return "Selected LE : " + std::to_string(le);
}

bool isLeNumber(int n) {
    return n >= 1 && n <= kLeCount;
}

}  // namespace

FadecParamWindow::FadecParamWindow(forms::FormSet& forms, forms::Form& log, Platform& platform,
                                   Channels& channels)
    : window_(forms.create("FadecParameters")),
      log_(log),
      platform_(platform),
      channels_(channels),
      input_(std::make_unique<ParamInputDialog>(forms, platform, channels)),
      timer1_(window_.addTimer(platform.scheduler.createTimer("Timer1", kButtonsMs))) {
    build();
    timer1_.setHandler([this] { enableButtons(); });
    window_.onLoad = [this] { timer1_.start(); };
    window_.onUnload = [this] { timer1_.stop(); };
    // The values must survive between openings: closing only hides it.
    window_.onCloseRequest = [this] {
        window_.hide();
        return false;
    };
    input_->setColourReset([this] { restoreTitleColours(); });
    if (forms::Control* menu = log_.find("mnuFadecParameters")) {
        menu->onClick = [this] { open(); };
    }

    // The main window fills the titles as it loads, and the window exists
    // (unseen) from then on, its button timer running.
    window_.load();
    TitreListeParam();
}

FadecParamWindow::~FadecParamWindow() = default;

void FadecParamWindow::build() {
    window_.caption = " FADEC Parameters";
    window_.setSize(kWidth, kHeight);
    window_.back = colours::kPaleBlue;
    window_.border = forms::BorderStyle::FixedDialog;
    window_.minButton = false;
    window_.maxButton = false;
    window_.showInTaskbar = false;
    window_.centred = true;

    for (int row = 0; row < fp::kRows; ++row) {
        auto& title = window_.add(Kind::Label, "Label61", row);
        title.setGeometry(kTitleLeft, rowTop(row), kTitleWidth, kRowPitch);
        title.onMouse = [this, row](forms::MouseAction action, forms::MouseButton, int x, int) {
            if (action == forms::MouseAction::Down) {
                editRow(row, x);
            }
        };
    }
    for (int row = 0; row < fp::kRows; ++row) {
        auto& value = window_.add(Kind::Label, "Label59", item(row));
        value.caption = "0";
        value.back = colours::kWhite;
        value.alignment = forms::Alignment::Center;
        value.border = true;
        value.setGeometry(kValueLeft, rowTop(row), kValueWidth, kRowPitch);
    }
    for (int row = 0; row < fp::kRows; ++row) {
        auto& number = window_.add(Kind::Label, "Label58", item(row));
        number.caption = std::to_string(item(row));
        number.back = colours::kPaleBlue;
        number.alignment = forms::Alignment::Center;
        number.setGeometry(kNumberLeft, rowTop(row), kNumberWidth, kRowPitch);
    }

    for (const auto& b : kActionButtons) {
        auto& button = window_.add(Kind::CommandButton, b.name);
        button.caption = b.caption;
        button.setGeometry(kButtonLeft, b.top, kButtonWidth, kButtonHeight);
    }
    window_.at("ReadConfig").onClick = [this] {
        zeroValues();
        requestTransfer(kReadRequest);
    };
    window_.at("WriteConfig").onClick = [this] { requestTransfer(kWriteRequest); };
    window_.at("ParamDefault").onClick = [this] { TableParamDefaut(); };
    window_.at("ParamZero").onClick = [this] { zeroValues(); };
    window_.at("ReadParamHdd").onClick = [this] { readFile(); };
    window_.at("WriteConfHdd").onClick = [this] { storeFile(); };

    auto& quit = window_.add(Kind::CommandButton, "CDMQuitter");
    quit.caption = "Quit";
    quit.setGeometry(kButtonLeft, kRow0Top - kButtonHeight + kRowPitch, kButtonWidth,
                     kButtonHeight);
    quit.onClick = [this] { window_.hide(); };

    auto& selected = window_.add(Kind::Label, "Label64");
    selected.back = colours::kPaleBlue;
    selected.font.bold = true;
    selected.setGeometry(kNumberLeft, kBottomTop, 3000, kRowPitch);

    auto& date = window_.add(Kind::Label, "LabelParamDate");
    date.caption = "Param : 03.03.2011";
    date.back = colours::kPaleBlue;
    date.setGeometry(kButtonLeft, kBottomTop, kButtonWidth, kRowPitch);
}

const std::string& FadecParamWindow::valueText(int row) const {
    return window_.at("Label59", item(row)).caption;
}

void FadecParamWindow::setValue(int row, std::string text) {
    window_.at("Label59", item(row)).caption = std::move(text);
}

void FadecParamWindow::setValues(const startup_files::ParamValues& values) {
    for (int row = 0; row < fp::kRows; ++row) {
        setValue(row, values[static_cast<std::size_t>(row)]);
    }
}

void FadecParamWindow::open() {
    const int selected = channels_.SelectedLe;
    if (isLeNumber(selected) && channels_.le[static_cast<std::size_t>(selected - 1)].LePhase != 0) {
        platform_.dialogs.message(" Warning!", "LE is not in phase 0 ", BoxIcon::Critical);
        return;
    }
    TitreListeParam();
    auto& heading = window_.at("Label64");
    for (int i = 0; i < kLeCount; ++i) {
        const forms::Control* name = log_.find("Label26", i);
        if (name != nullptr && name->back == kSelectedName) {
            channels_.SelectedLe = static_cast<Byte>(i + 1);
            heading.caption = selectedCaption(i + 1);
        }
    }
    if (heading.caption.empty()) {
        zeroValues();
    }
    window_.show();
}

void FadecParamWindow::TitreListeParam() {
    for (int row = 0; row < fp::kRows; ++row) {
        window_.at("Label61", row).caption =
            std::string(fp::kTable[static_cast<std::size_t>(row)].title);
    }
    restoreTitleColours();
}

void FadecParamWindow::TableParamDefaut() {
    setValues(startup_files::defaultParamValues());
}

void FadecParamWindow::zeroValues() {
    for (int row = 0; row < fp::kRows; ++row) {
        setValue(row, "0");
    }
}

void FadecParamWindow::selectionChanged() {
    zeroValues();
    const int selected = channels_.SelectedLe;
    window_.at("Label64").caption = isLeNumber(selected) ? selectedCaption(selected) : "";
}

void FadecParamWindow::loadValues(const startup_files::ParamValues& values) {
    setValues(values);
}

// A field that did not read as a number leaves its row as it was, as it
// leaves LeParam.
void FadecParamWindow::parameterFrame(int, const status::FieldResults& fields) {
    for (int row = 0; row < fp::kRows; ++row) {
        if (const auto& value = fields[static_cast<std::size_t>(row)]) {
            setValue(row, std::to_string(*value));
        }
    }
}

bool FadecParamWindow::writeParameters(int le) {
    // Row 0 is never sent: its place carries the write command.
    std::array<Byte, fp::kRows> bytes{};
    for (int row = 1; row < fp::kRows; ++row) {
        const auto byte = param_values::sentByte(valueText(row));
        if (!byte) {
            // A hand-edited ParamSt.ini can hold such a value; sending it cut
            // to a byte would set the FADEC to something nobody chose.
            const auto& title = fp::kTable[static_cast<std::size_t>(row)].title;
            platform_.dialogs.message(
                " Warning!",
                "Parameter " + std::to_string(item(row)) +
                    (title.empty() ? std::string() : " (" + std::string(title) + ")") + " = " +
                    valueText(row) + " does not fit in one byte (0-255): nothing was written to " +
                    leText(le) + " ",
                BoxIcon::Critical);
            return false;
        }
        bytes[static_cast<std::size_t>(row)] = *byte;
    }

    auto& slots = channels_.LeRecord[static_cast<std::size_t>(le)];
    slots[0] = kWriteRequest;
    for (int row = 1; row < fp::kRows; ++row) {
        const Byte value = bytes[static_cast<std::size_t>(row)];
        slots[static_cast<std::size_t>(row)] = value;
        channels_.LeParam[static_cast<std::size_t>(row)][static_cast<std::size_t>(le)] = value;
    }
    // No acknowledgement comes from the FADEC: the frame being built is all
    // the confirmation there is.
    channels_.TransferMessage = "Backup completed successfully ! ";
    if (Timer* confirm = log_.timer("Timer44")) {
        confirm->start();
    }
    return true;
}

void FadecParamWindow::openSpeedEntry() {
    ParamInputDialog::Content content;
    content.line = "By not 100";
    content.value = param_values::speedFromRow(valueText(kMotorSpeedRow));
    content.min = std::to_string(ParamInputDialog::kSpeedMin);
    content.max = std::to_string(ParamInputDialog::kSpeedMax);
    content.back = kEditableBack;
    content.left = leftOf(log_, platform_) + kSpeedDialogLeft;
    content.top = topOf(log_, platform_) + kSpeedDialogTop;
    input_->editSpeed(content, [this] {
        // OK or Cancel: the selected engine takes the last accepted speed
        // (0 before any).
        const int selected = channels_.SelectedLe;
        if (isLeNumber(selected)) {
            storeByte(channels_.le[static_cast<std::size_t>(selected - 1)].LeMotorSpeedSet,
                      channels_.MotorSpeedRpm / kRpmPerSpeedUnit);
        }
    });
}

void FadecParamWindow::enableButtons() {
    const bool selected = !window_.at("Label64").caption.empty();
    for (const auto& b : kActionButtons) {
        window_.at(b.name).enabled = selected;
    }
}

void FadecParamWindow::requestTransfer(Byte request) {
    const int selected = channels_.SelectedLe;
    if (!isLeNumber(selected)) {
        return;
    }
    if (channels_.le[static_cast<std::size_t>(selected - 1)].LePortOpen == 1) {
        channels_.TransferState = request;
        return;
    }
    // The digit is the engine's number, whatever port it is on.
    platform_.dialogs.message(" Warning ! ",
                              "The Port Com" + std::to_string(selected) + " is not activated ! ",
                              BoxIcon::Warning);
}

std::string FadecParamWindow::paramFilePath() const {
    return textfile::join(platform_.appFolder, std::string(startup_files::kParamSt));
}

void FadecParamWindow::readFile() {
    zeroValues();
    const auto lines = textfile::readLines(paramFilePath());
    if (!lines) {
        platform_.dialogs.message(" Warning!",
                                  "ParamSt.ini cannot be read: all 32 values were set to 0 ",
                                  BoxIcon::Warning);
        return;
    }
    const auto values = param_values::fileValues(*lines);
    const int count = static_cast<int>(std::min<std::size_t>(values.size(), fp::kRows));
    for (int row = 0; row < count; ++row) {
        setValue(row, values[static_cast<std::size_t>(row)]);
    }
    if (count < fp::kRows) {
        platform_.dialogs.message(" Warning!",
                                  "ParamSt.ini holds " + std::to_string(count) +
                                      " of the 32 values: parameters " +
                                      std::to_string(item(count)) + " to " +
                                      std::to_string(item(fp::kRows - 1)) + " were set to 0 ",
                                  BoxIcon::Warning);
    }
}

void FadecParamWindow::storeFile() {
    std::vector<std::string> lines;
    lines.reserve(fp::kRows);
    for (int row = 0; row < fp::kRows; ++row) {
        lines.push_back(valueText(row));
    }
    if (!textfile::writeLines(paramFilePath(), lines)) {
        platform_.dialogs.message(
            " Warning!", "ParamSt.ini could not be written: the file on disk is unchanged ",
            BoxIcon::Warning);
    }
}

void FadecParamWindow::editRow(int row, int x) {
    channels_.EditRow = static_cast<Byte>(row);
    window_.at("Label61", row).back = kEditing;

    const auto& entry = fp::kTable[static_cast<std::size_t>(row)];
    ParamInputDialog::Content content;
    content.line = fp::paddedTitle(row).substr(0, kDialogLineLength);
    content.value = valueText(row);
    content.min = std::string(entry.minHint);
    content.max = std::string(entry.maxHint);
    content.back = dialogBack(entry.edit);
    content.readOnly = entry.edit == fp::EditClass::ReadOnly;
    content.left = leftOf(window_, platform_) + x + kDialogRight;
    content.top = topOf(window_, platform_) + rowTop(row) + kDialogDown;
    input_->editRow(content, [this, row](const std::string& text) { setValue(row, text); });
}

void FadecParamWindow::restoreTitleColours() {
    for (int row = 0; row < fp::kRows; ++row) {
        window_.at("Label61", row).back = row % 2 == 0 ? kTitleEven : kTitleOdd;
    }
}

}  // namespace lec
