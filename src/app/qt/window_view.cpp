#include "app/qt/window_view.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>

#include "app/qt/form_views.h"
#include "app/qt/picture_view.h"
#include "forms/user_actions.h"

namespace lec {

using forms::BorderStyle;
using forms::Control;
using forms::Kind;
using forms::MouseAction;
using forms::MouseButton;

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

bool isButton(Kind kind) {
    return kind == Kind::CommandButton || kind == Kind::CheckBox || kind == Kind::OptionButton;
}

// Controls whose mouse the view takes over entirely: Qt must neither toggle
// them by itself nor pass their clicks on to the frame around them.
bool ownsMouse(Kind kind) {
    return isButton(kind) || kind == Kind::Label || kind == Kind::Frame || kind == Kind::PictureBox;
}

// Lists and combo boxes click when their selection changes; scroll bars never.
bool clicksOnRelease(Kind kind) {
    return ownsMouse(kind) || kind == Kind::TextBox;
}

MouseButton toButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return MouseButton::None;
    }
}

// While moving, the original passed the buttons held as a bit set.
MouseButton heldButtons(Qt::MouseButtons buttons) {
    int mask = 0;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if ((buttons & b) != 0) {
            mask |= static_cast<int>(toButton(b));
        }
    }
    return static_cast<MouseButton>(mask);
}

int buttonState(const QAbstractButton* button) {
    if (const auto* check = qobject_cast<const QCheckBox*>(button)) {
        switch (check->checkState()) {
            case Qt::Unchecked:
                return 0;
            case Qt::Checked:
                return 1;
            case Qt::PartiallyChecked:
                return 2;
        }
    }
    return button->isChecked() ? 1 : 0;
}

// The key code the original's KeyPress saw; -1 for keys it did not see.
int asciiOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return '\r';
        case Qt::Key_Backspace:
            return '\b';
        case Qt::Key_Escape:
            return 27;
        default:
            break;
    }
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0) {
        return -1;
    }
    const QString text = event.text();
    if (text.size() == 1 && text[0].unicode() >= 32 && text[0].unicode() < 127) {
        return text[0].unicode();
    }
    return -1;
}

bool hasDefaultButton(const forms::Form& form) {
    for (const auto& c : form.controls()) {
        if (c->kind() == Kind::CommandButton && c->isDefault) {
            return true;
        }
    }
    return false;
}

bool fixedBorder(BorderStyle border) {
    return border != BorderStyle::Sizable && border != BorderStyle::SizableToolWindow;
}

Qt::WindowFlags windowFlagsOf(const forms::Form& form) {
    Qt::WindowFlags flags = Qt::Window;
    if (form.border == BorderStyle::None) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        if (form.controlBox) {
            flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            // Dialog and tool-window borders had no minimise or maximise box.
            const bool boxes =
                form.border == BorderStyle::FixedSingle || form.border == BorderStyle::Sizable;
            if (boxes && form.minButton) {
                flags |= Qt::WindowMinimizeButtonHint;
            }
            if (boxes && form.maxButton) {
                flags |= Qt::WindowMaximizeButtonHint;
            }
        }
    }
    if (form.alwaysOnTop) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    return flags;
}

template <class T, class U>
bool takeIfChanged(bool all, T& shown, const U& now) {
    if (!all && shown == now) {
        return false;
    }
    shown = now;
    return true;
}

}  // namespace

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // the form decides, and the next sync hides the window
    if (onClose) {
        onClose();
    }
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && onEnter) {
        onEnter();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResize) {
        onResize();
    }
}

WindowView::WindowView(forms::Form& form, FormViews& owner) : form_(form), owner_(owner) {
    form_.popupPresenter = [this](Control& title) { popup(title); };
}

WindowView::~WindowView() {
    form_.popupPresenter = nullptr;
    window_.reset();  // while the filter's tables still exist
}

QWidget* WindowView::ensureWindow() {
    if (!window_) {
        createWindow();
    }
    syncControls();
    syncMenus();
    syncWindow();
    return window_.get();
}

void WindowView::sync() {
    if (!window_) {
        if (!form_.visible) {
            return;  // windows are made when first shown
        }
        createWindow();
    }
    if (form_.visible) {
        syncControls();
        syncMenus();
        syncWindow();
    }
    showOrHide();
}

