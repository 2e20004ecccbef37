#pragma once

#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"
#include "records/question_window.h"

namespace lec {

// Histo: the window that shows, tidies, prints and empties the activity log.
// Opened by the main window's "Activity Logging"; Timer1 loads the file 100 ms
// after the window opens or after "Upload File".
class ActivityLogWindow {
public:
    ActivityLogWindow(forms::FormSet& forms, forms::Form& log, Platform& platform,
                      ActivityLog& activityLog, QuestionWindow& question);

    forms::Form& form() { return window_; }
    // Lines read by the last loading, blank ones included.
    int HistoEntryCount() const { return histoEntryCount_; }

    // What Timer1 does: read Histo.txt into the list, tidy it, write it back.
    void load();

private:
    void build();
    void askDeleteFile();
    void askPrint();
    void deleteFile();
    void print();

    forms::Form& window_;
    Platform& platform_;
    ActivityLog& activityLog_;
    QuestionWindow& question_;
    forms::Control& list_;
    Timer& timer1_;
    int histoEntryCount_ = 0;
};

}  // namespace lec
