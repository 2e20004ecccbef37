#include "platform/qt/qt_dialogs.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace lec {

namespace {

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Warning:
            return QMessageBox::Warning;
        case BoxIcon::Critical:
            return QMessageBox::Critical;
        case BoxIcon::Question:
            return QMessageBox::Question;
        case BoxIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole qtRole(BoxButton button) {
    switch (button) {
        case BoxButton::Ok:
            return QMessageBox::AcceptRole;
        case BoxButton::Yes:
            return QMessageBox::YesRole;
        case BoxButton::No:
            return QMessageBox::NoRole;
        case BoxButton::Cancel:
            return QMessageBox::RejectRole;
    }
    return QMessageBox::AcceptRole;
}

}  // namespace

QtDialogs::~QtDialogs() {
    for (auto& [id, box] : shown_) {
        if (box) {
            box->disconnect();
            delete box.data();
        }
    }
}

QMessageBox* QtDialogs::messageBox(int id) const {
    const auto it = shown_.find(id);
    return it == shown_.end() ? nullptr : it->second.data();
}

void QtDialogs::present(const Box& box) {
    auto* mb = new QMessageBox(qtIcon(box.icon), QString::fromStdString(box.title),
                               QString::fromStdString(box.text), QMessageBox::NoButton, parent_);
    mb->setAttribute(Qt::WA_DeleteOnClose);
    mb->setWindowModality(Qt::ApplicationModal);

    std::vector<BoxButton> buttons = box.buttons;
    if (buttons.empty()) {
        buttons.push_back(BoxButton::Ok);  // a box must be closable
    }
    std::vector<std::pair<QAbstractButton*, BoxButton>> mapping;
    mapping.reserve(buttons.size());
    for (const BoxButton b : buttons) {
        mapping.emplace_back(mb->addButton(QString::fromUtf8(buttonCaption(b)), qtRole(b)), b);
    }
    mb->setDefaultButton(static_cast<QPushButton*>(mapping.front().first));
    // Escape and the window's close button give the answer of the button that
    // means "no thanks"; a box without one cannot be closed that way.
    const auto escapeOf = [&](BoxButton b) -> QAbstractButton* {
        for (const auto& [qb, bb] : mapping) {
            if (bb == b) {
                return qb;
            }
        }
        return nullptr;
    };
    QAbstractButton* escape = escapeOf(BoxButton::Cancel);
    if (escape == nullptr) {
        escape = escapeOf(BoxButton::No);
    }
    if (escape == nullptr && mapping.size() == 1) {
        escape = mapping.front().first;
    }
    if (escape != nullptr) {
        mb->setEscapeButton(escape);
    }

    // finished() comes for a click, Escape and the close button alike; only a
    // click names the button.
    QObject::connect(mb, &QDialog::finished, mb, [this, id = box.id, mb, mapping] {
        QAbstractButton* pressed = mb->clickedButton();
        if (pressed == nullptr) {
            pressed = mb->escapeButton();
        }
        mb->deleteLater();
        if (shown_.erase(id) == 0) {
            return;  // dismissed already
        }
        for (const auto& [qb, bb] : mapping) {
            if (qb == pressed) {
                press(id, bb);
                return;
            }
        }
    });

    shown_[box.id] = mb;
    // Only now: adding buttons lays the box out again and resets its flags.
    mb->setWindowFlag(Qt::WindowStaysOnTopHint);
    mb->show();  // never exec(): no nested event loop
}

void QtDialogs::dismiss(int id) {
    const auto it = shown_.find(id);
    if (it == shown_.end()) {
        return;
    }
    QPointer<QMessageBox> mb = it->second;
    shown_.erase(it);
    if (mb) {
        QObject::disconnect(mb, &QDialog::finished, nullptr, nullptr);
        mb->hide();
        mb->deleteLater();  // we may be inside one of its signals
    }
}

}  // namespace lec
