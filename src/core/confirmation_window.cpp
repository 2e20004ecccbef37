#include "core/confirmation_window.h"

namespace lec {

namespace {
constexpr Colour kPaleGreen{0x00C0FFC0u};
}  // namespace

ConfirmationWindow::ConfirmationWindow(forms::FormSet& forms, forms::Form& log, Platform& platform,
                                       Channels& channels)
    : platform_(platform),
      channels_(channels),
      window_(forms.create("OKTransfert")),
      timer44_(log.addTimer(platform.scheduler.createTimer("Timer44", 200))),
      timer45_(log.addTimer(platform.scheduler.createTimer("Timer45", 2000))) {
    window_.setSize(4905, 1230);
    window_.back = kPaleGreen;
    window_.border = forms::BorderStyle::FixedSingle;
    window_.controlBox = false;
    window_.minButton = false;
    window_.maxButton = false;
    auto& text = window_.add(forms::Kind::Label, "Label1");
    text.alignment = forms::Alignment::Center;
    text.back = kPaleGreen;
    text.setGeometry(120, 240, 4575, 495);

    window_.onLoad = [this, &text] {
        text.caption = channels_.TransferMessage;
        window_.caption = " Warning !";
        window_.move(platform_.screenWidthTwips / 2, platform_.screenHeightTwips / 2);
    };
    window_.onUnload = [this] {
        if (waiting_) {
            waiting_ = false;
            timer44_.stop();
        }
    };
    // The user cannot close it: it goes when Timer45 says so.
    window_.onCloseRequest = [] { return false; };

    timer44_.setHandler([this] { onTimer44(); });
    timer45_.setHandler([this] { onTimer45(); });
}

void ConfirmationWindow::onTimer44() {
    if (waiting_) {
        return;
    }
    timer45_.start();
    waiting_ = true;
    window_.show(/*asModal=*/true);
}

void ConfirmationWindow::onTimer45() {
    window_.unload();
    channels_.TransferDone = 1;
    timer45_.stop();
    if (done_) {
        done_();
    }
}

}  // namespace lec
