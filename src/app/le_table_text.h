#pragma once

#include <string>

#include "forms/form.h"

namespace lec {

// The LE table of the main window as text, as a headless run prints it: a
// heading line, then one line per LE row with what its cells show (name,
// phase, step, ready, LPC to SHT, version, PWR in), each line ending in "\n".
std::string leTableText(const forms::Form& log);

}  // namespace lec
