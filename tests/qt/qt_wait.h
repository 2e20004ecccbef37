#pragma once

#include <functional>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace lec::test {

// Runs the event loop until `done` holds or `limitMs` has passed; says whether
// it holds. Waits on a condition, never on a fixed time.
inline bool runEventsUntil(const std::function<bool()>& done, int limitMs = 2000) {
    const QDeadlineTimer deadline(limitMs);
    QTimer wake;  // so that the wait below ends by the deadline
    wake.start(std::max(1, limitMs));
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Runs what is ready now, deferred deletions included.
inline void runPendingEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace lec::test
