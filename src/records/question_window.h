#pragma once

#include <functional>
#include <string>

#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// FenQuestion: the program's own Yes/No question window, one line of text.
class QuestionWindow {
public:
    QuestionWindow(forms::FormSet& forms, Platform& platform);

    // Shows the question; `answer` runs with true for "Yes", false for "No",
    // after the window has closed.
    void ask(const std::string& caption, const std::string& question, bool modal,
             std::function<void(bool yes)> answer);

private:
    forms::Form& window_;
    Platform& platform_;
};

}  // namespace lec
