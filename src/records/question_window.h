#pragma once

#include <functional>
#include <optional>
#include <string>

#include "forms/form.h"
#include "platform/platform.h"

namespace lec {

// FenQuestion: the program's own Yes/No question window, one line of text.
// It counts as a question box: while it is open the platform's Dialogs lists
// it, so a headless run prints it and a script's `answer Yes` presses its Yes
// button; the user's click goes the same way.
class QuestionWindow {
public:
    QuestionWindow(forms::FormSet& forms, Platform& platform);

    // Shows the question; `answer` runs with true for "Yes", false for "No",
    // after the window has closed. A question asked while another is open
    // takes the window over: the earlier one is closed as if "No" was pressed.
    void ask(const std::string& caption, const std::string& question, bool modal,
             std::function<void(bool yes)> answer);

    forms::Form& form() { return window_; }
    // The Dialogs id of the open question.
    std::optional<int> openBox() const { return open_; }

private:
    void press(BoxButton button);

    forms::Form& window_;
    Platform& platform_;
    std::optional<int> open_;
};

}  // namespace lec
