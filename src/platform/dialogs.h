#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace lec {

enum class BoxIcon { None, Information, Warning, Critical, Question };
enum class BoxButton { Ok, Yes, No, Cancel };

const char* buttonCaption(BoxButton b);  // "OK", "Yes", "No", "Cancel"

// A message box or question that is open. Modal for the user; timers and
// serial events go on while it is open.
struct Box {
    int id = 0;
    std::string title;
    std::string text;
    BoxIcon icon = BoxIcon::None;
    std::vector<BoxButton> buttons;
};

// Message boxes and Yes/No questions, asynchronous: the caller says what to do
// with the answer and returns at once. The open boxes are kept here, newest
// last, so a script can answer them whatever draws them.
class Dialogs {
public:
    using Answer = std::function<void(BoxButton)>;
    virtual ~Dialogs() = default;

    void message(std::string title, std::string text, BoxIcon icon = BoxIcon::Warning,
                 std::function<void()> done = {});
    void question(std::string title, std::string text, std::function<void(bool yes)> answer,
                  BoxIcon icon = BoxIcon::Question);
    // Any set of buttons; the program's own question windows register here too
    // (with a presenter of their own) so that scripts answer them the same way.
    int open(Box box, Answer onAnswer);
    // A box that a window of the program draws itself (the question window):
    // it counts as open, the observer is told, a script can answer it, but it
    // is not presented here. When it is answered, `dismiss` takes the window
    // off the screen, then `onAnswer` runs. The window's own buttons call
    // press() so that a click and a script take the same path.
    int track(Box box, Answer onAnswer, std::function<void()> dismiss);

    const std::vector<Box>& openBoxes() const { return boxes_; }
    // Presses `button` on the newest open box. False (and nothing happens) when
    // no box is open or the newest has no such button.
    bool answer(BoxButton button);
    // Closes box `id` as if its `button` had been pressed (the user's click).
    bool press(int id, BoxButton button);

    // Told of every box as it opens (headless runs print it).
    void setOpenObserver(std::function<void(const Box&)> observer) {
        observer_ = std::move(observer);
    }

protected:
    // Show box; the user's click comes back through press().
    virtual void present(const Box& box) = 0;
    // Take the box off the screen (it was answered, maybe by a script).
    virtual void dismiss(int id) = 0;

private:
    std::vector<Box> boxes_;
    std::vector<Answer> answers_;  // answers_[i] belongs to boxes_[i]
    // dismissers_[i] belongs to boxes_[i]: empty for the boxes presented here.
    std::vector<std::function<void()>> dismissers_;
    std::function<void(const Box&)> observer_;
    int nextId_ = 1;
};

// "box \"<title>\" \"<text>\" [OK]": the line a headless run prints.
std::string boxLine(const Box& box);

}  // namespace lec
