#include "records/error_codes.h"

namespace lec {

ErrorCodes::ErrorCodes(forms::FormSet&, forms::Form& log, Platform& platform, Channels& channels,
                       ActivityLog& activityLog)
    : log_(log), platform_(platform), channels_(channels), activityLog_(activityLog) {}

void ErrorCodes::fillTexts() {}

void ErrorCodes::EcrireCodeErreur(int, int) {}

}  // namespace lec
