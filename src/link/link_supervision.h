#pragma once

#include <array>
#include <string>
#include <vector>

#include "core/channels.h"
#include "core/settings_store.h"
#include "forms/form.h"
#include "link/thermometer.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

class WarningBox;

// One line of the FADEC I/O view and, for the fan and motor slots, the
// speed text the hardware-test window shows beside it.
struct IoViewLine {
    int slot = 0;
    std::string text;
    std::string speed;  // "" unless slot 27..29 runs (value 2 or more)
};

// The I/O view of LE index `le`: the 32 slots less those of absent sensors
// (255 in slots 11, 16 to 19), with the received (`source` 0) or sent
// (`source` 1) values.
std::vector<IoViewLine> ioViewLines(const Channels& channels, int le, int source);

// Timer12, the 500 ms tick of the main window: the detail area of the selected
// LE, the I/O view, the hardware-test speeds, the thermometer, and the watch
// over links that went quiet. A link counts as lost on the 26th tick in a row
// that finds the LE not ready (about 14 s after its last command frame).
class LinkSupervision {
public:
    static constexpr int kTickMs = 500;
    // Ticks not ready before the loss is declared (on the next one).
    static constexpr Byte kSilentLimit = 25;
    static constexpr const char* kLossText = "  No communication with machine System!";
    static constexpr const char* kBoxLine2 = "         System!";

    LinkSupervision(forms::FormSet& forms, forms::Form& log, Platform& platform, Channels& channels,
                    SettingsStore& settings, ActivityLog& activityLog, WarningBox& warningBox);

    // Timer12 runs from program start to the end.
    void start() { timer12_.start(); }
    void tick();

    Timer& timer12() { return timer12_; }
    Thermometer& thermometer() { return thermometer_; }

    // 0 the I/O view shows the received values, 1 the sent ones (set by the
    // view's pop-up menu).
    Byte IoViewSource = 0;
    std::string LinkLossDate;
    std::string LinkLossTime;

private:
    void detailArea(int s);
    void clearHardwareTestLabels();
    void ioView(int s);
    void supervise();
    void linkLost(int le);
    forms::Control* hardwareTestLabel(const char* name) const;

    forms::FormSet& forms_;
    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    SettingsStore& settings_;
    ActivityLog& activityLog_;
    WarningBox& warningBox_;
    Thermometer thermometer_;
    Timer& timer12_;
};

}  // namespace lec