QWidget* WindowView::widgetOf(const Control& c) const {
    const ControlView* view = viewOf(&c);
    return view != nullptr ? view->widget : nullptr;
}

QAction* WindowView::actionOf(const Control& c) const {
    const ControlView* view = viewOf(&c);
    return view != nullptr ? view->action : nullptr;
}

void WindowView::popup(Control& title) {
    if (!window_) {
        createWindow();
    }
    {
        const FormViews::Applying applying(owner_);
        syncControls();
        syncMenus();
    }
    const ControlView* view = viewOf(&title);
    if (view != nullptr && view->menu != nullptr) {
        view->menu->popup(QCursor::pos());
    }
}

void WindowView::createWindow() {
    window_ = std::make_unique<FormWindow>();
    window_->setObjectName(qs(form_.name()));
    // Closing or hiding a window never ends the program: the behaviour does.
    window_->setAttribute(Qt::WA_QuitOnClose, false);
    window_->setAutoFillBackground(true);
    menuBar_ = new QMenuBar(window_.get());
    menuBar_->setNativeMenuBar(false);
    menuBar_->hide();
    client_ = new QWidget(window_.get());
    window_->onClose = [this] { closeRequested(); };
    window_->onEnter = [this] { enterPressed(); };
    window_->onResize = [this] { layoutClient(); };
    freshWindow_ = true;
}

void WindowView::syncControls() {
    const auto& controls = form_.controls();
    for (std::size_t i = views_.size(); i < controls.size(); ++i) {
        addControl(*controls[i]);
    }
    for (const auto& view : views_) {
        if (view->widget != nullptr) {
            syncControl(*view);
        }
    }
}

void WindowView::addControl(Control& c) {
    auto view = std::make_unique<ControlView>();
    view->control = &c;
    if (c.kind() == Kind::Menu) {
        menuViews_.push_back(view.get());
        menusStale_ = true;
    } else {
        view->widget = createControlWidget(c, client_);
        view->widget->setObjectName(qs(c.id()));
        connectInput(*view);
    }
    byControl_[&c] = view.get();
    views_.push_back(std::move(view));
}

void WindowView::syncControl(ControlView& view) {
    QWidget* parent = containerWidget(view.control->container);
    if (view.widget->parentWidget() != parent) {
        view.widget->setParent(parent);
        view.shown.visible = !view.control->visible;  // setParent hid it
    }
    applyControl(view, owner_.scale());
    if (auto* combo = qobject_cast<QComboBox*>(view.widget)) {
        // An editable combo box gets a new editor each time it becomes editable.
        QLineEdit* edit = combo->lineEdit();
        if (edit != nullptr && byInput_.count(edit) == 0) {
            watch(edit, view);
            ControlView* v = &view;
            connect(edit, &QLineEdit::textEdited, this,
                    [this, v](const QString& text) { textTyped(*v, text.toStdString()); });
        }
    }
}

QWidget* WindowView::containerWidget(const Control* container) const {
    if (container != nullptr) {
        const ControlView* view = viewOf(container);
        if (view != nullptr && view->widget != nullptr &&
            (container->kind() == Kind::Frame || container->kind() == Kind::PictureBox)) {
            return view->widget;
        }
    }
    return client_;
}

ControlView* WindowView::viewOf(const Control* c) const {
    auto it = byControl_.find(c);
    return it != byControl_.end() ? it->second : nullptr;
}

void WindowView::syncMenus() {
    for (const ControlView* view : menuViews_) {
        if (view->shown.parentMenu != view->control->parentMenu) {
            menusStale_ = true;
        }
    }
    if (menusStale_) {
        rebuildMenus();
    }
    bool anyTitle = false;
    for (ControlView* view : menuViews_) {
        applyMenu(*view);
        anyTitle = anyTitle || (view->control->parentMenu == nullptr && view->control->visible);
    }
    if (menuBar_->isHidden() == anyTitle) {
        menuBar_->setVisible(anyTitle);
        layoutClient();
    }
}

