#pragma once

#include <functional>

#include "core/channels.h"
#include "forms/form.h"
#include "link/port_table.h"
#include "platform/platform.h"

namespace lec {

// ConfigurationRS232: the window in which the user gives each light engine its
// COM port number (Text1) and ticks the ports to be used (Check1). Timer2
// refuses numbers above 14, Timer1 applies the "All activated" box (Check2),
// and OK (Command1) saves the table and applies it.
class PortWindow {
public:
    // `activate` is ActivationCOM, called by OK once the table is saved.
    PortWindow(forms::FormSet& forms, Platform& platform, Channels& channels,
               std::function<void()> activate);

    forms::Form& form() { return window_; }

    // Writes ParamComx.ini afresh from the fields and boxes and gives
    // ComPortNumber and ComPortActive the same texts. The window is loaded
    // (not shown) first if it was not, so an unseen window saves the file's
    // own contents.
    void savePortTable();

    // Unticks LE `le`'s box (loading the window unseen if needed), so that the
    // next save deactivates its port.
    void untick(int le);

private:
    void build();
    void onLoad();
    void checkPortNumbers();
    void applyAllActivated();
    void okClicked();
    port_table::Table fieldsAndBoxes() const;

    Platform& platform_;
    Channels& channels_;
    std::function<void()> activate_;
    forms::Form& window_;
    Timer& timer1_;
    Timer& timer2_;
};

}  // namespace lec
