#pragma once

#include "forms/form.h"
#include "platform/colour.h"

namespace lec::order_cells {

// The Start and Stop cells of the LE table (Label27, Label28) tell which
// order an engine was last given: light blue from a Start click until the
// start is done or refused, and on the Stop cell after a stop order; green on
// the Start cell once the start order is given.
inline constexpr Colour kLightBlue = Colour::rgb(128, 128, 255);
inline constexpr Colour kGreen = Colour::rgb(0, 255, 0);

// Engine index `le` was given the start order.
inline void showStart(forms::Form& log, int le) {
    log.at("Label27", le).back = kGreen;
    log.at("Label28", le).back = colours::kButtonFace;
}

// Engine index `le` was given the stop order.
inline void showStop(forms::Form& log, int le) {
    log.at("Label27", le).back = colours::kButtonFace;
    log.at("Label28", le).back = kLightBlue;
}

}  // namespace lec::order_cells
