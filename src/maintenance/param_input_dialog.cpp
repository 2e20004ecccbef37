#include "maintenance/param_input_dialog.h"

#include <iterator>
#include <utility>

#include "maintenance/fadec_param_table.h"
#include "maintenance/param_values.h"
#include "platform/text_file.h"

namespace lec {

namespace {

using forms::Kind;

constexpr int kWidth = 4800;
constexpr int kHeight = 3150;
constexpr int kCaptionLeft = 120;
constexpr int kCaptionWidth = 1095;
constexpr int kFieldLeft = 1320;
constexpr int kRowHeight = 255;

// The fixed captions beside the four labels and the entry box, which take
// the dialog's background colour with it.
struct Caption {
    const char* name;
    const char* text;
    int top;
};
constexpr Caption kCaptions[] = {
    {"LabelLine", "Line :", 120}, {"LabelValue", "Value :", 480},        {"LabelMin", "Min :", 840},
    {"LabelMax", "Max :", 1200},  {"LabelEnter", "Enter Value :", 1620},
};
// The four labels the dialog fills, with the width of each.
struct Field {
    const char* name;
    int top;
    int width;
};
constexpr Field kFields[] = {
    {"Label1", 120, 3255},
    {"Label2", 480, 1215},
    {"Label3", 840, 1215},
    {"Label4", 1200, 1215},
};

bool isReadOnlyRow(int row) {
    return row >= 0 && row < fadec_param::kRows &&
           fadec_param::kTable[static_cast<std::size_t>(row)].edit ==
               fadec_param::EditClass::ReadOnly;
}

}  // namespace

ParamInputDialog::ParamInputDialog(forms::FormSet& forms, Platform& platform, Channels& channels)
    : window_(forms.create("Saisie")),
      platform_(platform),
      channels_(channels),
      timer17_(window_.addTimer(platform.scheduler.createTimer("Timer17", kFocusDelayMs))) {
    build();
    // The entry box is the first control of the dialog that takes the
    // keyboard, so the view gives it the focus as the dialog opens; this
    // tick only ends the wait the dialog was designed with.
    timer17_.setHandler([this] { timer17_.stop(); });
    window_.onUnload = [this] { timer17_.stop(); };
    // No close box: only OK and Cancel close it.
    window_.onCloseRequest = [] { return false; };
}

void ParamInputDialog::build() {
    window_.caption = "  Input parameters";
    window_.setSize(kWidth, kHeight);
    window_.border = forms::BorderStyle::FixedDialog;
    window_.controlBox = false;
    window_.minButton = false;
    window_.maxButton = false;
    window_.showInTaskbar = false;

    for (const auto& c : kCaptions) {
        auto& label = window_.add(Kind::Label, c.name);
        label.caption = c.text;
        label.alignment = forms::Alignment::Right;
        label.setGeometry(kCaptionLeft, c.top, kCaptionWidth, kRowHeight);
    }
    for (const auto& f : kFields) {
        auto& label = window_.add(Kind::Label, f.name);
        label.border = true;
        label.back = colours::kWhite;
        label.setGeometry(kFieldLeft, f.top, f.width, kRowHeight);
    }

    // Created before the buttons: the first control that takes the keyboard.
    auto& entry = window_.add(Kind::TextBox, "Text1");
    entry.back = colours::kWindowBackground;
    entry.fore = colours::kWindowText;
    entry.setGeometry(kFieldLeft, 1575, 1215, 315);

    auto& ok = window_.add(Kind::CommandButton, "ValidationSaisie");
    ok.caption = "OK";
    ok.isDefault = true;
    ok.setGeometry(600, 2160, 1335, 420);
    ok.onClick = [this] { validate(); };

    auto& cancelButton = window_.add(Kind::CommandButton, "AnnulerSaisie");
    cancelButton.caption = "Cancel";
    cancelButton.setGeometry(2640, 2160, 1335, 420);
    cancelButton.onClick = [this] { cancel(); };
}

void ParamInputDialog::editRow(const Content& content,
                               std::function<void(const std::string&)> accepted) {
    channels_.SpeedInputMode = 0;
    accepted_ = std::move(accepted);
    closed_ = nullptr;
    open(content);
}

void ParamInputDialog::editSpeed(const Content& content, std::function<void()> closed) {
    channels_.SpeedInputMode = 1;
    accepted_ = nullptr;
    closed_ = std::move(closed);
    open(content);
}

// Every opening starts from the designed state: nothing typed, nothing
// disabled, whatever the previous opening left.
void ParamInputDialog::open(const Content& content) {
    window_.back = content.back;
    for (const auto& c : kCaptions) {
        window_.at(c.name).back = content.back;
    }
    const std::string* texts[] = {&content.line, &content.value, &content.min, &content.max};
    for (std::size_t i = 0; i < std::size(kFields); ++i) {
        auto& label = window_.at(kFields[i].name);
        label.caption = *texts[i];
        label.enabled = !content.readOnly;
    }
    auto& entry = window_.at("Text1");
    entry.text.clear();
    entry.enabled = !content.readOnly;
    window_.move(content.left, content.top);

    timer17_.stop();
    window_.show(/*asModal=*/true);
    timer17_.start();
}

void ParamInputDialog::validate() {
    if (colourReset_) {
        colourReset_();
    }
    std::string entry = window_.at("Text1").text;
    if (entry.empty()) {
        entry = window_.at("Label2").caption;
    }

    const bool speed = channels_.SpeedInputMode == 1;
    const double min = speed ? kSpeedMin : param_values::hintBound(window_.at("Label3").caption);
    const double max = speed ? kSpeedMax : param_values::hintBound(window_.at("Label4").caption);
    const auto verdict = param_values::checkEntry(entry, min, max);
    if (verdict == param_values::Entry::NotDigits) {
        refuse("Input error, use number 0-9");
        return;
    }
    if (speed) {
        if (verdict == param_values::Entry::OutOfRange) {
            refuse("Standard input, 1000-4000 RPM ");
            return;
        }
        channels_.MotorSpeedRpm =
            static_cast<std::int16_t>(textfile::parseNumber(entry).value_or(0.0));
        close();
        return;
    }
    // The clock registers and the index are the FADEC's own: the entry is
    // their current value, which stays.
    if (!isReadOnlyRow(channels_.EditRow)) {
        if (verdict == param_values::Entry::OutOfRange) {
            refuse("Input error, Value < Min or > Max ");
            return;
        }
        if (accepted_) {
            accepted_(entry);  // as typed, leading zeros included
        }
    }
    close();
}

void ParamInputDialog::cancel() {
    if (colourReset_) {
        colourReset_();
    }
    close();
}

void ParamInputDialog::close() {
    window_.unload();
    accepted_ = nullptr;
    auto closed = std::move(closed_);
    closed_ = nullptr;
    if (closed) {
        closed();
    }
}

void ParamInputDialog::refuse(const std::string& text) {
    platform_.dialogs.message(" Warning!", text, BoxIcon::Warning);
}

}  // namespace lec
