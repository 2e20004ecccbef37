#pragma once

#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"
#include "records/question_window.h"

namespace lec {

// Histo: the window that shows, tidies, prints and empties the activity log.
class ActivityLogWindow {
public:
    ActivityLogWindow(forms::FormSet& forms, forms::Form& log, Platform& platform,
                      ActivityLog& activityLog, QuestionWindow& question);

private:
    forms::Form& window_;
    Platform& platform_;
    ActivityLog& activityLog_;
    QuestionWindow& question_;
};

}  // namespace lec
