#pragma once

#include <QElapsedTimer>
#include <QObject>

#include "platform/scheduler.h"

namespace lec {

// Timers on the Qt event loop. Every timer is a precise one: the 30 ms send
// timers must never fire early, which Qt's default coarse timers may do by up
// to a millisecond. Each interval is counted from the tick that ended the
// previous one, so two ticks are never closer than the interval, even after a
// late tick.
class QtScheduler : public Scheduler {
public:
    QtScheduler();
    ~QtScheduler() override;

    std::int64_t now() const override;
    std::unique_ptr<Timer> createTimer(std::string name, int intervalMs,
                                       std::function<void()> handler = {}) override;
    // Queued on the event loop; tasks still waiting when the scheduler goes are
    // dropped with it.
    void post(std::function<void()> task) override;

private:
    QElapsedTimer clock_;
    QObject context_;
};

}  // namespace lec
