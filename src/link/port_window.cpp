#include "link/port_window.h"

#include <string>

#include "forms/user_actions.h"
#include "platform/text_file.h"

namespace lec {

namespace {

using forms::Kind;

constexpr int kAllActivatedDelayMs = 50;
constexpr int kPortCheckMs = 100;

// Layout in twips: one row a light engine under the two column titles.
constexpr int kRowTop = 480;
constexpr int kRowPitch = 420;
constexpr int kNameLeft = 240;
constexpr int kFieldLeft = 1080;
constexpr int kBoxLeft = 2040;

std::size_t at(int le) {
    return static_cast<std::size_t>(le);
}

}  // namespace

PortWindow::PortWindow(forms::FormSet& forms, Platform& platform, Channels& channels,
                       std::function<void()> activate)
    : platform_(platform),
      channels_(channels),
      activate_(std::move(activate)),
      window_(forms.create("ConfigurationRS232")),
      timer1_(window_.addTimer(platform.scheduler.createTimer("Timer1", kAllActivatedDelayMs))),
      timer2_(window_.addTimer(platform.scheduler.createTimer("Timer2", kPortCheckMs))) {
    build();
    timer1_.setHandler([this] { applyAllActivated(); });
    timer2_.setHandler([this] { checkPortNumbers(); });
    window_.onLoad = [this] { onLoad(); };
    // The window's timers go with it.
    window_.onUnload = [this] {
        timer1_.stop();
        timer2_.stop();
    };
}

void PortWindow::build() {
    window_.setSize(3735, 4470);
    window_.back = colours::kPaleBlue;
    window_.border = forms::BorderStyle::FixedSingle;
    window_.minButton = false;
    window_.maxButton = false;
    window_.showInTaskbar = false;
    window_.centred = true;

    auto& portTitle = window_.add(Kind::Label, "Label1");
    portTitle.caption = "COMx";
    portTitle.back = colours::kPaleBlue;
    portTitle.alignment = forms::Alignment::Center;
    portTitle.setGeometry(kFieldLeft, 120, 735, 255);
    auto& selectionTitle = window_.add(Kind::Label, "Label2");
    selectionTitle.caption = "Selection";
    selectionTitle.back = colours::kPaleBlue;
    selectionTitle.setGeometry(kBoxLeft, 120, 1215, 255);

    for (int i = 0; i < kLeCount; ++i) {
        const int top = kRowTop + i * kRowPitch;
        auto& name = window_.add(Kind::Label, "Label3", i);
        name.caption = leCaption(i);
        name.back = colours::kPaleBlue;
        name.setGeometry(kNameLeft, top + 30, 735, 255);

        auto& field = window_.add(Kind::TextBox, "Text1", i);
        field.alignment = forms::Alignment::Center;
        field.back = colours::kWindowBackground;
        field.fore = colours::kWindowText;
        field.setGeometry(kFieldLeft, top, 735, 315);
        field.onChange = [this] { timer2_.start(); };

        auto& box = window_.add(Kind::CheckBox, "Check1", i);
        box.caption = "Activated";
        box.back = colours::kPaleBlue;
        box.setGeometry(kBoxLeft, top + 30, 1215, 255);
    }

    const int bottom = kRowTop + kLeCount * kRowPitch;
    auto& all = window_.add(Kind::CheckBox, "Check2");
    all.caption = "Check2";
    all.back = colours::kPaleBlue;
    all.setGeometry(kBoxLeft, bottom + 60, 1455, 255);
    all.onClick = [this] { timer1_.start(); };

    auto& okButton = window_.add(Kind::CommandButton, "Command1");
    okButton.caption = "OK";
    okButton.setGeometry(kFieldLeft, bottom + 480, 1215, 375);
    okButton.onClick = [this] { okClicked(); };
}

void PortWindow::onLoad() {
    window_.alwaysOnTop = true;
    window_.caption = " Configurating Ports COMx    ";
    // What a freshly loaded window shows before the file is read: a missing
    // file leaves it so.
    window_.at("Check2").caption = "All activated";
    window_.at("Check2").checked = 0;
    for (int i = 0; i < kLeCount; ++i) {
        // At the user level the boxes may be ticked, the numbers not changed.
        window_.at("Text1", i).enabled = channels_.AccessLevel != 0;
        window_.at("Text1", i).text.clear();
        window_.at("Check1", i).checked = 0;
    }
    timer1_.stop();
    timer2_.start();

    const auto lines = textfile::readLines(
        textfile::join(platform_.appFolder, std::string(port_table::kFileName)));
    if (!lines) {
        return;
    }
    const port_table::Table table = port_table::fromLines(*lines);
    for (int i = 0; i < kLeCount; ++i) {
        forms::assignText(window_.at("Text1", i), table[at(i)].number);
        forms::assignChecked(window_.at("Check1", i), table[at(i)].active == "1" ? 1 : 0);
    }
}

void PortWindow::checkPortNumbers() {
    for (int i = 0; i < kLeCount; ++i) {
        auto& field = window_.at("Text1", i);
        if (port_table::numberOf(field.text) > port_table::kMaxTypedPort) {
            platform_.dialogs.message(" Warning! ", "Port numbers 1 to 14 (max) ",
                                      BoxIcon::Critical);
            timer2_.stop();
            // The change starts the check again, which now finds "0".
            forms::assignText(field, "0");
        }
    }
}

void PortWindow::applyAllActivated() {
    const int state = window_.at("Check2").checked;
    for (int i = 0; i < kLeCount; ++i) {
        forms::assignChecked(window_.at("Check1", i), state);
    }
    timer1_.stop();
}

port_table::Table PortWindow::fieldsAndBoxes() const {
    port_table::Table table;
    for (int i = 0; i < kLeCount; ++i) {
        table[at(i)] = {window_.at("Text1", i).text,
                        window_.at("Check1", i).checked == 1 ? "1" : "0"};
    }
    return table;
}

void PortWindow::savePortTable() {
    window_.load();
    const port_table::Table table = fieldsAndBoxes();
    // A file that cannot be written is skipped: the table still applies.
    textfile::writeLines(textfile::join(platform_.appFolder, std::string(port_table::kFileName)),
                         port_table::toLines(table));
    for (int i = 0; i < kLeCount; ++i) {
        channels_.ComPortNumber[at(i)] = table[at(i)].number;
        channels_.ComPortActive[at(i)] = table[at(i)].active;
    }
}

void PortWindow::untick(int le) {
    window_.load();
    forms::assignChecked(window_.at("Check1", le), 0);
}

void PortWindow::okClicked() {
    savePortTable();
    if (activate_) {
        activate_();
    }
    window_.unload();
}

}  // namespace lec