void WindowView::rebuildMenus() {
    menuBar_->clear();
    for (ControlView* view : menuViews_) {
        // Later: the old menu may be the one whose action is running now.
        if (view->menu != nullptr) {
            view->menu->deleteLater();
        } else if (view->action != nullptr) {
            view->action->deleteLater();
        }
        view->menu = nullptr;
        view->action = nullptr;
        view->fresh = true;
        view->shown.parentMenu = view->control->parentMenu;
    }
    for (Control* title : form_.menuChildren(nullptr)) {
        addMenuEntry(*title, nullptr);
    }
    menusStale_ = false;
}

void WindowView::addMenuEntry(Control& entry, QMenu* parent) {
    ControlView* view = viewOf(&entry);
    if (view == nullptr || view->action != nullptr) {
        return;  // not a control of this form, or already placed (a loop of parents)
    }
    const std::vector<Control*> entries = form_.menuChildren(&entry);
    if (!entries.empty()) {
        view->menu = new QMenu(window_.get());
        view->action = view->menu->menuAction();
        for (Control* child : entries) {
            addMenuEntry(*child, view->menu);
        }
    } else {
        view->action = new QAction(window_.get());
        connect(view->action, &QAction::triggered, this, [this, view] {
            view->shown.checked = view->action->isChecked() ? 1 : 0;  // Qt toggled it
            forms::userClick(*view->control);
            acted();
        });
    }
    if (parent != nullptr) {
        parent->addAction(view->action);
    } else {
        menuBar_->addAction(view->action);
    }
}

void WindowView::syncWindow() {
    FormWindow& w = *window_;
    const bool all = freshWindow_;
    const TwipScale& scale = owner_.scale();
    if (takeIfChanged(all, shown_.caption, form_.caption)) {
        w.setWindowTitle(qs(form_.caption));
    }
    if (takeIfChanged(all, shown_.back, form_.back)) {
        QPalette palette = w.palette();
        palette.setColor(QPalette::Window, toQColor(form_.back));
        w.setPalette(palette);
    }
    const Qt::WindowFlags flags = windowFlagsOf(form_);
    if (takeIfChanged(all, shown_.flags, flags)) {
        const bool wasShown = !w.isHidden();
        w.setWindowFlags(flags);  // hides the window
        if (wasShown) {
            w.show();
        }
    }
    const QSize size(std::max(1, scale.pixelsX(form_.width)),
                     std::max(1, scale.pixelsY(form_.height)));
    const bool fixed = fixedBorder(form_.border);
    if ((takeIfChanged(all, shown_.size, size) | takeIfChanged(all, shown_.fixed, fixed)) != 0) {
        if (fixed) {
            w.setFixedSize(size);
        } else {
            w.setMinimumSize(0, 0);
            w.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
            w.resize(size);
        }
    }
    const QPoint position(scale.pixelsX(form_.left), scale.pixelsY(form_.top));
    const bool moved = (takeIfChanged(all, shown_.hasPosition, form_.hasPosition) |
                        takeIfChanged(all, shown_.position, position)) != 0;
    if (moved && form_.hasPosition) {
        w.move(position);
    }
    freshWindow_ = false;
}

void WindowView::showOrHide() {
    FormWindow& w = *window_;
    if (!form_.visible) {
        if (!w.isHidden()) {
            w.hide();
        }
        if (!form_.loaded) {
            placed_ = false;
        }
        return;
    }
    const Qt::WindowModality modality = form_.modal ? Qt::ApplicationModal : Qt::NonModal;
    if (w.windowModality() != modality) {
        w.hide();  // Qt takes a new modality at the next show
        w.setWindowModality(modality);
    }
    if (w.isHidden()) {
        if (!placed_ && !form_.hasPosition && form_.centred) {
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                const QRect area = screen->availableGeometry();
                w.move(area.center() - QPoint(w.width() / 2, w.height() / 2));
            }
        }
        placed_ = true;
        w.show();
        // Off screen (tests, screenshots) there is nothing to bring forward.
        if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
            w.raise();
            w.activateWindow();
        }
    }
}

void WindowView::layoutClient() {
    if (!window_) {
        return;
    }
    const int width = window_->width();
    const int barHeight = menuBar_->isHidden() ? 0 : menuBar_->sizeHint().height();
    if (barHeight > 0) {
        menuBar_->setGeometry(0, 0, width, barHeight);
    }
    client_->setGeometry(0, barHeight, width, std::max(0, window_->height() - barHeight));
}

