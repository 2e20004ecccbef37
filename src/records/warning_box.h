#pragma once

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// BoiteDialogue: the blinking warning box the alarms and the link supervision
// raise.
class WarningBox {
public:
    WarningBox(forms::FormSet& forms, Platform& platform, Channels& channels);

    forms::Form& form() { return box_; }
    // Opens the box as an alarm; the caller has set Label2 first.
    void AffAlarm();

private:
    forms::Form& box_;
    Platform& platform_;
    Channels& channels_;
};

}  // namespace lec
