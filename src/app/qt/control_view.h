#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "forms/control.h"

class QAction;
class QMenu;
class QWidget;

namespace lec {

class Surface;

// Twips to pixels and back, per axis.
struct TwipScale {
    int x = 15;
    int y = 15;

    int pixelsX(int twips) const;
    int pixelsY(int twips) const;
    QRect pixels(int left, int top, int width, int height) const;
};

// What a control's widget shows, as last applied. A sync compares the model
// with this and touches the widget only where they differ: the main window
// has hundreds of controls and is synced many times a second.
struct Shown {
    std::string caption;
    std::string text;
    bool visible = false;
    bool enabled = false;
    Colour fore;
    Colour back;
    QRect rect;
    forms::Font font;
    forms::Alignment alignment = forms::Alignment::Left;
    bool border = false;
    std::string toolTip;
    int checked = 0;
    int value = 0;
    int min = 0;
    int max = 0;
    int smallChange = 0;
    int largeChange = 0;
    std::string passwordChar;
    int maxLength = 0;
    bool locked = false;
    std::vector<std::string> items;
    int listIndex = -1;
    std::vector<int> tabStops;
    bool dropDownList = false;
    bool isDefault = false;
    const Surface* surface = nullptr;
    std::uint64_t generation = 0;
    const forms::Control* parentMenu = nullptr;
};

// One control on screen: a widget, or a menu action for menu entries.
struct ControlView {
    forms::Control* control = nullptr;
    QWidget* widget = nullptr;
    QAction* action = nullptr;  // menu entries
    QMenu* menu = nullptr;      // a menu entry that has entries of its own
    Shown shown;
    bool fresh = true;  // nothing applied yet: the next sync sets everything
    bool leftDown = false;
};

// The widget for a control's kind (menus have none).
QWidget* createControlWidget(forms::Control& control, QWidget* parent);
// Brings the widget in line with the model, touching only what changed.
void applyControl(ControlView& view, const TwipScale& scale);
void applyMenu(ControlView& view);

// Scroll bars: the model allows min > max (the bar then runs from max at the
// bottom/right to min at the top/left); Qt wants lo <= hi.
int scrollToQt(const forms::Control& bar, int modelValue);
int scrollFromQt(const forms::Control& bar, int qtValue);

QColor toQColor(Colour colour);
QFont toQFont(const forms::Font& font);
// A caption without its accelerator marks: "&File" -> "File", "&&" -> "&".
QString plainCaption(const std::string& caption);
// The original's multi-line text uses CR LF; Qt's editors use LF.
QString toEditorText(const std::string& text);
std::string fromEditorText(const QString& text);

}  // namespace lec