void WindowView::watch(QWidget* input, ControlView& view) {
    byInput_[input] = &view;
    input->setAttribute(Qt::WA_NoMousePropagation);
    input->setMouseTracking(true);  // the original raised MouseMove without a button too
    input->installEventFilter(this);
    connect(input, &QObject::destroyed, this, [this, input] { byInput_.erase(input); });
}

void WindowView::connectInput(ControlView& view) {
    ControlView* v = &view;
    QWidget* w = view.widget;
    switch (view.control->kind()) {
        case Kind::Label:
        case Kind::Frame:
        case Kind::PictureBox:
            watch(w, view);
            break;
        case Kind::CommandButton:
        case Kind::CheckBox:
        case Kind::OptionButton: {
            watch(w, view);
            // The filter takes the mouse; what comes here is the keyboard (space,
            // accelerator), which in the original clicked without mouse events.
            auto* button = static_cast<QAbstractButton*>(w);
            connect(button, &QAbstractButton::clicked, this, [this, v, button] {
                if (applying()) {
                    return;
                }
                v->shown.checked = buttonState(button);
                forms::userClickOnly(*v->control);
                acted();
            });
            break;
        }
        case Kind::TextBox:
            if (auto* line = qobject_cast<QLineEdit*>(w)) {
                watch(line, view);
                connect(line, &QLineEdit::textEdited, this,
                        [this, v](const QString& text) { textTyped(*v, text.toStdString()); });
            } else {
                auto* edit = static_cast<QPlainTextEdit*>(w);
                watch(edit, view);
                watch(edit->viewport(), view);
                connect(edit, &QPlainTextEdit::textChanged, this, [this, v, edit] {
                    if (!applying()) {
                        textTyped(*v, fromEditorText(edit->toPlainText()));
                    }
                });
            }
            break;
        case Kind::ListBox: {
            auto* list = static_cast<QListWidget*>(w);
            watch(list->viewport(), view);
            connect(list, &QListWidget::currentRowChanged, this, [this, v](int row) {
                if (applying() || row < 0) {
                    return;
                }
                v->shown.listIndex = row;
                forms::userSelect(*v->control, row);
                acted();
            });
            break;
        }
        case Kind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(w);
            watch(combo, view);
            connect(combo, &QComboBox::activated, this, [this, v, combo](int index) {
                if (applying()) {
                    return;
                }
                v->shown.listIndex = index;
                v->shown.text = combo->itemText(index).toStdString();
                forms::userSelect(*v->control, index);
                acted();
            });
            break;
        }
        case Kind::VScrollBar:
        case Kind::HScrollBar: {
            auto* bar = static_cast<QScrollBar*>(w);
            connect(bar, &QScrollBar::valueChanged, this, [this, v](int value) {
                if (applying()) {
                    return;
                }
                const int modelValue = scrollFromQt(*v->control, value);
                v->shown.value = modelValue;
                forms::userSetScroll(*v->control, modelValue);
                acted();
            });
            break;
        }
        case Kind::Menu:
            break;
    }
}

bool WindowView::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::KeyPress:
            break;
        default:
            return false;
    }
    auto it = byInput_.find(watched);
    if (it == byInput_.end()) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        return key(*it->second, static_cast<QKeyEvent*>(event));
    }
    return mouse(*it->second, static_cast<QWidget*>(watched), static_cast<QMouseEvent*>(event));
}

