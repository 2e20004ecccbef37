#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include <QElapsedTimer>

#include "platform/qt/qt_scheduler.h"
#include "qt/qt_wait.h"

namespace lec {
namespace {

using test::runEventsUntil;

TEST(QtScheduler, PreciseTimerNeverFiresBeforeItsInterval) {
    QtScheduler scheduler;
    constexpr int kInterval = 30;
    constexpr int kTicks = 20;
    constexpr qint64 kIntervalNs = kInterval * 1'000'000LL;
    QElapsedTimer real;
    std::vector<qint64> ticksNs;
    std::vector<std::int64_t> ticksMs;
    auto timer = scheduler.createTimer("Send", kInterval, [&] {
        ticksNs.push_back(real.nsecsElapsed());
        ticksMs.push_back(scheduler.now());
    });
    const std::int64_t startMs = scheduler.now();
    real.start();
    timer->start();
    ASSERT_TRUE(runEventsUntil([&] { return ticksNs.size() >= kTicks; }, 5000));
    timer->stop();

    std::vector<double> lateMs;
    for (std::size_t k = 0; k < ticksNs.size(); ++k) {
        const qint64 n = static_cast<qint64>(k) + 1;
        EXPECT_GE(ticksNs[k], n * kIntervalNs) << "tick " << n;
        EXPECT_GE(ticksMs[k] - startMs, n * kInterval) << "tick " << n;
        if (k > 0) {
            // Each interval is counted from the previous tick, so a late tick
            // never makes the next one come sooner. The next interval starts
            // when the tick fires, a few microseconds before the handler reads
            // the clock: that is all the slack allowed here.
            const qint64 gap = ticksNs[k] - ticksNs[k - 1];
            EXPECT_GE(gap, kIntervalNs - 100'000) << "gap before tick " << n;
            lateMs.push_back(static_cast<double>(gap - kIntervalNs) / 1e6);
        }
    }
    std::sort(lateMs.begin(), lateMs.end());
    std::cout << "[ figures  ] 30 ms timer, lateness of each interval: median "
              << lateMs[lateMs.size() / 2] << " ms, max " << lateMs.back() << " ms\n";
}

// Three timers started together; at the first tick of "Poke", something is
// done to "Subject". Timers due at once fire in the order of their deadlines,
// so the order of Subject and the 210 ms "Witness" tells whether Subject's
// interval was restarted, however busy the machine is.
struct RestartCase {
    const char* name;
    std::function<void(Timer&)> poke;
    std::vector<std::string> order;
};

class QtTimerRestart : public ::testing::TestWithParam<RestartCase> {};

TEST_P(QtTimerRestart, KeepsOrRestartsTheInterval) {
    QtScheduler scheduler;
    std::vector<std::string> order;
    std::unique_ptr<Timer> subject;
    std::unique_ptr<Timer> witness;
    std::unique_ptr<Timer> poke;
    const auto once = [&](std::unique_ptr<Timer>& t, const char* name) {
        return [&t, &order, name] {
            order.emplace_back(name);
            t->stop();
        };
    };
    subject = scheduler.createTimer("Subject", 200, once(subject, "Subject"));
    witness = scheduler.createTimer("Witness", 210, once(witness, "Witness"));
    poke = scheduler.createTimer("Poke", 20, [&] {
        order.emplace_back("Poke");
        poke->stop();
        GetParam().poke(*subject);
    });
    subject->start();
    witness->start();
    poke->start();
    ASSERT_TRUE(runEventsUntil([&] { return order.size() == 3; }, 5000));
    EXPECT_EQ(order, GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(Cases, QtTimerRestart,
                         ::testing::Values(RestartCase{"StartOnRunningTimerDoesNothing",
                                                       [](Timer& t) { t.start(); },
                                                       {"Poke", "Subject", "Witness"}},
                                           RestartCase{"SetEnabledOnRunningTimerDoesNothing",
                                                       [](Timer& t) { t.setEnabled(true); },
                                                       {"Poke", "Subject", "Witness"}},
                                           RestartCase{"SetIntervalRestartsRunningTimer",
                                                       [](Timer& t) { t.setInterval(200); },
                                                       {"Poke", "Witness", "Subject"}},
                                           RestartCase{"StopThenStartRestarts",
                                                       [](Timer& t) {
                                                           t.stop();
                                                           t.start();
                                                       },
                                                       {"Poke", "Witness", "Subject"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A fourth of a second of ticks of the end timer: long enough for many ticks
// of a 5 ms timer that failed to stop.
bool runUntilEnd(QtScheduler& scheduler) {
    bool ended = false;
    auto end = scheduler.createTimer("End", 250, [&] { ended = true; });
    end->start();
    return runEventsUntil([&] { return ended; }, 5000);
}

TEST(QtScheduler, OneShotStopsItselfInItsHandler) {
    QtScheduler scheduler;
    int ticks = 0;
    std::unique_ptr<Timer> timer;
    timer = scheduler.createTimer("Once", 5, [&] {
        ++ticks;
        timer->stop();
        EXPECT_FALSE(timer->running());
    });
    timer->start();
    EXPECT_TRUE(timer->running());
    ASSERT_TRUE(runUntilEnd(scheduler));
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer->running());
}

TEST(QtScheduler, HandlerMayDestroyItsOwnTimer) {
    QtScheduler scheduler;
    int ticks = 0;
    std::unique_ptr<Timer> timer;
    std::string captured = "a capture that must outlive the handler's own destruction";
    timer = scheduler.createTimer("Gone", 5, [&ticks, &timer, captured] {
        ++ticks;
        timer.reset();
        EXPECT_FALSE(captured.empty());
    });
    timer->start();
    ASSERT_TRUE(runUntilEnd(scheduler));
    test::runPendingEvents();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(timer, nullptr);
}

TEST(QtScheduler, DestroyedOrStoppedTimerNeverTicks) {
    QtScheduler scheduler;
    int ticks = 0;
    auto destroyed = scheduler.createTimer("Destroyed", 5, [&] { ++ticks; });
    auto stopped = scheduler.createTimer("Stopped", 5, [&] { ++ticks; });
    auto silent = scheduler.createTimer("Silent", 0, [&] { ++ticks; });
    destroyed->start();
    stopped->start();
    silent->start();  // an interval of 0 keeps the timer quiet
    destroyed.reset();
    stopped->stop();
    ASSERT_TRUE(runUntilEnd(scheduler));
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(silent->running());
}

TEST(QtScheduler, PostedTasksRunAfterTheHandlerInOrder) {
    QtScheduler scheduler;
    std::vector<int> ran;
    bool handlerDone = false;
    std::unique_ptr<Timer> timer;
    timer = scheduler.createTimer("Poster", 5, [&] {
        timer->stop();
        scheduler.post([&] { ran.push_back(1); });
        scheduler.post([&] {
            ran.push_back(2);
            scheduler.post([&] { ran.push_back(3); });
        });
        EXPECT_TRUE(ran.empty());
        handlerDone = true;
    });
    timer->start();
    ASSERT_TRUE(runEventsUntil([&] { return ran.size() == 3; }));
    EXPECT_TRUE(handlerDone);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST(QtScheduler, TasksStillPostedWhenTheSchedulerGoesAreDropped) {
    bool ran = false;
    {
        QtScheduler scheduler;
        scheduler.post([&] { ran = true; });
    }
    test::runPendingEvents();
    EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace lec
