#pragma once

#include <QFrame>

#include "forms/control.h"

namespace lec {

// A picture box: its back colour, and over it the image of its surface when
// that is a QtSurface. The surface is read from the control at paint time, so
// a surface swapped or dropped by the behaviour is never drawn stale.
class PictureView : public QFrame {
public:
    explicit PictureView(const forms::Control& control, QWidget* parent = nullptr);

    // Where the surface's pixel 0,0 is drawn: inside the border.
    QPoint origin() const { return contentsRect().topLeft(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const forms::Control& control_;
};

}  // namespace lec
