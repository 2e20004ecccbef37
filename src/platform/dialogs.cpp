#include "platform/dialogs.h"

#include <algorithm>
#include <utility>

namespace lec {

namespace {

std::string quotedForLine(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

}  // namespace

const char* buttonCaption(BoxButton b) {
    switch (b) {
        case BoxButton::Ok:
            return "OK";
        case BoxButton::Yes:
            return "Yes";
        case BoxButton::No:
            return "No";
        case BoxButton::Cancel:
            return "Cancel";
    }
    return "";
}

void Dialogs::message(std::string title, std::string text, BoxIcon icon,
                      std::function<void()> done) {
    Box box{0, std::move(title), std::move(text), icon, {BoxButton::Ok}};
    open(std::move(box), [done = std::move(done)](BoxButton) {
        if (done)
            done();
    });
}

void Dialogs::question(std::string title, std::string text, std::function<void(bool yes)> answer,
                       BoxIcon icon) {
    Box box{0, std::move(title), std::move(text), icon, {BoxButton::Yes, BoxButton::No}};
    open(std::move(box), [answer = std::move(answer)](BoxButton b) {
        if (answer)
            answer(b == BoxButton::Yes);
    });
}

int Dialogs::open(Box box, Answer onAnswer) {
    box.id = nextId_++;
    boxes_.push_back(box);
    answers_.push_back(std::move(onAnswer));
    dismissers_.emplace_back();
    // Our own copy: the observer or the presenter may open or answer boxes,
    // which moves the stored ones.
    if (observer_)
        observer_(box);
    present(box);
    return box.id;
}

int Dialogs::track(Box box, Answer onAnswer, std::function<void()> dismiss) {
    box.id = nextId_++;
    boxes_.push_back(box);
    answers_.push_back(std::move(onAnswer));
    // Never empty: an empty one would send the box to the presenter's dismiss.
    dismissers_.push_back(dismiss ? std::move(dismiss) : [] {});
    if (observer_)
        observer_(box);
    return box.id;
}

bool Dialogs::answer(BoxButton button) {
    if (boxes_.empty())
        return false;
    return press(boxes_.back().id, button);
}

bool Dialogs::press(int id, BoxButton button) {
    const auto it =
        std::find_if(boxes_.begin(), boxes_.end(), [id](const Box& b) { return b.id == id; });
    if (it == boxes_.end())
        return false;
    if (std::find(it->buttons.begin(), it->buttons.end(), button) == it->buttons.end()) {
        return false;
    }

    // The box is gone before its answer runs: the answer may open the next box,
    // which must then be the newest.
    const auto index = static_cast<std::size_t>(it - boxes_.begin());
    Answer onAnswer = std::move(answers_[index]);
    std::function<void()> ownDismiss = std::move(dismissers_[index]);
    boxes_.erase(it);
    answers_.erase(answers_.begin() + static_cast<std::ptrdiff_t>(index));
    dismissers_.erase(dismissers_.begin() + static_cast<std::ptrdiff_t>(index));
    if (ownDismiss)
        ownDismiss();
    else
        dismiss(id);
    if (onAnswer)
        onAnswer(button);
    return true;
}

std::string boxLine(const Box& box) {
    std::string line = "box " + quotedForLine(box.title) + ' ' + quotedForLine(box.text) + " [";
    for (std::size_t i = 0; i < box.buttons.size(); ++i) {
        if (i > 0)
            line += ' ';
        line += buttonCaption(box.buttons[i]);
    }
    line += ']';
    return line;
}

}  // namespace lec
