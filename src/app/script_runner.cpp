#include "app/script_runner.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "forms/addressing.h"
#include "forms/dump.h"
#include "forms/user_actions.h"
#include "platform/text_file.h"

namespace lec {

namespace {

using forms::Control;
using forms::Kind;

// The first word of `line` and the rest after one run of blanks.
std::pair<std::string, std::string> headAndRest(const std::string& line) {
    const auto start = line.find_first_not_of(" \t");
    if (start == std::string::npos) {
        return {};
    }
    const auto end = line.find_first_of(" \t", start);
    if (end == std::string::npos) {
        return {line.substr(start), ""};
    }
    const auto restStart = line.find_first_not_of(" \t", end);
    return {line.substr(start, end - start),
            restStart == std::string::npos ? "" : line.substr(restStart)};
}

// Words separated by blanks; a double-quoted caption stays one word with its
// quotes (BoiteStartTest."cyclic-test").
std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::string word;
    bool inQuotes = false;
    for (char ch : text) {
        if (ch == '"') {
            inQuotes = !inQuotes;
        }
        if (!inQuotes && (ch == ' ' || ch == '\t')) {
            if (!word.empty()) {
                out.push_back(word);
                word.clear();
            }
            continue;
        }
        word += ch;
    }
    if (!word.empty()) {
        out.push_back(word);
    }
    return out;
}

// The control address at the start of `text` (a caption may hold blanks) and
// what follows it.
std::pair<std::string, std::string> addressAndRest(const std::string& text) {
    bool inQuotes = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (!inQuotes && (ch == ' ' || ch == '\t')) {
            break;
        }
    }
    const auto restStart = text.find_first_not_of(" \t", i);
    return {text.substr(0, i), restStart == std::string::npos ? "" : text.substr(restStart)};
}

std::optional<long long> integer(const std::string& text) {
    long long v = 0;
    const auto* end = text.data() + text.size();
    const auto res = std::from_chars(text.data(), end, v);
    if (text.empty() || res.ec != std::errc() || res.ptr != end) {
        return std::nullopt;
    }
    return v;
}

// A user can reach a control only on a shown window, when it and every
// container around it are visible and enabled. Menu entries are reached
// through their titles even when a title is hidden (a pop-up menu).
std::optional<std::string> reachable(const Control& c) {
    if (!c.form().visible) {
        return "window " + c.form().name() + " is not shown";
    }
    for (const Control* k = &c; k != nullptr; k = k->container) {
        if (!k->visible && !(k != &c && k->kind() == Kind::Menu)) {
            return c.path() + " is hidden";
        }
        if (!k->enabled) {
            return c.path() + " is disabled";
        }
    }
    if (c.kind() == Kind::Menu) {
        for (const Control* m = c.parentMenu; m != nullptr; m = m->parentMenu) {
            if (!m->enabled) {
                return c.path() + " is disabled";
            }
        }
    }
    return std::nullopt;
}

std::optional<BoxButton> buttonNamed(const std::string& name) {
    for (BoxButton b : {BoxButton::Ok, BoxButton::Yes, BoxButton::No, BoxButton::Cancel}) {
        if (name == buttonCaption(b)) {
            return b;
        }
    }
    return std::nullopt;
}

}  // namespace

ScriptRunner::ScriptRunner(forms::FormSet& forms, Platform& platform, std::ostream& out,
                           std::ostream& err)
    : forms_(forms), platform_(platform), out_(out), err_(err) {
}

ScriptRunner::~ScriptRunner() = default;

bool ScriptRunner::load(const std::string& path, std::string& error) {
    auto lines = textfile::readLines(path);
    if (!lines) {
        error = "cannot read script " + path;
        return false;
    }
    lines_ = std::move(*lines);
    return true;
}

void ScriptRunner::start() {
    platform_.scheduler.post([this] { step(); });
}

void ScriptRunner::step() {
    if (finished_) {
        return;
    }
    if (next_ >= lines_.size()) {
        finished_ = true;  // no `quit`: the program goes on running
        return;
    }
    const std::string line = lines_[next_++];
    bool paused = false;
    if (auto error = execute(line, paused)) {
        fail(*error);
        return;
    }
    if (finished_) {
        return;
    }
    if (afterAction_) {
        afterAction_();
    }
    if (!paused) {
        // What the action started runs before the next line.
        platform_.scheduler.post([this] { step(); });
    }
}

