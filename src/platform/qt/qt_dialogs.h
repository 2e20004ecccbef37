#pragma once

#include <map>

#include <QPointer>
#include <QWidget>

#include "platform/dialogs.h"

class QMessageBox;

namespace lec {

// Open boxes as Qt message boxes. Each is shown without a nested event loop
// (the program's timers and serial events keep running while it is open) and
// reports its button through press(); a box answered by a script is taken off
// the screen by dismiss().
class QtDialogs : public Dialogs {
public:
    QtDialogs() = default;
    ~QtDialogs() override;
    QtDialogs(const QtDialogs&) = delete;
    QtDialogs& operator=(const QtDialogs&) = delete;

    // Boxes opened from now on are centred on this window (none: on the screen).
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    // The message box that shows box `id`, while it is open.
    QMessageBox* messageBox(int id) const;

protected:
    void present(const Box& box) override;
    void dismiss(int id) override;

private:
    QPointer<QWidget> parent_;
    std::map<int, QPointer<QMessageBox>> shown_;
};

}  // namespace lec