// One left click gives Down, Up, Click, as in the original: the press and the
// release go to userMouse here, and the click part follows the release.
bool WindowView::mouse(ControlView& view, QWidget* source, QMouseEvent* event) {
    Control& c = *view.control;
    const Kind kind = c.kind();
    const bool consumed = ownsMouse(kind);
    QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonDblClick && isButton(kind)) {
        type = QEvent::MouseButtonPress;  // buttons take a quick second click as a click
    }
    const MouseButton button = toButton(event->button());
    bool clickEnds = false;
    if (type == QEvent::MouseButtonRelease && button == MouseButton::Left) {
        clickEnds = view.leftDown;
        view.leftDown = false;
        if (isButton(kind)) {
            static_cast<QAbstractButton*>(view.widget)->setDown(false);
        }
    }
    if (!c.enabled || !c.visible) {
        return consumed;
    }

    QPoint pos = event->position().toPoint();
    if (source != view.widget) {
        pos = source->mapTo(view.widget, pos);
    }
    // Picture boxes hold charts drawn in pixels; everything else is in twips.
    int x = 0;
    int y = 0;
    if (kind == Kind::PictureBox) {
        const QPoint p = pos - static_cast<PictureView*>(view.widget)->origin();
        x = p.x();
        y = p.y();
    } else {
        x = pos.x() * owner_.scale().x;
        y = pos.y() * owner_.scale().y;
    }

    switch (type) {
        case QEvent::MouseButtonPress:
            if (button == MouseButton::None) {
                return consumed;
            }
            if (button == MouseButton::Left) {
                view.leftDown = true;
                if (isButton(kind)) {
                    auto* b = static_cast<QAbstractButton*>(view.widget);
                    b->setDown(true);
                    if ((b->focusPolicy() & Qt::ClickFocus) != 0) {
                        b->setFocus(Qt::MouseFocusReason);
                    }
                }
            }
            forms::userMouse(c, MouseAction::Down, button, x, y);
            break;
        case QEvent::MouseButtonDblClick:
            // The second press of a double click: no Down, no Click, but DblClick.
            forms::userDoubleClick(c);
            break;
        case QEvent::MouseButtonRelease:
            if (button == MouseButton::None) {
                return consumed;
            }
            forms::userMouse(c, MouseAction::Up, button, x, y);
            if (clickEnds && clicksOnRelease(kind) && view.widget->rect().contains(pos)) {
                forms::userClickOnly(c);
            }
            break;
        case QEvent::MouseMove:
            forms::userMouse(c, MouseAction::Move, heldButtons(event->buttons()), x, y);
            if (!c.onMouse) {
                return consumed;  // nothing can have changed
            }
            break;
        default:
            return consumed;
    }
    acted();
    return consumed;
}

bool WindowView::key(ControlView& view, QKeyEvent* event) {
    Control& c = *view.control;
    if (c.kind() != Kind::TextBox && c.kind() != Kind::ComboBox) {
        return false;
    }
    const int ascii = asciiOf(*event);
    if (ascii < 0) {
        return false;
    }
    const int left = forms::userKeyEvent(c, ascii);
    acted();
    if (ascii == '\r') {
        // Enter belongs to the default button; a multi-line box without one
        // takes it as a new line.
        return !(c.multiLine && left == '\r' && !hasDefaultButton(form_));
    }
    if (left == ascii) {
        return false;  // the editor types it
    }
    if (left != 0) {
        // The handler replaced the key (an upper-case filter, say): type that one.
        const QString typed(QChar(static_cast<char16_t>(left)));
        if (auto* line = qobject_cast<QLineEdit*>(view.widget)) {
            line->insert(typed);
            textTyped(view, line->text().toStdString());
        } else if (auto* edit = qobject_cast<QPlainTextEdit*>(view.widget)) {
            edit->insertPlainText(typed);
        } else if (auto* combo = qobject_cast<QComboBox*>(view.widget);
                   combo != nullptr && combo->lineEdit() != nullptr) {
            combo->lineEdit()->insert(typed);
            textTyped(view, combo->lineEdit()->text().toStdString());
        }
    }
    return true;
}

void WindowView::textTyped(ControlView& view, const std::string& text) {
    if (applying()) {
        return;
    }
    view.shown.text = text;  // what the editor shows now
    forms::userSetText(*view.control, text);
    acted();
}

void WindowView::enterPressed() {
    QWidget* focus = QApplication::focusWidget();
    auto it = byInput_.find(focus);
    if (it != byInput_.end() && it->second->control->kind() == Kind::CommandButton) {
        forms::userClickOnly(*it->second->control);
        acted();
        return;
    }
    for (const auto& c : form_.controls()) {
        if (c->kind() == Kind::CommandButton && c->isDefault) {
            forms::userClick(*c);
            acted();
            return;
        }
    }
}

void WindowView::closeRequested() {
    form_.closeBox();
    acted();
}

void WindowView::acted() {
    owner_.syncSoon();
}

bool WindowView::applying() const {
    return owner_.applying();
}

}  // namespace lec