std::optional<std::string> ScriptRunner::execute(const std::string& line, bool& paused) {
    const auto [verb, rest] = headAndRest(line);
    if (verb.empty() || verb.front() == '#') {
        return std::nullopt;
    }

    if (verb == "wait") {
        const auto ms = integer(rest);
        if (!ms || *ms < 0) {
            return "wait needs a number of milliseconds";
        }
        paused = true;
        waitTimer_ = platform_.scheduler.createTimer("ScriptWait", static_cast<int>(*ms), [this] {
            waitTimer_->stop();
            step();
        });
        waitTimer_->start();
        return std::nullopt;
    }
    if (verb == "quit") {
        finish(0);
        platform_.quit(0);
        return std::nullopt;
    }
    if (verb == "answer") {
        const auto button = buttonNamed(rest);
        if (!button) {
            return "unknown button " + rest;
        }
        const auto& open = platform_.dialogs.openBoxes();
        if (open.empty()) {
            return "no box is open";
        }
        if (!platform_.dialogs.answer(*button)) {
            return "the box has no button " + rest;
        }
        return std::nullopt;
    }
    if (verb == "sim") {
        if (!sim_) {
            return "sim needs the demo cabinet (--demo)";
        }
        return sim_(words(rest));
    }

    static const char* const kControlVerbs[] = {"dump", "close", "click", "rightclick",
                                                "set",  "check", "mouse"};
    if (std::find(std::begin(kControlVerbs), std::end(kControlVerbs), verb) ==
        std::end(kControlVerbs)) {
        return "unknown action " + verb;
    }

    const auto [address, args] = addressAndRest(rest);
    if (address.empty()) {
        return verb + " needs a window or control";
    }
    const forms::Target target = forms::resolve(forms_, address);
    if (!target.ok()) {
        return target.error;
    }

    if (verb == "dump") {
        out_ << (target.control != nullptr ? forms::dump(*target.control)
                                           : forms::dump(*target.form));
        out_.flush();
        return std::nullopt;
    }
    if (verb == "close") {
        if (target.control != nullptr) {
            return "close needs a window";
        }
        if (!target.form->visible) {
            return "window " + target.form->name() + " is not shown";
        }
        target.form->closeBox();
        return std::nullopt;
    }

    if (target.control == nullptr) {
        return verb + " needs a control";
    }
    Control& c = *target.control;
    if (auto why = reachable(c)) {
        return why;
    }

    if (verb == "click") {
        forms::userClick(c);
    } else if (verb == "rightclick") {
        forms::userRightClick(c);
    } else if (verb == "set") {
        if (c.kind() == Kind::TextBox) {
            forms::userSetText(c, args);
        } else if (c.isScrollBar()) {
            const auto v = integer(args);
            if (!v) {
                return "set " + c.path() + " needs a number";
            }
            forms::userSetScroll(c, static_cast<int>(*v));
        } else if (c.isList()) {
            if (!forms::userChoose(c, args)) {
                return c.path() + " has no item \"" + args + "\"";
            }
        } else {
            return c.path() + " takes no value";
        }
    } else if (verb == "check") {
        if (c.kind() != Kind::CheckBox && c.kind() != Kind::OptionButton) {
            return c.path() + " is not a check box";
        }
        if (args != "0" && args != "1") {
            return "check needs 0 or 1";
        }
        forms::userCheck(c, args == "1");
    } else {  // mouse
        const auto w = words(args);
        if (w.size() < 3 || w.size() > 4) {
            return "mouse needs down|move|up X Y [left|right|none]";
        }
        forms::MouseAction action{};
        if (w[0] == "down") {
            action = forms::MouseAction::Down;
        } else if (w[0] == "move") {
            action = forms::MouseAction::Move;
        } else if (w[0] == "up") {
            action = forms::MouseAction::Up;
        } else {
            return "mouse action must be down, move or up";
        }
        const auto x = integer(w[1]);
        const auto y = integer(w[2]);
        if (!x || !y) {
            return "mouse needs X and Y as numbers";
        }
        forms::MouseButton button = forms::MouseButton::Left;
        if (w.size() == 4) {
            if (w[3] == "right") {
                button = forms::MouseButton::Right;
            } else if (w[3] == "none") {
                button = forms::MouseButton::None;
            } else if (w[3] != "left") {
                return "mouse button must be left, right or none";
            }
        }
        forms::userMouse(c, action, button, static_cast<int>(*x), static_cast<int>(*y));
    }
    return std::nullopt;
}

void ScriptRunner::fail(const std::string& why) {
    err_ << "script line " << next_ << ": " << why << std::endl;
    finish(2);
    platform_.quit(2);
}

void ScriptRunner::finish(int status) {
    finished_ = true;
    exitStatus_ = status;
    out_.flush();
}

}  // namespace lec
