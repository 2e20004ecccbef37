#pragma once

#include <string>

#include "forms/form.h"

namespace lec {

class FormViews;

// Saves what the form's window shows (its client area, without the window
// manager's frame) as a PNG file; the window is made if it never was shown.
// False when the file cannot be written.
bool saveScreenshot(FormViews& views, const forms::Form& form, const std::string& pngPath);

}  // namespace lec
