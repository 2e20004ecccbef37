#pragma once

#include <string>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// BoiteDialogue: the blinking warning box the alarms and the link supervision
// raise. One box: whoever opens it last sets its three lines. It stays above
// every other window, and its frame (Line1 to Line4) blinks red and grey with
// a period of one second for as long as it is open.
class WarningBox {
public:
    static constexpr const char* kCaption = " Warning !";
    // The first line of the link-loss box: its OK restarts the loss detection.
    static constexpr const char* kLinkLoss = "No communication with machine";

    WarningBox(forms::FormSet& forms, Platform& platform, Channels& channels);

    forms::Form& form() { return box_; }
    // Opens the box as an alarm; the caller has set Label2 first.
    void AffAlarm();
    // Opens the box with these three lines (the link supervision's way, which
    // gives its own first and third lines).
    void show(const std::string& line1, const std::string& line2, const std::string& line3);

private:
    void build();
    void onLoad();
    void setFrame(Colour colour);
    void ok();

    forms::FormSet& forms_;
    forms::Form& box_;
    Platform& platform_;
    Channels& channels_;
    Timer& timer1_;
    Timer& timer2_;
};

}  // namespace lec
