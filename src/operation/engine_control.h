#pragma once

#include "core/channels.h"
#include "core/settings_store.h"
#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

class ConfirmationWindow;
class FadecParamWindow;
class QuestionWindow;
class ErrorCodes;
class StartTestBox;

// Starting and stopping the light engines from the LE table, the per-LE
// start buttons and the START All / STOP All passes, with the selection of
// an engine, the rest countdown boxes and the graph clears.
class EngineControl {
public:
    EngineControl(forms::Form& log, Platform& platform, Channels& channels,
                  SettingsStore& settings, ActivityLog& activityLog, ErrorCodes& errorCodes,
                  QuestionWindow& question, ConfirmationWindow& confirmation,
                  StartTestBox& testBox, FadecParamWindow& paramWindow);

    // The graph clear of engine index `le` (Timer5, Timer7, ...).
    void graphClear(int le);

private:
    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    SettingsStore& settings_;
    ActivityLog& activityLog_;
    ErrorCodes& errorCodes_;
    QuestionWindow& question_;
    ConfirmationWindow& confirmation_;
    StartTestBox& testBox_;
    FadecParamWindow& paramWindow_;
};

}  // namespace lec
