#include "operation/engine_control.h"

#include "core/confirmation_window.h"
#include "maintenance/fadec_param_window.h"
#include "operation/start_test_box.h"
#include "records/error_codes.h"
#include "records/question_window.h"

namespace lec {

EngineControl::EngineControl(forms::Form& log, Platform& platform, Channels& channels,
                             SettingsStore& settings, ActivityLog& activityLog,
                             ErrorCodes& errorCodes, QuestionWindow& question,
                             ConfirmationWindow& confirmation, StartTestBox& testBox,
                             FadecParamWindow& paramWindow)
    : log_(log),
      platform_(platform),
      channels_(channels),
      settings_(settings),
      activityLog_(activityLog),
      errorCodes_(errorCodes),
      question_(question),
      confirmation_(confirmation),
      testBox_(testBox),
      paramWindow_(paramWindow) {}

void EngineControl::graphClear(int) {}

}  // namespace lec
