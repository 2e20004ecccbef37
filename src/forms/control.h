#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/colour.h"

namespace lec {
class Surface;
}

namespace lec::forms {

class Form;

enum class Kind {
    Label,
    CommandButton,
    CheckBox,
    OptionButton,
    TextBox,
    ListBox,
    ComboBox,
    VScrollBar,
    HScrollBar,
    Frame,
    PictureBox,
    Menu,
};

// The word `dump` uses for a kind: label, button, checkbox, ...
const char* kindName(Kind kind);

enum class Alignment { Left, Right, Center };

// Mouse buttons with the original's codes.
enum class MouseButton { None = 0, Left = 1, Right = 2, Middle = 4 };
enum class MouseAction { Down, Move, Up };

struct Font {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// One control of a window. Behaviour code reads and writes the fields
// directly; views show them and feed user actions back through the events.
// Positions and sizes are in twips, relative to the container.
class Control {
public:
    Control(Form& form, Kind kind, std::string name, int index);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return *form_; }
    Kind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    int index() const { return index_; }  // -1 outside a control array
    // "Label27(2)" or "Text1"
    std::string id() const;
    // "Log.Label27(2)"
    std::string path() const;

    bool isScrollBar() const { return kind_ == Kind::VScrollBar || kind_ == Kind::HScrollBar; }
    bool isList() const { return kind_ == Kind::ListBox || kind_ == Kind::ComboBox; }

    // Places the control; from then on `dump` shows its position and size.
    void setGeometry(int left, int top, int width, int height);
    void move(int left, int top);
    bool hasGeometry() const { return hasGeometry_; }

    // --- Properties ---
    std::string caption;  // label, buttons, check and option boxes, frame, menu
    std::string text;     // text box, combo box
    bool visible = true;
    bool enabled = true;
    Colour fore;
    Colour back;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    Font font;
    Alignment alignment = Alignment::Left;
    bool border = false;  // a single fixed border (labels, pictures)
    std::string toolTip;
    // The frame or picture box this control sits in; null = the window itself.
    Control* container = nullptr;

    // Check box 0 / 1 (2 = greyed); option button and menu entry 0 / 1.
    int checked = 0;

    // Scroll bar.
    int value = 0;
    int min = 0;
    int max = 32767;
    int smallChange = 1;
    int largeChange = 1;

    // Text box.
    std::string passwordChar;  // "" or one character shown for each typed one
    int maxLength = 0;         // 0 = no limit
    bool multiLine = false;
    bool locked = false;

    // List and combo box.
    std::vector<std::string> items;
    int listIndex = -1;
    std::vector<int> tabStops;  // in dialog units, as the list box took them
    bool sorted = false;
    bool dropDownList = false;  // a combo box whose text must be one of its items

    // Command button: Enter in the window presses it.
    bool isDefault = false;

    // Picture box: what it shows (not owned); null = its background only.
    Surface* surface = nullptr;

    // Menu entry: the entry it belongs to; null = a title of the menu bar.
    Control* parentMenu = nullptr;
    bool separator() const { return kind_ == Kind::Menu && caption == "-"; }

    // --- Events (any may be empty) ---
    std::function<void()> onClick;
    std::function<void()> onDblClick;
    std::function<void()> onChange;  // text typed, scroll value changed
    std::function<void()> onScroll;  // scroll thumb dragged
    std::function<void(MouseAction, MouseButton, int x, int y)> onMouse;
    // A key typed into the control; set the code to 0 to swallow it.
    std::function<void(int& ascii)> onKeyPress;

    // --- List helpers with the original's names and behaviour ---
    void addItem(std::string item);
    void removeItem(int i);
    void clear();
    int listCount() const { return static_cast<int>(items.size()); }

private:
    Form* form_;
    Kind kind_;
    std::string name_;
    int index_;
    bool hasGeometry_ = false;
};

}  // namespace lec::forms
