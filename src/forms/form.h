#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "forms/control.h"
#include "platform/colour.h"
#include "platform/scheduler.h"

namespace lec::forms {

// The original's window border styles, with their codes.
enum class BorderStyle {
    None = 0,
    FixedSingle = 1,
    Sizable = 2,
    FixedDialog = 3,
    FixedToolWindow = 4,
    SizableToolWindow = 5
};

// A window: its own properties and its controls, in creation order (the order
// `dump` prints them).
class Form {
public:
    explicit Form(std::string name);
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }

    // Adds a control; a name with an index is an element of a control array.
    Control& add(Kind kind, const std::string& name, int index = -1);
    Control* find(const std::string& name, int index = -1) const;
    // The control, which must exist.
    Control& at(const std::string& name, int index = -1) const;
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

    // The window's timers, as the original kept them on the window: the window
    // owns them and code finds them by name ("Timer1").
    Timer& addTimer(std::unique_ptr<Timer> timer);
    Timer* timer(const std::string& name) const;

    // Menu entries under `parent` (null: the menu bar's titles), in order.
    std::vector<Control*> menuChildren(const Control* parent) const;

    // --- Properties (twips) ---
    std::string caption;
    bool visible = false;
    bool modal = false;  // shown modally: the other windows take no input meanwhile
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool hasPosition = false;  // left/top set; otherwise placed by `centred`
    bool centred = false;      // opens centred on the screen
    BorderStyle border = BorderStyle::Sizable;
    bool controlBox = true;
    bool minButton = true;
    bool maxButton = true;
    bool showInTaskbar = true;
    bool alwaysOnTop = false;
    Colour back{0x8000000Fu};
    Colour fore{0x80000012u};
    Font font;
    // A window that exists (was loaded): one that was never loaded or was
    // unloaded is skipped by code that walks over the windows.
    bool loaded = false;

    void setSize(int w, int h) {
        width = w;
        height = h;
    }
    void move(int l, int t) {
        left = l;
        top = t;
        hasPosition = true;
    }

    // Loads the window if needed (onLoad runs once per load) and shows it.
    void show(bool asModal = false);
    void hide() {
        visible = false;
        modal = false;
    }
    void load();
    // Unloads: onUnload runs, the window is hidden and no longer loaded.
    void unload();

    // The close box was clicked: onCloseRequest decides (true = may close);
    // without one the window unloads.
    void closeBox();

    // Opens `menu`'s entries as a pop-up menu at the mouse (the view draws it).
    void popupMenu(Control& menu);

    // --- Events ---
    std::function<void()> onLoad;
    std::function<bool()> onCloseRequest;
    std::function<void()> onUnload;
    // Set by a view: how to show a pop-up menu.
    std::function<void(Control& menu)> popupPresenter;

private:
    std::string name_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::pair<std::string, int>, Control*> byName_;
    std::vector<std::unique_ptr<Timer>> timers_;
};

// All windows of the program, by name, in creation order.
class FormSet {
public:
    Form& create(const std::string& name);
    Form* find(const std::string& name) const;
    const std::vector<std::unique_ptr<Form>>& all() const { return forms_; }

private:
    std::vector<std::unique_ptr<Form>> forms_;
};

}  // namespace lec::forms
