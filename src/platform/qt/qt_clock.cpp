#include "platform/qt/qt_clock.h"

#include <QDateTime>
#include <QLocale>

namespace lec {

QtClock::QtClock()
    : format_(ShortDateFormat::fromPattern(
          QLocale::system().dateFormat(QLocale::ShortFormat).toStdString())) {
}

DateTime QtClock::now() const {
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime h = t.time();
    return DateTime{d.year(), d.month(), d.day(), h.hour(), h.minute(), h.second()};
}

}  // namespace lec
