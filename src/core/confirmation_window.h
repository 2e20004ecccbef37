#pragma once

#include <functional>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// The small window that confirms a parameter transfer: shown modally 200 ms
// after Timer44 is started, closed 2 s later by Timer45, which then sets
// TransferDone. The timers belong to the main window.
class ConfirmationWindow {
public:
    ConfirmationWindow(forms::FormSet& forms, forms::Form& log, Platform& platform,
                       Channels& channels);

    // What other pieces do to confirm: set TransferMessage, then start Timer44.
    Timer& timer44() { return timer44_; }
    Timer& timer45() { return timer45_; }
    forms::Form& form() { return window_; }
    // Runs each time a transfer is confirmed (TransferDone has just become 1):
    // a start waiting on its parameter read goes on from here.
    void setDoneHandler(std::function<void()> done) { done_ = std::move(done); }

private:
    void onTimer44();
    void onTimer45();

    Platform& platform_;
    Channels& channels_;
    forms::Form& window_;
    Timer& timer44_;
    Timer& timer45_;
    // Timer44's handler waits for the window to close; meanwhile its ticks
    // find the handler busy and do nothing, as they did in the original.
    bool waiting_ = false;
    std::function<void()> done_;
};

}  // namespace lec
