#include "forms/form.h"

#include <stdexcept>

namespace lec::forms {

Form::Form(std::string name) : name_(std::move(name)) {
}

Control& Form::add(Kind kind, const std::string& name, int index) {
    auto key = std::make_pair(name, index);
    if (byName_.count(key) != 0) {
        throw std::logic_error("control added twice: " + name_ + "." + name);
    }
    controls_.push_back(std::make_unique<Control>(*this, kind, name, index));
    Control& c = *controls_.back();
    byName_[key] = &c;
    return c;
}

Control* Form::find(const std::string& name, int index) const {
    auto it = byName_.find(std::make_pair(name, index));
    return it == byName_.end() ? nullptr : it->second;
}

Control& Form::at(const std::string& name, int index) const {
    Control* c = find(name, index);
    if (c == nullptr) {
        throw std::logic_error("no control " + name_ + "." + name + "(" + std::to_string(index) +
                               ")");
    }
    return *c;
}

Timer& Form::addTimer(std::unique_ptr<Timer> timer) {
    if (this->timer(timer->name()) != nullptr) {
        throw std::logic_error("timer added twice: " + name_ + "." + timer->name());
    }
    timers_.push_back(std::move(timer));
    return *timers_.back();
}

Timer* Form::timer(const std::string& name) const {
    for (const auto& t : timers_) {
        if (t->name() == name) {
            return t.get();
        }
    }
    return nullptr;
}

std::vector<Control*> Form::menuChildren(const Control* parent) const {
    std::vector<Control*> out;
    for (const auto& c : controls_) {
        if (c->kind() == Kind::Menu && c->parentMenu == parent) {
            out.push_back(c.get());
        }
    }
    return out;
}

void Form::load() {
    if (loaded) {
        return;
    }
    loaded = true;
    if (onLoad) {
        onLoad();
    }
}

void Form::show(bool asModal) {
    load();
    visible = true;
    modal = asModal;
}

void Form::unload() {
    if (!loaded) {
        return;
    }
    if (onUnload) {
        onUnload();
    }
    loaded = false;
    hide();
}

void Form::closeBox() {
    if (onCloseRequest && !onCloseRequest()) {
        return;
    }
    unload();
}

void Form::popupMenu(Control& menu) {
    if (popupPresenter) {
        popupPresenter(menu);
    }
}

Form& FormSet::create(const std::string& name) {
    if (find(name) != nullptr) {
        throw std::logic_error("window created twice: " + name);
    }
    forms_.push_back(std::make_unique<Form>(name));
    return *forms_.back();
}

Form* FormSet::find(const std::string& name) const {
    for (const auto& f : forms_) {
        if (f->name() == name) {
            return f.get();
        }
    }
    return nullptr;
}

}  // namespace lec::forms
