#pragma once

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

// FADEC error codes: their texts, the error list List4 of the main window,
// the once-per-start reporting and the code table window MessagesError.
class ErrorCodes {
public:
    ErrorCodes(forms::FormSet& forms, forms::Form& log, Platform& platform, Channels& channels,
               ActivityLog& activityLog);

    // Fills the texts of codes 0 to 20 (once, at start-up).
    void fillTexts();
    // Lists and logs error `code` of LE index `le` once per start.
    void EcrireCodeErreur(int code, int le);

private:
    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    ActivityLog& activityLog_;
};

}  // namespace lec
