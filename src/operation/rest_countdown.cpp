#include "operation/rest_countdown.h"

#include <string>

#include "platform/surface.h"

namespace lec {

namespace {

constexpr const char* kTimers[kLeCount] = {"Timer36", "Timer37", "Timer38",
                                           "Timer39", "Timer40", "Timer41"};
constexpr int kTickMs = 1000;
constexpr Colour kIdleGrey = Colour::rgb(192, 192, 192);
constexpr Colour kCountingMagenta = Colour::rgb(255, 0, 255);
constexpr int kTextPointSize = 10;

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

}  // namespace

RestCountdown::RestCountdown(forms::Form& log, Platform& platform, Channels& channels)
    : log_(log), channels_(channels) {
    for (int i = 0; i < kLeCount; ++i) {
        timers_[at(i)] = &log_.addTimer(
            platform.scheduler.createTimer(kTimers[i], kTickMs, [this, i] { tick(i); }));
    }
}

void RestCountdown::tick(int le) {
    auto& channel = channels_.le[at(le)];
    if (channel.RestCountdown == 0) {
        channel.RestCountdown = kSeconds;
        showIdle(le);
        timers_[at(le)]->stop();
        return;
    }
    --channel.RestCountdown;
    showSeconds(le, channel.RestCountdown);
}

void RestCountdown::showIdle(int le) {
    forms::Control* box = log_.find("Picture4", le);
    if (box == nullptr) {
        return;
    }
    box->back = kIdleGrey;
    if (box->surface != nullptr) {
        box->surface->clear(kIdleGrey);
    }
}

void RestCountdown::showSeconds(int le, int seconds) {
    forms::Control* box = log_.find("Picture4", le);
    if (box == nullptr) {
        return;
    }
    box->visible = true;
    if (Surface* surface = box->surface) {
        surface->clear(kIdleGrey);
        surface->fillBox(0, 0, surface->width() - 1, surface->height() - 1, kCountingMagenta);
        // The number keeps the blank of its sign place: "Rest  59 sec.".
        surface->text(2, 1, "Rest  " + std::to_string(seconds) + " sec.", colours::kWhite,
                      kTextPointSize);
    }
}

}  // namespace lec
