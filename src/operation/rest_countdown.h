#pragma once

#include <array>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// The rest after a stop: once the status decoder sees phase 6 it arms LE
// n's one-second timer (Timer36..Timer41), and the rest box Picture4(n-1)
// under the chart counts the seconds down from 59 to 0 on light magenta, then
// turns grey again.
class RestCountdown {
public:
    static constexpr int kSeconds = 60;

    RestCountdown(forms::Form& log, Platform& platform, Channels& channels);

    // What the status decoder starts at phase 6 and stops at phase 0.
    const std::array<Timer*, kLeCount>& timers() const { return timers_; }
    // The box of LE index `le` cleared and grey.
    void showIdle(int le);

private:
    void tick(int le);
    void showSeconds(int le, int seconds);

    forms::Form& log_;
    Channels& channels_;
    std::array<Timer*, kLeCount> timers_{};
};

}  // namespace lec
