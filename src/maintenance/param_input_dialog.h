#pragma once

#include <functional>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// The input dialog `Saisie`: one parameter row, or the motor speed, typed in
// and checked before it is taken.
class ParamInputDialog {
public:
    ParamInputDialog(forms::FormSet& forms, Platform& platform, Channels& channels);

    forms::Form& form() { return window_; }

private:
    forms::Form& window_;
    Platform& platform_;
    Channels& channels_;
};

}  // namespace lec
