#pragma once

#include <string>

#include "forms/control.h"

// What a user does to a control, with the events it raises in the order the
// original raised them. The Qt views and the script runner both go through
// here, so a script does exactly what a hand on the mouse does.
namespace lec::forms {

// Mouse down, mouse up, then the click: a check box toggles first, an option
// button is selected (its neighbours in the same container cleared).
void userClick(Control& c);
// Mouse down and up with the right button (there is no click event for it).
void userRightClick(Control& c);
void userMouse(Control& c, MouseAction action, MouseButton button, int x, int y);
void userDoubleClick(Control& c);
// Replaces a text field's text; onChange when it differs.
void userSetText(Control& c, const std::string& text);
// Moves a scroll bar (clamped to its range); onChange when it moved.
void userSetScroll(Control& c, int value);
// Chooses an item of a combo or list box by its text; false if there is none
// (an editable combo box takes any text).
bool userChoose(Control& c, const std::string& item);
// Sets a check box as a click would; nothing happens when it already is.
void userCheck(Control& c, bool on);
// Types one character into a text box (onKeyPress may swallow it).
void userKey(Control& c, int ascii);

// --- The same events raised by code, as the original's property writes did ---

// A check box's value written by code raises its click when it changes.
void assignChecked(Control& c, int value);
// A scroll bar's value written by code raises its change when it changes.
void assignScroll(Control& c, int value);
// A text box's text written by code raises its change when it changes.
void assignText(Control& c, const std::string& text);

// --- For views that show the mouse and the keyboard themselves ---

// The click alone, without its mouse down and up: a view that forwarded the
// press and the release through userMouse, or a key that pressed a button.
// A check box toggles, an option button is selected, then onClick.
void userClickOnly(Control& c);
// Chooses item `index` of a list or combo box (a click on that row): the
// list index (and a combo box's text) changes, then onClick.
void userSelect(Control& c, int index);
// A key typed into a text box whose view types the characters itself: runs
// onKeyPress and returns the key that remains (0 = swallowed, or the control
// takes no input). Enter, which no text box types, presses the window's
// default button as userKey does.
int userKeyEvent(Control& c, int ascii);

}  // namespace lec::forms
