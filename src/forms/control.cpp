#include "forms/control.h"

#include <algorithm>

#include "forms/form.h"

namespace lec::forms {

namespace {

// The original's default colours of each kind of control.
Colour defaultFore(Kind kind) {
    switch (kind) {
        case Kind::TextBox:
        case Kind::ListBox:
        case Kind::ComboBox:
            return colours::kWindowText;
        default:
            return colours::kButtonText;
    }
}

Colour defaultBack(Kind kind) {
    switch (kind) {
        case Kind::TextBox:
        case Kind::ListBox:
        case Kind::ComboBox:
            return colours::kWindowBackground;
        default:
            return colours::kButtonFace;
    }
}

}  // namespace

const char* kindName(Kind kind) {
    switch (kind) {
        case Kind::Label:
            return "label";
        case Kind::CommandButton:
            return "button";
        case Kind::CheckBox:
            return "checkbox";
        case Kind::OptionButton:
            return "option";
        case Kind::TextBox:
            return "textbox";
        case Kind::ListBox:
            return "listbox";
        case Kind::ComboBox:
            return "combobox";
        case Kind::VScrollBar:
        case Kind::HScrollBar:
            return "scrollbar";
        case Kind::Frame:
            return "frame";
        case Kind::PictureBox:
            return "picture";
        case Kind::Menu:
            return "menu";
    }
    return "control";
}

Control::Control(Form& form, Kind kind, std::string name, int index)
    : fore(defaultFore(kind)),
      back(defaultBack(kind)),
      form_(&form),
      kind_(kind),
      name_(std::move(name)),
      index_(index) {
}

std::string Control::id() const {
    if (index_ < 0) {
        return name_;
    }
    return name_ + "(" + std::to_string(index_) + ")";
}

std::string Control::path() const {
    return form_->name() + "." + id();
}

void Control::setGeometry(int l, int t, int w, int h) {
    left = l;
    top = t;
    width = w;
    height = h;
    hasGeometry_ = true;
}

void Control::move(int l, int t) {
    left = l;
    top = t;
    hasGeometry_ = true;
}

void Control::addItem(std::string item) {
    if (sorted) {
        auto at = std::upper_bound(items.begin(), items.end(), item);
        items.insert(at, std::move(item));
    } else {
        items.push_back(std::move(item));
    }
}

void Control::removeItem(int i) {
    if (i < 0 || i >= listCount()) {
        return;
    }
    items.erase(items.begin() + i);
    if (listIndex >= listCount()) {
        listIndex = listCount() - 1;
    } else if (listIndex > i) {
        --listIndex;
    }
}

void Control::clear() {
    items.clear();
    listIndex = -1;
}

}  // namespace lec::forms
