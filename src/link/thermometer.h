#pragma once

#include "core/channels.h"
#include "forms/form.h"

namespace lec {

// The temperature column beside the chart (`Picture1`, value under it in
// `Label68`): MAT or SHT of the selected LE, as the MAT and SHT selectors
// choose. Redrawn on the link supervision's tick.
class Thermometer {
public:
    Thermometer(forms::Form& log, Channels& channels);

    // Redraws the column for LE index `le`.
    void redraw(int le);
    // 0 the column shows MAT, 1 SHT.
    void choose(Byte showsSht);

    Byte ThermoShowsSht = 0;

private:
    forms::Form& log_;
    Channels& channels_;
};

}  // namespace lec
