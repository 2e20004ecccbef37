#include "platform/qt/qt_dialogs.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

namespace lec {

namespace {

QMessageBox::Icon qtIcon(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Information: return QMessageBox::Information;
    case BoxIcon::Warning: return QMessageBox::Warning;
    case BoxIcon::Critical: return QMessageBox::Critical;
    case BoxIcon::Question: return QMessageBox::Question;
    case BoxIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole qtRole(BoxButton button) {
    switch (button) {
    case BoxButton::Ok: return QMessageBox::AcceptRole;
    case BoxButton::Yes: return QMessageBox::YesRole;
    case BoxButton::No: return QMessageBox::NoRole;
    case BoxButton::Cancel: return QMessageBox::RejectRole;
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
    mb->setWindowFlag(Qt::WindowStaysOnTopHint);
    mb->setWindowModality(Qt::ApplicationModal);

    std::vector<BoxButton> buttons = box.buttons;
    if (buttons.empty()) {
        buttons.push_back(BoxButton::Ok);  // a box must be closable
    }
    for (const BoxButton b : buttons) {
        QPushButton* pb = mb->addButton(QString::fromUtf8(buttonCaption(b)), qtRole(b));
        QObject::connect(pb, &QAbstractButton::clicked, mb,
                         [this, id = box.id, b] { clicked(id, b); });
        if (b == buttons.front()) {
            mb->setDefaultButton(pb);
        }
    }

    shown_[box.id] = mb;
    mb->show();  // never exec(): no nested event loop
}

void QtDialogs::clicked(int id, BoxButton button) {
    // The box closes itself after this click: forget it first so that the
    // dismiss() which press() calls leaves it alone.
    shown_.erase(id);
    press(id, button);
}

void QtDialogs::dismiss(int id) {
    const auto it = shown_.find(id);
    if (it == shown_.end()) {
        return;
    }
    QPointer<QMessageBox> mb = it->second;
    shown_.erase(it);
    if (mb) {
        mb->disconnect(this);
        mb->hide();
        mb->deleteLater();  // we may be inside one of its signals
    }
}

}  // namespace lec
