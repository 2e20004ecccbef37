#include "records/warning_box.h"

#include <cstddef>
#include <iterator>

namespace lec {

namespace {

using forms::Kind;

constexpr Colour kGrey{0x00C0C0C0u};
constexpr Colour kRed{0x000000FFu};
constexpr int kBlinkMs = 500;

constexpr const char* kLines[] = {"Label1", "Label2", "Label3"};
constexpr const char* kFrame[] = {"Line1", "Line2", "Line3", "Line4"};

struct Place {
    int left;
    int top;
    int width;
    int height;
};
// Line1 above the three text lines, Line2 on their right, Line3 below them,
// Line4 on their left.
constexpr Place kFramePlaces[] = {
    {960, 120, 4110, 30}, {5040, 120, 30, 1320}, {960, 1410, 4110, 30}, {960, 120, 30, 1320}};

}  // namespace

WarningBox::WarningBox(forms::FormSet& forms, Platform& platform, Channels& channels)
    : forms_(forms),
      box_(forms.create("BoiteDialogue")),
      platform_(platform),
      channels_(channels),
      timer1_(box_.addTimer(platform.scheduler.createTimer("Timer1", kBlinkMs))),
      timer2_(box_.addTimer(platform.scheduler.createTimer("Timer2", kBlinkMs))) {
    build();
    timer1_.setHandler([this] {
        setFrame(kRed);
        timer2_.start();
        timer1_.stop();
    });
    timer2_.setHandler([this] {
        setFrame(kGrey);
        timer1_.start();
        timer2_.stop();
    });
}

void WarningBox::build() {
    box_.caption = kCaption;
    box_.setSize(5400, 2745);
    box_.back = kGrey;
    box_.border = forms::BorderStyle::FixedDialog;
    box_.controlBox = false;
    box_.minButton = false;
    box_.maxButton = false;
    box_.showInTaskbar = false;
    box_.centred = true;

    auto& icon = box_.add(Kind::PictureBox, "Image1");
    icon.back = kGrey;
    icon.setGeometry(240, 360, 480, 480);

    int top = 240;
    for (const char* name : kLines) {
        auto& line = box_.add(Kind::Label, name);
        line.fore = kRed;
        line.back = kGrey;
        line.font.bold = true;
        line.font.size = 12;
        line.alignment = forms::Alignment::Center;
        line.setGeometry(1080, top, 3840, 330);
        top += 360;
    }
    for (std::size_t i = 0; i < std::size(kFrame); ++i) {
        auto& strip = box_.add(Kind::PictureBox, kFrame[i]);
        strip.back = kGrey;
        const Place& p = kFramePlaces[i];
        strip.setGeometry(p.left, p.top, p.width, p.height);
    }

    auto& okButton = box_.add(Kind::CommandButton, "Command1");
    okButton.caption = "OK";
    okButton.isDefault = true;
    okButton.setGeometry(2040, 1680, 1335, 495);
    okButton.onClick = [this] { ok(); };

    box_.onLoad = [this] { onLoad(); };
    box_.onUnload = [this] {
        timer1_.stop();
        timer2_.stop();
        // An unloaded window forgets what it showed.
        for (const char* name : kLines) {
            box_.at(name).caption.clear();
        }
        setFrame(kGrey);
    };
    // No control box: OK is the way out.
    box_.onCloseRequest = [] { return false; };
}

void WarningBox::onLoad() {
    // The alarm must be seen: the parameter editor and its input box give way.
    if (forms::Form* input = forms_.find("Saisie")) {
        input->unload();
    }
    if (forms::Form* parameters = forms_.find("FadecParameters")) {
        parameters->hide();
    }
    box_.alwaysOnTop = true;
    setFrame(kGrey);
    timer2_.stop();
    timer1_.start();
}

void WarningBox::setFrame(Colour colour) {
    for (const char* name : kFrame) {
        box_.at(name).back = colour;
    }
}

void WarningBox::show(const std::string& line1, const std::string& line2,
                      const std::string& line3) {
    box_.caption = kCaption;
    box_.at("Label1").caption = line1;
    box_.at("Label2").caption = line2;
    box_.at("Label3").caption = line3;
    box_.show();
}

void WarningBox::AffAlarm() {
    show("Alarm", box_.at("Label2").caption,
         platform_.clock.shortTime() + " / " + platform_.clock.shortDate());
}

void WarningBox::ok() {
    if (box_.at("Label1").caption == kLinkLoss) {
        // A link still down is then detected and reported anew.
        for (int i = 0; i < kLeCount; ++i) {
            auto& le = channels_.le[static_cast<std::size_t>(i)];
            le.LeSilentTicks = 0;
            le.LeLinkLossLogged = 0;
        }
    }
    box_.unload();
}

}  // namespace lec
