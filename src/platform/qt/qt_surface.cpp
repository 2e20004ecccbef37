#include "platform/qt/qt_surface.h"

#include <algorithm>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QSaveFile>

namespace lec {

namespace {

QColor qtColour(Colour c) {
    const Colour plain = resolveColour(c);
    return QColor(plain.red(), plain.green(), plain.blue());
}

// Hard edges everywhere: charts are compared pixel by pixel and saved as BMP.
void beginCrisp(QPainter& p, Colour c) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    QPen pen(qtColour(c));
    pen.setWidth(1);
    p.setPen(pen);
}

}  // namespace

QtSurface::QtSurface(int width, int height, Colour background)
    : image_(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32) {
    image_.fill(qtColour(background));
    touched();
}

void QtSurface::clear(Colour background) {
    image_.fill(qtColour(background));
    touched();
}

void QtSurface::point(int x, int y, Colour c) {
    if (image_.valid(x, y)) {
        image_.setPixel(x, y, qtColour(c).rgb());
    }
    touched();
}

void QtSurface::line(int x1, int y1, int x2, int y2, Colour c) {
    {
        QPainter p(&image_);
        beginCrisp(p, c);
        p.drawLine(x1, y1, x2, y2);
    }
    // Both ends belong to the line whatever the pen's cap does with them.
    const QRgb rgb = qtColour(c).rgb();
    if (image_.valid(x1, y1)) {
        image_.setPixel(x1, y1, rgb);
    }
    if (image_.valid(x2, y2)) {
        image_.setPixel(x2, y2, rgb);
    }
    touched();
}

void QtSurface::fillBox(int x1, int y1, int x2, int y2, Colour c) {
    // Straight into the pixels: boxes are drawn on every status frame, and a
    // painter costs far more than the few pixels it would fill.
    const QRect box = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                            QPoint(std::max(x1, x2), std::max(y1, y2)))
                          .intersected(image_.rect());
    const QRgb rgb = qtColour(c).rgb();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + box.left(), row + box.right() + 1, rgb);
    }
    touched();
}

void QtSurface::text(int x, int y, std::string_view utf8, Colour c, int pointSize) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(std::max(pointSize, 1));
    font.setStyleStrategy(QFont::NoAntialias);
    {
        QPainter p(&image_);
        beginCrisp(p, c);
        p.setFont(font);
        const int ascent = QFontMetrics(font, &image_).ascent();
        p.drawText(x, y + ascent,
                   QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
    touched();
}

Colour QtSurface::pixel(int x, int y) const {
    if (!image_.valid(x, y)) {
        return Colour{0xFFFFFFFFu};
    }
    const QRgb p = image_.pixel(x, y);
    return Colour::rgb(qRed(p), qGreen(p), qBlue(p));
}

bool QtSurface::saveBmp(const std::string& path) const {
    // Written beside the target and renamed over it: a reader never sees half a picture.
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    if (!image_.save(&file, "BMP")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

std::unique_ptr<Surface> QtSurfaceFactory::createSurface(int width, int height, Colour background) {
    return std::make_unique<QtSurface>(width, height, background);
}

}  // namespace lec
