#include "records/question_window.h"

namespace lec {

QuestionWindow::QuestionWindow(forms::FormSet& forms, Platform& platform)
    : window_(forms.create("FenQuestion")), platform_(platform) {}

void QuestionWindow::ask(const std::string&, const std::string&, bool,
                         std::function<void(bool)>) {}

}  // namespace lec
