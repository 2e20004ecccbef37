#include "records/warning_box.h"

namespace lec {

WarningBox::WarningBox(forms::FormSet& forms, Platform& platform, Channels& channels)
    : box_(forms.create("BoiteDialogue")), platform_(platform), channels_(channels) {}

void WarningBox::AffAlarm() {}

}  // namespace lec
