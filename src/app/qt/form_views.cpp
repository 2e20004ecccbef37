#include "app/qt/form_views.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>

#include "app/qt/window_view.h"

namespace lec {

namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

int FormViews::twipsPerPixelAt(double dotsPerInch) {
    if (!(dotsPerInch > 0.0)) {
        return 15;
    }
    return std::max(1, static_cast<int>(std::lround(kTwipsPerInch / dotsPerInch)));
}

FormViews::TwipsPerPixel FormViews::screenTwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    return {twipsPerPixelAt(screen->logicalDotsPerInchX()),
            twipsPerPixelAt(screen->logicalDotsPerInchY())};
}

FormViews::FormViews(forms::FormSet& forms, int twipsPerPixelX, int twipsPerPixelY, QObject* parent)
    : QObject(parent),
      forms_(forms),
      scale_{std::max(1, twipsPerPixelX), std::max(1, twipsPerPixelY)} {
    addNewForms();
    poll_.setTimerType(Qt::CoarseTimer);
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, &FormViews::sync);
    poll_.start();
    soon_.setSingleShot(true);
    soon_.setInterval(0);
    connect(&soon_, &QTimer::timeout, this, &FormViews::sync);
}

FormViews::~FormViews() = default;

void FormViews::addNewForms() {
    const auto& all = forms_.all();
    for (std::size_t i = views_.size(); i < all.size(); ++i) {
        views_.push_back(std::make_unique<WindowView>(*all[i], *this));
    }
}

void FormViews::sync() {
    if (applying_) {
        return;  // a form event ran inside a sync; the pass under way covers it
    }
    const Applying applying(*this);
    addNewForms();
    for (const auto& view : views_) {
        view->sync();
    }
}

void FormViews::syncSoon() {
    soon_.start();
}

QWidget* FormViews::ensureWindow(const forms::Form& form) {
    const Applying applying(*this);
    addNewForms();
    WindowView* view = viewOf(form);
    return view != nullptr ? view->ensureWindow() : nullptr;
}

WindowView* FormViews::viewOf(const forms::Form& form) const {
    for (const auto& view : views_) {
        if (&view->form() == &form) {
            return view.get();
        }
    }
    return nullptr;
}

QWidget* FormViews::window(const forms::Form& form) const {
    const WindowView* view = viewOf(form);
    return view != nullptr ? view->window() : nullptr;
}

QWidget* FormViews::widget(const forms::Control& control) const {
    const WindowView* view = viewOf(control.form());
    return view != nullptr ? view->widgetOf(control) : nullptr;
}

QAction* FormViews::action(const forms::Control& menuEntry) const {
    const WindowView* view = viewOf(menuEntry.form());
    return view != nullptr ? view->actionOf(menuEntry) : nullptr;
}

QMenuBar* FormViews::menuBar(const forms::Form& form) const {
    const WindowView* view = viewOf(form);
    return view != nullptr ? view->menuBar() : nullptr;
}

}  // namespace lec
