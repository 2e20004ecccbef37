#pragma once

#include <memory>
#include <vector>

#include <QObject>
#include <QTimer>

#include "app/qt/control_view.h"
#include "forms/form.h"

class QAction;
class QMenuBar;
class QWidget;

namespace lec {

class WindowView;

// Draws every form of a FormSet as a top-level widget and sends what the user
// does back through forms/user_actions.h, so a hand and a script act alike.
// The forms are the truth: the widgets follow them by polling (a coarse timer,
// and sync() after any event), each pass touching only what changed.
// The FormSet must outlive the views (they set and clear each form's
// popupPresenter).
class FormViews : public QObject {
    Q_OBJECT

public:
    struct TwipsPerPixel {
        int x = 15;
        int y = 15;
    };
    // 1440 / the primary screen's logical DPI per axis: 15 at 96 DPI.
    static TwipsPerPixel screenTwipsPerPixel();
    // Never 0, even for a nonsense DPI.
    static int twipsPerPixelAt(double dotsPerInch);

    static constexpr int kPollMs = 40;

    FormViews(forms::FormSet& forms, int twipsPerPixelX, int twipsPerPixelY,
              QObject* parent = nullptr);
    ~FormViews() override;

    // Brings every window in line with its form; windows are made when their
    // form is first shown.
    void sync();
    // Makes the form's window now, up to date but not shown (a screenshot of a
    // hidden form).
    QWidget* ensureWindow(const forms::Form& form);

    // Null while not made yet.
    QWidget* window(const forms::Form& form) const;
    QWidget* widget(const forms::Control& control) const;
    QAction* action(const forms::Control& menuEntry) const;
    QMenuBar* menuBar(const forms::Form& form) const;

    const TwipScale& scale() const { return scale_; }

    // --- For the window views ---

    // True while a sync is changing widgets: their signals are not the user's.
    bool applying() const { return applying_; }
    class Applying {
    public:
        explicit Applying(FormViews& views) : flag_(views.applying_), old_(flag_) { flag_ = true; }
        ~Applying() { flag_ = old_; }
        Applying(const Applying&) = delete;
        Applying& operator=(const Applying&) = delete;

    private:
        bool& flag_;
        bool old_;
    };
    // A sync once the current event is handled (after a user action: running
    // it inside a widget's own signal could change that widget under Qt).
    void syncSoon();

private:
    WindowView* viewOf(const forms::Form& form) const;
    void addNewForms();

    forms::FormSet& forms_;
    TwipScale scale_;
    std::vector<std::unique_ptr<WindowView>> views_;  // in the FormSet's order
    QTimer poll_;
    QTimer soon_;
    bool applying_ = false;
};

}  // namespace lec
