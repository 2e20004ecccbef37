#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "forms/form.h"

namespace lec::forms {

// What an address names: a window or a control; or why it names nothing.
struct Target {
    Form* form = nullptr;
    Control* control = nullptr;  // null when the address names the window
    std::string error;           // set when nothing was found
    bool ok() const { return error.empty(); }
};

// "Log", "Log.Label27(2)", "ConfigurationRS232.Text1(0)", "Log.mnuQuit",
// or a unique caption: BoiteStartTest."cyclic-test".
Target resolve(const FormSet& forms, std::string_view address);

}  // namespace lec::forms
