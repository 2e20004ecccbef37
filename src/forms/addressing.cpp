#include "forms/addressing.h"

#include <charconv>

namespace lec::forms {

namespace {

Target failure(std::string why) {
    Target t;
    t.error = std::move(why);
    return t;
}

// "Label27(2)" -> ("Label27", 2); "Text1" -> ("Text1", -1); nullopt-like
// failure through `ok`.
bool splitIndex(std::string_view id, std::string& name, int& index) {
    const auto open = id.find('(');
    if (open == std::string_view::npos) {
        name = std::string(id);
        index = -1;
        return !name.empty();
    }
    if (id.back() != ')' || open == 0) {
        return false;
    }
    const std::string_view digits = id.substr(open + 1, id.size() - open - 2);
    const auto* end = digits.data() + digits.size();
    const auto res = std::from_chars(digits.data(), end, index);
    if (digits.empty() || res.ec != std::errc() || res.ptr != end || index < 0) {
        return false;
    }
    name = std::string(id.substr(0, open));
    return true;
}

Target byCaption(Form& form, std::string_view quotedCaption) {
    if (quotedCaption.size() < 2 || quotedCaption.back() != '"') {
        return failure("unterminated caption in address");
    }
    const std::string caption(quotedCaption.substr(1, quotedCaption.size() - 2));
    Control* found = nullptr;
    int matches = 0;
    for (const auto& c : form.controls()) {
        if (c->caption == caption) {
            found = c.get();
            ++matches;
        }
    }
    if (matches == 0) {
        return failure("no control with caption \"" + caption + "\" in " + form.name());
    }
    if (matches > 1) {
        return failure("caption \"" + caption + "\" matches " + std::to_string(matches) +
                       " controls in " + form.name());
    }
    Target t;
    t.form = &form;
    t.control = found;
    return t;
}

}  // namespace

Target resolve(const FormSet& forms, std::string_view address) {
    const auto dot = address.find('.');
    const std::string formName(address.substr(0, dot));
    Form* form = forms.find(formName);
    if (form == nullptr) {
        return failure("no window " + formName);
    }
    Target t;
    t.form = form;
    if (dot == std::string_view::npos) {
        return t;
    }
    const std::string_view rest = address.substr(dot + 1);
    if (!rest.empty() && rest.front() == '"') {
        return byCaption(*form, rest);
    }
    std::string name;
    int index = -1;
    if (!splitIndex(rest, name, index)) {
        return failure("bad control address " + std::string(address));
    }
    t.control = form->find(name, index);
    if (t.control == nullptr) {
        return failure("no control " + std::string(address));
    }
    return t;
}

}  // namespace lec::forms
