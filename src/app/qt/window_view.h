#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <QObject>
#include <QWidget>

#include "app/qt/control_view.h"
#include "forms/form.h"

class QMenuBar;
class QMouseEvent;
class QKeyEvent;

namespace lec {

class FormViews;

// The top-level widget of a form. The close box and Enter are the form's
// business, so they are handed to the view instead of being acted on.
class FormWindow : public QWidget {
public:
    std::function<void()> onClose;
    std::function<void()> onEnter;
    std::function<void()> onResize;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// One form on screen: its window, menu bar and control widgets, kept in step
// with the model, and the user's actions on them sent back to the model.
class WindowView : public QObject {
public:
    WindowView(forms::Form& form, FormViews& owner);
    ~WindowView() override;

    forms::Form& form() const { return form_; }
    // Null until the form was first shown (or ensureWindow()).
    QWidget* window() const { return window_.get(); }
    // Creates the window if needed and brings it up to date without showing it.
    QWidget* ensureWindow();
    void sync();

    QWidget* widgetOf(const forms::Control& c) const;
    QAction* actionOf(const forms::Control& c) const;
    QMenuBar* menuBar() const { return menuBar_; }

    // The form's pop-up menu: `title`'s entries at the mouse.
    void popup(forms::Control& title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ShownWindow {
        std::string caption;
        Colour back;
        Qt::WindowFlags flags;
        QSize size;
        bool fixed = false;
        bool hasPosition = false;
        QPoint position;
    };

    void createWindow();
    void syncControls();
    void syncControl(ControlView& view);
    void syncMenus();
    void rebuildMenus();
    void addMenuEntry(forms::Control& entry, QMenu* parent);
    void syncWindow();
    void showOrHide();
    void layoutClient();
    void addControl(forms::Control& c);
    void connectInput(ControlView& view);
    void watch(QWidget* input, ControlView& view);
    QWidget* containerWidget(const forms::Control* container) const;
    ControlView* viewOf(const forms::Control* c) const;

    // What the user does.
    bool mouse(ControlView& view, QWidget* source, QMouseEvent* event);
    bool key(ControlView& view, QKeyEvent* event);
    void textTyped(ControlView& view, const std::string& text);
    void enterPressed();
    void closeRequested();
    void acted();
    bool applying() const;

    forms::Form& form_;
    FormViews& owner_;
    std::unique_ptr<FormWindow> window_;
    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    // In the form's control order; controls are only ever added.
    std::vector<std::unique_ptr<ControlView>> views_;
    std::unordered_map<const forms::Control*, ControlView*> byControl_;
    std::unordered_map<const QObject*, ControlView*> byInput_;
    std::vector<ControlView*> menuViews_;
    bool menusStale_ = false;
    ShownWindow shown_;
    bool freshWindow_ = true;
    bool placed_ = false;  // centred once per load
};

}  // namespace lec
