#include "app/qt/control_view.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "app/qt/picture_view.h"
#include "app/qt/tab_stop_delegate.h"
#include "platform/surface.h"

namespace lec {

using forms::Alignment;
using forms::Control;
using forms::Kind;

namespace {

// Fonts of the original's windows that these machines do not have, and what
// draws them closest.
struct FontAlias {
    std::string_view from;
    const char* to;
};
constexpr FontAlias kFontAliases[] = {
    {"MS Sans Serif", "DejaVu Sans"},
    {"Microsoft Sans Serif", "DejaVu Sans"},
};

constexpr int kLineEditNoLimit = 32767;

bool sameFont(const forms::Font& a, const forms::Font& b) {
    return a.name == b.name && a.size == b.size && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline;
}

// Compares a shown value with the model's and takes the model's when they
// differ (or when everything is to be applied): true = apply it.
class Changes {
public:
    explicit Changes(bool all) : all_(all) {}

    template <class T, class U>
    bool operator()(T& shown, const U& now) const {
        if (!all_ && shown == now) {
            return false;
        }
        shown = now;
        return true;
    }

    bool font(forms::Font& shown, const forms::Font& now) const {
        if (!all_ && sameFont(shown, now)) {
            return false;
        }
        shown = now;
        return true;
    }

private:
    bool all_;
};

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

Qt::Alignment horizontal(Alignment a) {
    switch (a) {
        case Alignment::Right:
            return Qt::AlignRight;
        case Alignment::Center:
            return Qt::AlignHCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft;
}

void applyColours(QWidget* w, Kind kind, Colour fore, Colour back) {
    QPalette palette = w->palette();
    // The text colour stays the style's grey when the control is disabled,
    // as the original greyed it.
    auto setFore = [&](QPalette::ColorRole role) {
        palette.setColor(QPalette::Active, role, toQColor(fore));
        palette.setColor(QPalette::Inactive, role, toQColor(fore));
    };
    auto setBack = [&](QPalette::ColorRole role) { palette.setColor(role, toQColor(back)); };
    switch (kind) {
        case Kind::CheckBox:
        case Kind::OptionButton:
            // Buttons fill with the Button role; the style writes the caption
            // with WindowText.
            setFore(QPalette::WindowText);
            setBack(QPalette::Window);
            [[fallthrough]];
        case Kind::CommandButton:
            setFore(QPalette::ButtonText);
            setBack(QPalette::Button);
            break;
        case Kind::ComboBox:
            setFore(QPalette::ButtonText);
            setBack(QPalette::Button);
            [[fallthrough]];
        case Kind::TextBox:
        case Kind::ListBox:
            setFore(QPalette::Text);
            setBack(QPalette::Base);
            break;
        default:
            setFore(QPalette::WindowText);
            setBack(QPalette::Window);
            break;
    }
    w->setPalette(palette);
}

// Rows that changed between `old` and `now`: everything between their common
// head and common tail. Lists mostly grow or shrink at one end, so this keeps
// a sync of a long list to a few rows.
struct RowChange {
    int at = 0;
    int removed = 0;
    QStringList inserted;
};

RowChange rowChange(const std::vector<std::string>& old, const std::vector<std::string>& now) {
    std::size_t head = 0;
    while (head < old.size() && head < now.size() && old[head] == now[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < old.size() - head && tail < now.size() - head &&
           old[old.size() - 1 - tail] == now[now.size() - 1 - tail]) {
        ++tail;
    }
    RowChange change;
    change.at = static_cast<int>(head);
    change.removed = static_cast<int>(old.size() - head - tail);
    for (std::size_t i = head; i < now.size() - tail; ++i) {
        change.inserted.append(qs(now[i]));
    }
    return change;
}

void applyLabel(QLabel* label, const Control& c, Shown& s, const Changes& changed) {
    if (changed(s.caption, c.caption)) {
        label->setText(plainCaption(c.caption));
    }
    if (changed(s.alignment, c.alignment)) {
        label->setAlignment(horizontal(c.alignment) | Qt::AlignTop);
    }
    if (changed(s.border, c.border)) {
        label->setFrameStyle(c.border ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
    }
}

void applyButton(QAbstractButton* button, const Control& c, Shown& s, const Changes& changed) {
    if (changed(s.caption, c.caption)) {
        button->setText(qs(c.caption));  // Qt reads "&" and "&&" as the original did
    }
    if (auto* push = qobject_cast<QPushButton*>(button)) {
        if (changed(s.isDefault, c.isDefault)) {
            push->setDefault(c.isDefault);
        }
    } else if (auto* check = qobject_cast<QCheckBox*>(button)) {
        if (changed(s.checked, c.checked)) {
            check->setCheckState(c.checked == 0   ? Qt::Unchecked
                                 : c.checked == 1 ? Qt::Checked
                                                  : Qt::PartiallyChecked);
        }
    } else if (changed(s.checked, c.checked)) {
        button->setChecked(c.checked != 0);
    }
}

void applyLineEdit(QLineEdit* edit, const Control& c, Shown& s, const Changes& changed) {
    if (changed(s.text, c.text) && edit->text() != qs(c.text)) {
        edit->setText(qs(c.text));
    }
    if (changed(s.passwordChar, c.passwordChar)) {
        edit->setEchoMode(c.passwordChar.empty() ? QLineEdit::Normal : QLineEdit::Password);
    }
    if (changed(s.maxLength, c.maxLength)) {
        edit->setMaxLength(c.maxLength > 0 ? c.maxLength : kLineEditNoLimit);
    }
    if (changed(s.locked, c.locked)) {
        edit->setReadOnly(c.locked);
    }
    if (changed(s.alignment, c.alignment)) {
        edit->setAlignment(horizontal(c.alignment) | Qt::AlignVCenter);
    }
}

void applyTextEdit(QPlainTextEdit* edit, const Control& c, Shown& s, const Changes& changed) {
    if (changed(s.text, c.text)) {
        const QString text = toEditorText(c.text);
        if (edit->toPlainText() != text) {
            edit->setPlainText(text);
        }
    }
    if (changed(s.locked, c.locked)) {
        edit->setReadOnly(c.locked);
    }
}

void applyList(QListWidget* list, const Control& c, Shown& s, const Changes& changed) {
    const bool itemsChanged = s.items != c.items;
    if (itemsChanged) {
        const RowChange change = rowChange(s.items, c.items);
        if (change.removed == list->count()) {
            list->clear();
        } else {
            for (int i = 0; i < change.removed; ++i) {
                delete list->takeItem(change.at);
            }
        }
        list->insertItems(change.at, change.inserted);
        s.items = c.items;
    }
    if ((changed(s.listIndex, c.listIndex) || itemsChanged) && list->currentRow() != c.listIndex) {
        list->setCurrentRow(c.listIndex);
    }
    if (changed(s.tabStops, c.tabStops)) {
        static_cast<TabStopDelegate*>(list->itemDelegate())->setTabStops(c.tabStops);
        list->viewport()->update();
    }
}

void applyCombo(QComboBox* combo, const Control& c, Shown& s, const Changes& changed) {
    if (changed(s.dropDownList, c.dropDownList)) {
        combo->setEditable(!c.dropDownList);
    }
    const bool itemsChanged = s.items != c.items;
    if (itemsChanged) {
        const RowChange change = rowChange(s.items, c.items);
        for (int i = 0; i < change.removed; ++i) {
            combo->removeItem(change.at);
        }
        combo->insertItems(change.at, change.inserted);
        s.items = c.items;
    }
    // Filling an empty combo box selects its first row: put the model's back.
    if ((changed(s.listIndex, c.listIndex) || itemsChanged) &&
        combo->currentIndex() != c.listIndex) {
        combo->setCurrentIndex(c.listIndex);
    }
    if (combo->isEditable() && (changed(s.text, c.text) || itemsChanged) &&
        combo->currentText() != qs(c.text)) {
        combo->setEditText(qs(c.text));
    }
}

void applyScrollBar(QScrollBar* bar, const Control& c, Shown& s, const Changes& changed) {
    const bool range = changed(s.min, c.min) | changed(s.max, c.max);
    if (range) {
        bar->setRange(std::min(c.min, c.max), std::max(c.min, c.max));
    }
    if (changed(s.value, c.value) || range) {
        bar->setValue(scrollToQt(c, c.value));
    }
    if (changed(s.smallChange, c.smallChange)) {
        bar->setSingleStep(std::max(1, c.smallChange));
    }
    if (changed(s.largeChange, c.largeChange)) {
        bar->setPageStep(std::max(1, c.largeChange));
    }
}

void applyPicture(PictureView* picture, const Control& c, Shown& s, const Changes& changed) {
    if (changed(s.border, c.border)) {
        picture->setFrameStyle(c.border ? QFrame::WinPanel | QFrame::Sunken : QFrame::NoFrame);
    }
    const std::uint64_t generation = c.surface != nullptr ? c.surface->generation() : 0;
    if ((changed(s.surface, c.surface) | changed(s.generation, generation)) != 0) {
        picture->update();
    }
}

}  // namespace

int TwipScale::pixelsX(int twips) const {
    return static_cast<int>(std::lround(static_cast<double>(twips) / x));
}

int TwipScale::pixelsY(int twips) const {
    return static_cast<int>(std::lround(static_cast<double>(twips) / y));
}

QRect TwipScale::pixels(int left, int top, int width, int height) const {
    return {pixelsX(left), pixelsY(top), pixelsX(width), pixelsY(height)};
}

QWidget* createControlWidget(Control& c, QWidget* parent) {
    switch (c.kind()) {
        case Kind::Label: {
            auto* label = new QLabel(parent);
            label->setTextFormat(Qt::PlainText);  // a "<" in a caption is text
            label->setWordWrap(true);
            label->setAutoFillBackground(true);
            return label;
        }
        case Kind::CommandButton: {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(false);
            return button;
        }
        case Kind::CheckBox: {
            auto* check = new QCheckBox(parent);
            check->setTristate(true);
            check->setAutoFillBackground(true);
            return check;
        }
        case Kind::OptionButton: {
            auto* option = new QRadioButton(parent);
            option->setAutoExclusive(false);  // the model selects and clears options
            option->setAutoFillBackground(true);
            return option;
        }
        case Kind::TextBox:
            if (c.multiLine) {
                auto* edit = new QPlainTextEdit(parent);
                edit->setTabChangesFocus(true);
                return edit;
            }
            return new QLineEdit(parent);
        case Kind::ListBox: {
            auto* list = new QListWidget(parent);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setUniformItemSizes(true);
            list->setItemDelegate(new TabStopDelegate(list));
            return list;
        }
        case Kind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setInsertPolicy(QComboBox::NoInsert);
            return combo;
        }
        case Kind::VScrollBar:
            return new QScrollBar(Qt::Vertical, parent);
        case Kind::HScrollBar:
            return new QScrollBar(Qt::Horizontal, parent);
        case Kind::Frame: {
            // A frame with an empty caption is a plain box: a group box without a
            // title draws just that, and the caption may be set later.
            auto* frame = new QGroupBox(parent);
            frame->setAutoFillBackground(true);
            return frame;
        }
        case Kind::PictureBox:
            return new PictureView(c, parent);
        case Kind::Menu:
            break;
    }
    return nullptr;
}

void applyControl(ControlView& view, const TwipScale& scale) {
    const Control& c = *view.control;
    QWidget* w = view.widget;
    Shown& s = view.shown;
    const Changes changed(view.fresh);

    if (changed(s.enabled, c.enabled)) {
        w->setEnabled(c.enabled);
    }
    if (changed(s.toolTip, c.toolTip)) {
        w->setToolTip(qs(c.toolTip));
    }
    if (!c.isScrollBar()) {
        if (changed.font(s.font, c.font)) {
            w->setFont(toQFont(c.font));
        }
        if ((changed(s.fore, c.fore) | changed(s.back, c.back)) != 0) {
            applyColours(w, c.kind(), c.fore, c.back);
        }
    }

    switch (c.kind()) {
        case Kind::Label:
            applyLabel(static_cast<QLabel*>(w), c, s, changed);
            break;
        case Kind::CommandButton:
        case Kind::CheckBox:
        case Kind::OptionButton:
            applyButton(static_cast<QAbstractButton*>(w), c, s, changed);
            break;
        case Kind::TextBox:
            if (auto* line = qobject_cast<QLineEdit*>(w)) {
                applyLineEdit(line, c, s, changed);
            } else {
                applyTextEdit(static_cast<QPlainTextEdit*>(w), c, s, changed);
            }
            break;
        case Kind::ListBox:
            applyList(static_cast<QListWidget*>(w), c, s, changed);
            break;
        case Kind::ComboBox:
            applyCombo(static_cast<QComboBox*>(w), c, s, changed);
            break;
        case Kind::VScrollBar:
        case Kind::HScrollBar:
            applyScrollBar(static_cast<QScrollBar*>(w), c, s, changed);
            break;
        case Kind::Frame:
            if (changed(s.caption, c.caption)) {
                static_cast<QGroupBox*>(w)->setTitle(qs(c.caption));
            }
            break;
        case Kind::PictureBox:
            applyPicture(static_cast<PictureView*>(w), c, s, changed);
            break;
        case Kind::Menu:
            break;
    }

    // A control never placed keeps the size its content asks for, at its
    // left/top (after the content, which that size depends on).
    const QRect rect = c.hasGeometry() ? scale.pixels(c.left, c.top, c.width, c.height)
                                       : QRect(QPoint(scale.pixelsX(c.left), scale.pixelsY(c.top)),
                                               view.fresh ? w->sizeHint() : s.rect.size());
    if (changed(s.rect, rect)) {
        w->setGeometry(rect);
    }
    if (changed(s.visible, c.visible)) {
        w->setVisible(c.visible);
    }
    view.fresh = false;
}

void applyMenu(ControlView& view) {
    QAction* action = view.action;
    if (action == nullptr) {
        return;
    }
    const Control& c = *view.control;
    Shown& s = view.shown;
    const Changes changed(view.fresh);
    if (changed(s.caption, c.caption)) {
        action->setSeparator(c.separator());
        action->setText(qs(c.caption));
    }
    if (changed(s.visible, c.visible)) {
        action->setVisible(c.visible);
    }
    if (changed(s.enabled, c.enabled)) {
        action->setEnabled(c.enabled);
    }
    // Only a checked entry is checkable: an unchecked one shows no box.
    if (view.menu == nullptr && changed(s.checked, c.checked)) {
        action->setCheckable(c.checked != 0);
        action->setChecked(c.checked != 0);
    }
    view.fresh = false;
}

int scrollToQt(const Control& bar, int modelValue) {
    return bar.min <= bar.max ? modelValue : bar.min + bar.max - modelValue;
}

int scrollFromQt(const Control& bar, int qtValue) {
    return scrollToQt(bar, qtValue);  // the mirror is its own inverse
}

QColor toQColor(Colour colour) {
    const Colour plain = resolveColour(colour);
    return {plain.red(), plain.green(), plain.blue()};
}

QFont toQFont(const forms::Font& font) {
    QString family = qs(font.name);
    for (const FontAlias& alias : kFontAliases) {
        if (family.compare(
                QLatin1String(alias.from.data(), static_cast<qsizetype>(alias.from.size())),
                Qt::CaseInsensitive) == 0) {
            family = QString::fromLatin1(alias.to);
            break;
        }
    }
    QFont q(family);
    q.setPointSizeF(font.size > 0 ? font.size : 8.25);
    q.setBold(font.bold);
    q.setItalic(font.italic);
    q.setUnderline(font.underline);
    return q;
}

QString plainCaption(const std::string& caption) {
    const QString in = qs(caption);
    QString out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == u'&') {
            if (i + 1 < in.size() && in[i + 1] == u'&') {
                out += u'&';
                ++i;
            }
            continue;
        }
        out += in[i];
    }
    return out;
}

QString toEditorText(const std::string& text) {
    QString q = qs(text);
    q.remove(u'\r');
    return q;
}

std::string fromEditorText(const QString& text) {
    QString q = text;
    q.replace(u'\n', QStringLiteral("\r\n"));
    return q.toStdString();
}

}  // namespace lec
