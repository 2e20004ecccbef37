#include "operation/start_test_box.h"

#include "operation/order_cells.h"

namespace lec {

using forms::Kind;

namespace {

constexpr Colour kGreen = Colour::rgb(0, 255, 0);  // the progress bars

constexpr int kTwipsPerPixel = 15;
constexpr int kBarLeft = 720;

constexpr const char* kTitle = " Start-up...";
// The count sits at the right of the title bar, pushed there with blanks.
constexpr const char* kTitleCycles = "                                Cycles :  ";

}  // namespace

StartTestBox::StartTestBox(forms::FormSet& forms, forms::Form& log, Platform& platform,
                           Channels& channels, ActivityLog& activityLog)
    : window_(forms.create("BoiteStartTest")),
      log_(log),
      platform_(platform),
      channels_(channels),
      activityLog_(activityLog),
      onBar_(platform.surfaces.createSurface(kBarWidthPx, kBarHeightPx, colours::kWhite)),
      offBar_(platform.surfaces.createSurface(kBarWidthPx, kBarHeightPx, colours::kWhite)),
      timer1_(window_.addTimer(platform.scheduler.createTimer("Timer1", kMinuteMs))),
      timer2_(window_.addTimer(platform.scheduler.createTimer("Timer2", kTitleTickMs))) {
    build();
    timer1_.setHandler([this] { onMinuteTick(); });
    timer2_.setHandler([this] { onTenSecondTick(); });
    window_.onLoad = [this] { onOpening(); };
    window_.onUnload = [this] {
        timer1_.stop();
        timer2_.stop();
    };
}

void StartTestBox::build() {
    window_.caption = kTitle;
    window_.setSize(4785, 2940);
    window_.border = forms::BorderStyle::FixedSingle;
    window_.controlBox = false;
    window_.minButton = false;
    window_.maxButton = false;
    window_.centred = true;

    auto& frame = window_.add(Kind::Frame, "Frame1");
    frame.caption = " Cycles ";
    frame.setGeometry(120, 120, 1695, 975);
    struct Option {
        const char* name;
        const char* caption;
        int top;
        int minutes;
    };
    constexpr Option kOptions[] = {{"Option1", "20 min.", 270, 10}, {"Option2", "10 min.", 600, 5}};
    for (const auto& [name, caption, top, minutes] : kOptions) {
        auto& option = window_.add(Kind::OptionButton, name);
        option.caption = caption;
        option.container = &frame;
        option.setGeometry(150, top, 1335, 255);
        option.onClick = [this, minutes = minutes] { selectHalf(minutes); };
    }

    struct Button {
        const char* name;
        const char* caption;
        int left;
        int top;
        int width;
        void (StartTestBox::*press)();
    };
    constexpr Button kButtons[] = {
        {"CmdNormal", "normal", 1980, 210, 1275, &StartTestBox::onNormal},
        {"CmdCyclic", "cyclic-test", 3360, 210, 1275, &StartTestBox::onCyclic},
        {"CmdStop", "STOP", 1980, 690, 2655, &StartTestBox::onStop},
    };
    for (const auto& b : kButtons) {
        auto& button = window_.add(Kind::CommandButton, b.name);
        button.caption = b.caption;
        button.setGeometry(b.left, b.top, b.width, 375);
        button.onClick = [this, press = b.press] { (this->*press)(); };
    }

    auto& text = window_.add(Kind::Label, "Label3");
    text.alignment = forms::Alignment::Center;
    text.setGeometry(120, 1230, 4515, 255);

    struct Bar {
        const char* label;
        const char* caption;
        const char* picture;
        Surface* surface;
        int top;
    };
    const Bar kBars[] = {{"Label1", "ON", "Picture1", onBar_.get(), 1620},
                         {"Label2", "OFF", "Picture2", offBar_.get(), 1980}};
    for (const auto& bar : kBars) {
        auto& caption = window_.add(Kind::Label, bar.label);
        caption.caption = bar.caption;
        caption.setGeometry(120, bar.top, 555, 255);
        auto& picture = window_.add(Kind::PictureBox, bar.picture);
        picture.back = colours::kWhite;
        picture.surface = bar.surface;
        picture.setGeometry(kBarLeft, bar.top, kBarWidthPx * kTwipsPerPixel,
                            kBarHeightPx * kTwipsPerPixel);
    }
}

// A box already open keeps its state: only a load runs the opening steps.
void StartTestBox::open() {
    window_.show();
}

// A fresh load, as the box looks each time it is opened after a close.
void StartTestBox::onOpening() {
    window_.caption = kTitle;
    window_.at("Label3").caption = minutesText(MinuteCount, 10);
    clearBar(*onBar_);
    clearBar(*offBar_);

    // Set directly: choosing the option here does not refresh the text line.
    window_.at("Option1").checked = 1;
    window_.at("Option2").checked = 0;
    HalfMinutes = 10;
    window_.at("Frame1").enabled = true;
    window_.at("CmdNormal").enabled = true;
    window_.at("CmdCyclic").enabled = true;
    CycleCount = 0;
    timer2_.start();
}

void StartTestBox::selectHalf(int minutes) {
    HalfMinutes = minutes;
    showMinutesOnOrOff();
}

void StartTestBox::onNormal() {
    channels_.TestChoice = 1;
    window_.unload();
    answer();
}

void StartTestBox::onCyclic() {
    channels_.TestChoice = 1;
    MinuteCount = 0;
    showMinutesOnOrOff();
    OffHalf = 0;
    CycleCount = 0;
    // From here "STOP" is the only way out of the test.
    window_.at("Frame1").enabled = false;
    window_.at("CmdNormal").enabled = false;
    window_.at("CmdCyclic").enabled = false;
    BarWidth = barStep();
    timer1_.start();
    answer();
}

void StartTestBox::onStop() {
    timer1_.stop();
    channels_.TestChoice = 2;
    // Every engine, members of the test or not.
    for (int i = 0; i < kLeCount; ++i) {
        stopEngine(i);
    }
    window_.unload();
    answer();
}

void StartTestBox::onMinuteTick() {
    ++MinuteCount;
    showMinutes();
    Surface& bar = OffHalf == 1 ? *offBar_ : *onBar_;
    bar.fillBox(0, 0, BarWidth - 1, kBarHeightPx - 1, kGreen);
    BarWidth += barStep();
    if (MinuteCount < HalfMinutes) {
        return;
    }

    MinuteCount = 0;
    showMinutesOnOrOff();
    BarWidth = barStep();
    if (OffHalf == 1) {
        showMinutes();
        OffHalf = 0;
        clearBar(*onBar_);
        clearBar(*offBar_);
        for (int i = 0; i < kLeCount; ++i) {
            if (channels_.le[static_cast<std::size_t>(i)].TestMember == 1) {
                restartEngine(i);
            }
        }
        ++CycleCount;
        activityLog_.WriteHisto(0, "Cycle(s) : " + sevenDigits(CycleCount));
    } else {
        clearBar(*onBar_);
        OffHalf = 1;
        for (int i = 0; i < kLeCount; ++i) {
            if (channels_.le[static_cast<std::size_t>(i)].TestMember == 1) {
                stopEngine(i);
            }
        }
    }
}

void StartTestBox::onTenSecondTick() {
    window_.caption = std::string(kTitle) + kTitleCycles + sevenDigits(CycleCount);
    // Lit engines run the test at full power, whatever the user set meanwhile;
    // the set-point file keeps the user's values.
    for (int i = 0; i < kLeCount; ++i) {
        auto& le = channels_.le[static_cast<std::size_t>(i)];
        if (le.LePhase == 5) {
            le.LePowerSet = 100;
            log_.at("Label15", i).caption = "1000 We";
        }
    }
}

void StartTestBox::answer() {
    if (answered_) {
        answered_();
    }
}

void StartTestBox::showMinutes() {
    window_.at("Label3").caption = minutesText(MinuteCount, HalfMinutes);
}

void StartTestBox::showMinutesOnOrOff() {
    window_.at("Label3").caption = minutesText(MinuteCount, HalfMinutes) + " (ON or OFF)";
}

void StartTestBox::clearBar(Surface& bar) {
    bar.clear(colours::kWhite);
}

void StartTestBox::stopEngine(int le) {
    auto& channel = channels_.le[static_cast<std::size_t>(le)];
    channel.LeCommand = 2;
    channel.PowerSetLoaded = 0;
    order_cells::showStop(log_, le);
}

// The restart sets the start order only: no test box, no parameter read, no
// start reset, as a start from the table would do.
void StartTestBox::restartEngine(int le) {
    if (graphClear_) {
        graphClear_(le);
    }
    channels_.le[static_cast<std::size_t>(le)].LeCommand = 1;
    order_cells::showStart(log_, le);
}

std::string StartTestBox::minutesText(int minutes, int halfMinutes) {
    return " " + std::to_string(minutes) + " / " + std::to_string(halfMinutes) + " minutes";
}

std::string StartTestBox::sevenDigits(std::int64_t count) {
    std::string digits = std::to_string(count % 10000000);
    return std::string(7 - digits.size(), '0') + digits;
}

}  // namespace lec
