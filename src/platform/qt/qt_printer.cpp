#include "platform/qt/qt_printer.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace lec {

namespace {

bool isEmpty(const std::vector<std::vector<std::string>>& pages) {
    return pages.size() == 1 && pages.front().empty();
}

// One line under the other in a monospaced font, starting a new sheet where
// the document asked for one and where a sheet is full.
bool render(QPrinter& printer, const std::vector<std::vector<std::string>>& pages) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSize(10);
    painter.setFont(font);
    const QFontMetrics metrics(font, &printer);
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = painter.viewport().height();

    bool first = true;
    for (const auto& page : pages) {
        if (!first && !printer.newPage()) {
            return false;
        }
        first = false;
        int top = 0;
        for (const auto& line : page) {
            if (top > 0 && top + lineHeight > pageHeight) {
                if (!printer.newPage()) {
                    return false;
                }
                top = 0;
            }
            painter.drawText(0, top + metrics.ascent(),
                             QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
            top += lineHeight;
        }
    }
    return painter.end();
}

}  // namespace

QtPrinter::QtPrinter(std::string appFolder) : appFolder_(std::move(appFolder)) {
}

void QtPrinter::printLine(std::string_view utf8) {
    pages_.back().emplace_back(utf8);
}

void QtPrinter::newPage() {
    pages_.emplace_back();
}

void QtPrinter::endDoc() {
    auto pages = std::move(pages_);
    pages_.assign(1, {});
    if (isEmpty(pages)) {
        return;  // nothing was printed: no sheet comes out
    }

    const QPrinterInfo installed = QPrinterInfo::defaultPrinter();
    if (!installed.isNull()) {
        QPrinter printer(installed, QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("lecontrol"));
        lastDestination_ = render(printer, pages) ? installed.printerName().toStdString() : "";
        return;
    }

    const std::string path = pdfPath(appFolder_, QDateTime::currentDateTime());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setDocName(QStringLiteral("lecontrol"));
    lastDestination_ = render(printer, pages) ? path : "";
}

std::string QtPrinter::pdfPath(const std::string& folder, const QDateTime& at) {
    const QDir dir(QString::fromStdString(folder));
    const QString stem = QStringLiteral("Print-") + at.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = stem + QStringLiteral(".pdf");
    for (int n = 2; QFileInfo::exists(dir.filePath(name)); ++n) {
        name = stem + QStringLiteral("-%1.pdf").arg(n);
    }
    return dir.filePath(name).toStdString();
}

}  // namespace lec
