#pragma once

#include <functional>
#include <string>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// The input dialog `Saisie`: one parameter row, or the motor speed, typed in
// and checked before it is taken. It is modal and never blocks: what follows
// its closing runs from its OK and Cancel handlers.
class ParamInputDialog {
public:
    static constexpr int kFocusDelayMs = 100;
    static constexpr int kSpeedMin = 1000;
    static constexpr int kSpeedMax = 4000;

    // What the dialog shows; every opening starts from the designed state
    // and then takes these.
    struct Content {
        std::string line;   // "Line :"
        std::string value;  // "Value :", also the entry taken when none is typed
        std::string min;
        std::string max;
        Colour back;
        bool readOnly = false;  // labels and entry box disabled
        int left = 0;           // twips on the screen
        int top = 0;
    };

    ParamInputDialog(forms::FormSet& forms, Platform& platform, Channels& channels);

    forms::Form& form() { return window_; }

    // Parameter mode (`SpeedInputMode` 0) for row `EditRow`: `accepted` takes
    // the entry as the row's new value text; it is not called for the
    // read-only rows, whose value stays as it is.
    void editRow(const Content& content, std::function<void(const std::string&)> accepted);
    // Speed mode (`SpeedInputMode` 1): an accepted entry becomes
    // `MotorSpeedRpm`; `closed` runs after OK or Cancel has closed the dialog.
    void editSpeed(const Content& content, std::function<void()> closed);

    // Run first by OK and by Cancel: the parameter window gives its titles
    // their alternating colours back.
    void setColourReset(std::function<void()> reset) { colourReset_ = std::move(reset); }

private:
    void build();
    void open(const Content& content);
    void validate();
    void cancel();
    void close();
    void refuse(const std::string& text);

    forms::Form& window_;
    Platform& platform_;
    Channels& channels_;
    Timer& timer17_;
    std::function<void()> colourReset_;
    std::function<void(const std::string&)> accepted_;
    std::function<void()> closed_;
};

}  // namespace lec
