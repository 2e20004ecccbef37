#pragma once

#include <string>

#include "forms/form.h"

namespace lec::forms {

// One line per control, the window's own line first; list items each on a
// line of their own. Every line ends with '\n'.
std::string dump(const Form& form);
std::string dump(const Control& control);

// A text in double quotes with \" and \\ escaped.
std::string quote(const std::string& text);

}  // namespace lec::forms
