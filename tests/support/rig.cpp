#include "support/rig.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/addressing.h"
#include "forms/dump.h"
#include "forms/user_actions.h"
#include "platform/text_file.h"

namespace lec::test {

namespace {

[[noreturn]] void failRig(const std::string& why) {
    ADD_FAILURE() << why;
    throw std::runtime_error(why);
}

}  // namespace

Rig::Rig() : Rig(Options{}) {
}

Rig::Rig(Options options)
    : clock(scheduler, options.start),
      serial(scheduler),
      platform{scheduler, clock,  dialogs,        printer,
               surfaces,  serial, folder_.path(), systemFolder_.path()} {
    platform.quit = [this](int status) {
        if (!quitStatus_) {
            quitStatus_ = status;
        }
    };
    if (options.prepare) {
        options.prepare(folder_.path());
    }
    program = std::make_unique<Program>(platform);
    if (options.startProgram) {
        program->start();
        scheduler.runPosted();
    }
}

Rig::~Rig() = default;

forms::Form& Rig::form(const std::string& name) {
    forms::Form* f = program->forms().find(name);
    if (f == nullptr) {
        failRig("no window " + name);
    }
    return *f;
}

forms::Control& Rig::control(const std::string& address) {
    const forms::Target t = forms::resolve(program->forms(), address);
    if (!t.ok() || t.control == nullptr) {
        failRig(t.ok() ? address + " is a window" : t.error);
    }
    return *t.control;
}

namespace {
void requireReachable(const forms::Control& c) {
    if (!c.form().visible || !c.visible || !c.enabled) {
        failRig(c.path() + " cannot be reached (window hidden, control hidden or disabled)");
    }
}
}  // namespace

void Rig::click(const std::string& address) {
    auto& c = control(address);
    requireReachable(c);
    forms::userClick(c);
    scheduler.runPosted();
}

void Rig::rightClick(const std::string& address) {
    auto& c = control(address);
    requireReachable(c);
    forms::userRightClick(c);
    scheduler.runPosted();
}

void Rig::set(const std::string& address, const std::string& value) {
    auto& c = control(address);
    requireReachable(c);
    if (c.isScrollBar()) {
        forms::userSetScroll(c, std::stoi(value));
    } else if (c.isList()) {
        if (!forms::userChoose(c, value)) {
            failRig(address + " has no item " + value);
        }
    } else {
        forms::userSetText(c, value);
    }
    scheduler.runPosted();
}

void Rig::check(const std::string& address, bool on) {
    auto& c = control(address);
    requireReachable(c);
    forms::userCheck(c, on);
    scheduler.runPosted();
}

void Rig::answer(BoxButton button) {
    if (!dialogs.answer(button)) {
        failRig(std::string("cannot answer ") + buttonCaption(button));
    }
    scheduler.runPosted();
}

void Rig::close(const std::string& window) {
    form(window).closeBox();
    scheduler.runPosted();
}

std::string Rig::dump(const std::string& address) {
    const forms::Target t = forms::resolve(program->forms(), address);
    if (!t.ok()) {
        failRig(t.error);
    }
    return t.control != nullptr ? forms::dump(*t.control) : forms::dump(*t.form);
}

bool Rig::hasFile(const std::string& name) const {
    return textfile::exists(path(name));
}

std::string Rig::fileBytes(const std::string& name) const {
    return textfile::readAll(path(name)).value_or("");
}

Rig::ScriptResult Rig::runScript(const std::string& text, std::int64_t limitMs) {
    std::ostringstream out;
    std::ostringstream err;
    ScriptRunner runner(program->forms(), platform, out, err);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    runner.setLines(std::move(lines));
    runner.start();
    scheduler.runUntil([&] { return runner.finished(); }, limitMs);
    return {out.str(), err.str(), runner.exitStatus(), runner.finished()};
}

}  // namespace lec::test
