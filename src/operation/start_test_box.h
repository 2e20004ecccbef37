#pragma once

#include <functional>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

// The start-up test box `BoiteStartTest`: how a start from the LE table is to
// run ("normal", "cyclic-test" or "STOP"), and the cyclic test itself.
class StartTestBox {
public:
    StartTestBox(forms::FormSet& forms, forms::Form& log, Platform& platform, Channels& channels,
                 ActivityLog& activityLog);

    forms::Form& form() { return window_; }

    // Shown without blocking; a box already open is brought to view as it is.
    void open();
    // Runs after each press of "normal", "cyclic-test" or "STOP", once
    // TestChoice holds the answer.
    void setAnswerHandler(std::function<void()> answered) { answered_ = std::move(answered); }
    // Starts the graph clear of engine index `le` (the start logic owns it).
    void setGraphClear(std::function<void(int le)> graphClear) {
        graphClear_ = std::move(graphClear);
    }

private:
    forms::Form& window_;
    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    ActivityLog& activityLog_;
    std::function<void()> answered_;
    std::function<void(int)> graphClear_;
};

}  // namespace lec
