#include "forms/user_actions.h"

#include <algorithm>

#include "forms/form.h"

namespace lec::forms {

namespace {

// Handlers are copied before the call: a handler may replace itself.
void fire(const std::function<void()>& handler) {
    if (handler) {
        auto h = handler;
        h();
    }
}

void fireMouse(Control& c, MouseAction action, MouseButton button, int x, int y) {
    if (c.onMouse) {
        auto h = c.onMouse;
        h(action, button, x, y);
    }
}

// An option button is one of a group: the option buttons of one container.
void selectOption(Control& c) {
    for (const auto& other : c.form().controls()) {
        if (other.get() != &c && other->kind() == Kind::OptionButton &&
            other->container == c.container) {
            other->checked = 0;
        }
    }
    c.checked = 1;
}

bool takesInput(const Control& c) {
    return c.enabled && c.visible;
}

// The click itself: a check box toggles, an option button is selected, then
// onClick.
void clickPart(Control& c) {
    if (c.kind() == Kind::CheckBox) {
        c.checked = c.checked == 0 ? 1 : 0;
    } else if (c.kind() == Kind::OptionButton) {
        selectOption(c);
    }
    fire(c.onClick);
}

// Enter in a window presses its default button, if it has one.
void pressDefaultButton(Form& form) {
    for (const auto& other : form.controls()) {
        if (other->kind() == Kind::CommandButton && other->isDefault) {
            userClick(*other);
            return;
        }
    }
}

}  // namespace

void userClick(Control& c) {
    if (!takesInput(c)) {
        return;
    }
    if (c.kind() == Kind::Menu) {
        // A menu title with entries only opens them.
        if (c.form().menuChildren(&c).empty() && !c.separator()) {
            fire(c.onClick);
        }
        return;
    }
    fireMouse(c, MouseAction::Down, MouseButton::Left, 0, 0);
    fireMouse(c, MouseAction::Up, MouseButton::Left, 0, 0);
    clickPart(c);
}

void userRightClick(Control& c) {
    if (!takesInput(c)) {
        return;
    }
    fireMouse(c, MouseAction::Down, MouseButton::Right, 0, 0);
    fireMouse(c, MouseAction::Up, MouseButton::Right, 0, 0);
}

void userMouse(Control& c, MouseAction action, MouseButton button, int x, int y) {
    if (!takesInput(c)) {
        return;
    }
    fireMouse(c, action, button, x, y);
}

void userDoubleClick(Control& c) {
    if (!takesInput(c)) {
        return;
    }
    fire(c.onDblClick);
}

void userSetText(Control& c, const std::string& text) {
    std::string t = text;
    if (c.maxLength > 0 && static_cast<int>(t.size()) > c.maxLength) {
        t.resize(static_cast<std::size_t>(c.maxLength));
    }
    assignText(c, t);
}

void userSetScroll(Control& c, int value) {
    const int lo = std::min(c.min, c.max);
    const int hi = std::max(c.min, c.max);
    assignScroll(c, std::clamp(value, lo, hi));
}

bool userChoose(Control& c, const std::string& item) {
    auto it = std::find(c.items.begin(), c.items.end(), item);
    if (it == c.items.end()) {
        if (c.kind() == Kind::ComboBox && !c.dropDownList) {
            assignText(c, item);
            return true;
        }
        return false;
    }
    c.listIndex = static_cast<int>(it - c.items.begin());
    if (c.kind() == Kind::ComboBox) {
        c.text = item;
    }
    fire(c.onClick);
    return true;
}

void userCheck(Control& c, bool on) {
    if ((c.checked != 0) == on) {
        return;
    }
    userClick(c);
}

void userKey(Control& c, int ascii) {
    ascii = userKeyEvent(c, ascii);
    if (ascii == 0 || ascii == '\r') {
        return;
    }
    if (ascii == '\b') {
        if (!c.text.empty()) {
            userSetText(c, c.text.substr(0, c.text.size() - 1));
        }
        return;
    }
    if (c.kind() == Kind::TextBox && !c.locked) {
        userSetText(c, c.text + static_cast<char>(ascii));
    }
}

void assignChecked(Control& c, int value) {
    if (c.checked == value) {
        return;
    }
    if (c.kind() == Kind::OptionButton && value != 0) {
        selectOption(c);
    } else {
        c.checked = value;
    }
    fire(c.onClick);
}

void assignScroll(Control& c, int value) {
    if (c.value == value) {
        return;
    }
    c.value = value;
    fire(c.onChange);
}

void assignText(Control& c, const std::string& text) {
    if (c.text == text) {
        return;
    }
    c.text = text;
    fire(c.onChange);
}

void userClickOnly(Control& c) {
    if (!takesInput(c)) {
        return;
    }
    if (c.kind() == Kind::Menu) {
        userClick(c);
        return;
    }
    clickPart(c);
}

void userSelect(Control& c, int index) {
    if (!takesInput(c) || index < 0 || index >= c.listCount()) {
        return;
    }
    c.listIndex = index;
    if (c.kind() == Kind::ComboBox) {
        c.text = c.items[static_cast<std::size_t>(index)];
    }
    fire(c.onClick);
}

int userKeyEvent(Control& c, int ascii) {
    if (!takesInput(c)) {
        return 0;
    }
    if (c.onKeyPress) {
        auto h = c.onKeyPress;
        h(ascii);
    }
    if (ascii == '\r') {
        pressDefaultButton(c.form());
    }
    return ascii;
}

}  // namespace lec::forms
