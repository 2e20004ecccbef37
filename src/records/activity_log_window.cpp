#include "records/activity_log_window.h"

namespace lec {

ActivityLogWindow::ActivityLogWindow(forms::FormSet& forms, forms::Form&, Platform& platform,
                                     ActivityLog& activityLog, QuestionWindow& question)
    : window_(forms.create("Histo")),
      platform_(platform),
      activityLog_(activityLog),
      question_(question) {}

}  // namespace lec
