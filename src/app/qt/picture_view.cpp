#include "app/qt/picture_view.h"

#include <QPainter>

#include "platform/qt/qt_surface.h"

namespace lec {

PictureView::PictureView(const forms::Control& control, QWidget* parent)
    : QFrame(parent), control_(control) {
}

void PictureView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(contentsRect(), palette().color(QPalette::Window));
    if (const auto* surface = dynamic_cast<const QtSurface*>(control_.surface)) {
        painter.setClipRect(contentsRect());
        painter.drawImage(origin(), surface->image());
        painter.setClipping(false);
    }
    drawFrame(&painter);
}

}  // namespace lec
