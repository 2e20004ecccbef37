#include "records/question_window.h"

#include <utility>

namespace lec {

namespace {
using forms::Kind;
}  // namespace

QuestionWindow::QuestionWindow(forms::FormSet& forms, Platform& platform)
    : window_(forms.create("FenQuestion")), platform_(platform) {
    window_.caption = " Warning!";
    window_.setSize(5010, 1950);
    window_.border = forms::BorderStyle::FixedDialog;
    window_.controlBox = false;
    window_.minButton = false;
    window_.maxButton = false;
    window_.showInTaskbar = false;
    window_.centred = true;
    // Only Yes or No closes it.
    window_.onCloseRequest = [] { return false; };

    auto& text = window_.add(Kind::Label, "Label1");
    text.alignment = forms::Alignment::Center;
    text.font.bold = true;
    text.setGeometry(120, 240, 4695, 375);

    auto& yes = window_.add(Kind::CommandButton, "Command1");
    yes.caption = "Yes";
    yes.isDefault = true;
    yes.setGeometry(840, 900, 1335, 495);
    yes.onClick = [this] { press(BoxButton::Yes); };

    auto& no = window_.add(Kind::CommandButton, "Command2");
    no.caption = "No";
    no.setGeometry(2760, 900, 1335, 495);
    no.onClick = [this] { press(BoxButton::No); };
}

void QuestionWindow::ask(const std::string& caption, const std::string& question, bool modal,
                         std::function<void(bool yes)> answer) {
    if (open_) {
        platform_.dialogs.press(*open_, BoxButton::No);
    }
    window_.caption = caption;
    window_.at("Label1").caption = question;
    window_.show(modal);

    Box box{0, caption, question, BoxIcon::Question, {BoxButton::Yes, BoxButton::No}};
    open_ = platform_.dialogs.track(
        std::move(box),
        [answer = std::move(answer)](BoxButton button) {
            if (answer) {
                answer(button == BoxButton::Yes);
            }
        },
        [this] {
            open_.reset();
            window_.unload();
        });
}

void QuestionWindow::press(BoxButton button) {
    if (open_) {
        platform_.dialogs.press(*open_, button);
    }
}

}  // namespace lec
