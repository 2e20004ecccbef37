#include "forms/dump.h"

#include <sstream>

namespace lec::forms {

std::string quote(const std::string& text) {
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
        }
        out += ch;
    }
    out += '"';
    return out;
}

namespace {

bool hasCaption(Kind k) {
    switch (k) {
        case Kind::Label:
        case Kind::CommandButton:
        case Kind::CheckBox:
        case Kind::OptionButton:
        case Kind::Frame:
        case Kind::Menu:
            return true;
        default:
            return false;
    }
}

bool hasColours(Kind k) {
    return k != Kind::Menu && k != Kind::VScrollBar && k != Kind::HScrollBar;
}

bool hasChecked(Kind k) {
    return k == Kind::CheckBox || k == Kind::OptionButton || k == Kind::Menu;
}

}  // namespace

std::string dump(const Control& c) {
    std::ostringstream out;
    const Kind k = c.kind();
    out << c.path() << ' ' << kindName(k);
    if (hasCaption(k)) {
        out << " caption=" << quote(c.caption);
    }
    if (k == Kind::TextBox || k == Kind::ComboBox) {
        out << " text=" << quote(c.text);
    }
    out << " visible=" << (c.visible ? 1 : 0) << " enabled=" << (c.enabled ? 1 : 0);
    if (hasColours(k)) {
        out << " fore=" << formatColour(c.fore) << " back=" << formatColour(c.back);
    }
    if (hasChecked(k)) {
        out << " checked=" << c.checked;
    }
    if (c.isScrollBar()) {
        out << " value=" << c.value << " min=" << c.min << " max=" << c.max;
    }
    if (c.isList()) {
        out << " items=" << c.listCount();
    }
    if (c.hasGeometry()) {
        out << " left=" << c.left << " top=" << c.top << " width=" << c.width
            << " height=" << c.height;
    }
    out << '\n';
    if (c.isList()) {
        for (int i = 0; i < c.listCount(); ++i) {
            out << c.path() << '[' << i << "]=" << quote(c.items[static_cast<std::size_t>(i)])
                << '\n';
        }
    }
    return out.str();
}

std::string dump(const Form& form) {
    std::ostringstream out;
    out << form.name() << " form caption=" << quote(form.caption)
        << " visible=" << (form.visible ? 1 : 0);
    if (form.hasPosition) {
        out << " left=" << form.left << " top=" << form.top;
    }
    out << " width=" << form.width << " height=" << form.height << '\n';
    for (const auto& c : form.controls()) {
        out << dump(*c);
    }
    return out.str();
}

}  // namespace lec::forms
