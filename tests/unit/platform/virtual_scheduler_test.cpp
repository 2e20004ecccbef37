#include "platform/virtual/virtual_scheduler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace lec {
namespace {

using Times = std::vector<std::int64_t>;

class VirtualSchedulerTest : public ::testing::Test {
protected:
    // A timer that writes "<name>@<time>" into the shared log at each tick.
    std::unique_ptr<Timer> logging(const std::string& name, int interval) {
        return s.createTimer(name, interval, [this, name] { log(name); });
    }
    void log(const std::string& what) { events.push_back(what + "@" + std::to_string(s.now())); }

    VirtualScheduler s;
    std::vector<std::string> events;
};

TEST_F(VirtualSchedulerTest, PeriodicTimerFiresOnItsGridWithoutDrift) {
    s.advance(7);
    Times fired;
    auto t = s.createTimer("T", 30, [&] { fired.push_back(s.now()); });
    t->start();
    s.advance(95);
    EXPECT_EQ(fired, (Times{37, 67, 97}));
    EXPECT_EQ(s.now(), 102);
    // Advancing in small steps lands on the same grid.
    for (int i = 0; i < 10; ++i)
        s.advance(7);
    EXPECT_EQ(fired, (Times{37, 67, 97, 127, 157}));
    EXPECT_EQ(s.now(), 172);
}

TEST_F(VirtualSchedulerTest, TickDueAtTheEndOfAnAdvanceRuns) {
    auto t = logging("T", 10);
    t->start();
    s.advance(10);
    EXPECT_EQ(events, (std::vector<std::string>{"T@10"}));
}

TEST_F(VirtualSchedulerTest, SimultaneousTicksFireInStartOrderNotCreationOrder) {
    auto a = logging("A", 10);
    auto b = logging("B", 5);
    auto c = logging("C", 10);
    c->start();
    b->start();
    a->start();
    s.advance(10);
    // B was started before A and keeps that place on every later tick too.
    EXPECT_EQ(events, (std::vector<std::string>{"B@5", "C@10", "B@10", "A@10"}));
}

TEST_F(VirtualSchedulerTest, StartOnARunningTimerKeepsItsInterval) {
    auto t = logging("T", 100);
    t->start();
    s.advance(50);
    t->start();
    s.advance(60);
    EXPECT_EQ(events, (std::vector<std::string>{"T@100"}));
}

TEST_F(VirtualSchedulerTest, SetIntervalRestartsARunningTimerAndWaitsForAStoppedOne) {
    auto running = logging("R", 100);
    auto stopped = logging("S", 100);
    running->start();
    s.advance(50);
    running->setInterval(100);
    stopped->setInterval(20);
    EXPECT_FALSE(stopped->running());
    s.advance(100);
    EXPECT_EQ(events, (std::vector<std::string>{"R@150"}));
    stopped->start();
    s.advance(20);
    EXPECT_EQ(events.back(), "S@170");
}

TEST_F(VirtualSchedulerTest, HandlerSeesItsOwnTimerRunningAndCanMakeItAOneShot) {
    std::unique_ptr<Timer> t;
    int ticks = 0;
    t = s.createTimer("once", 10, [&] {
        ++ticks;
        EXPECT_TRUE(t->running());
        t->stop();
    });
    t->start();
    s.advance(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(s.timersRunning(), 0u);
}

TEST_F(VirtualSchedulerTest, HandlerMayDestroyItsOwnTimerAndOthersDueAtTheSameMoment) {
    std::unique_ptr<Timer> self;
    std::unique_ptr<Timer> victim = logging("victim", 10);
    self = s.createTimer("self", 10, [&] {
        log("self");
        victim.reset();
        self.reset();
    });
    self->start();
    victim->start();
    s.advance(50);
    EXPECT_EQ(events, (std::vector<std::string>{"self@10"}));
    EXPECT_EQ(s.timersRunning(), 0u);
}

TEST_F(VirtualSchedulerTest, HandlerMayReplaceItsOwnHandler) {
    std::unique_ptr<Timer> t;
    std::string tag = "first";
    t = s.createTimer("T", 10, [&, tag] {
        log(tag);
        t->setHandler([&] { log("second"); });
    });
    t->start();
    s.advance(20);
    EXPECT_EQ(events, (std::vector<std::string>{"first@10", "second@20"}));
}

TEST_F(VirtualSchedulerTest, TimersCreatedAndStartedInAHandlerCountFromThatTick) {
    std::vector<std::unique_ptr<Timer>> made;
    auto parent = s.createTimer("parent", 10, [&] {
        if (made.empty()) {
            made.push_back(logging("child", 5));
            made.back()->start();
        }
    });
    parent->start();
    s.advance(25);
    EXPECT_EQ(events, (std::vector<std::string>{"child@15", "child@20", "child@25"}));
}

TEST_F(VirtualSchedulerTest, PostedTasksRunAfterTheHandlerInOrderBeforeTimeMoves) {
    auto other = logging("other", 10);
    auto t = s.createTimer("T", 10, [&] {
        s.post([&] {
            log("task1");
            s.post([&] { log("task3"); });
        });
        s.post([&] { log("task2"); });
        log("handler");
    });
    t->start();
    other->start();
    s.advance(10);
    EXPECT_EQ(events, (std::vector<std::string>{"handler@10", "task1@10", "task2@10", "task3@10",
                                                "other@10"}));
}

TEST_F(VirtualSchedulerTest, TasksPostedFromOutsideWaitForTheNextRun) {
    s.post([&] { log("a"); });
    s.post([&] { log("b"); });
    EXPECT_TRUE(events.empty());
    s.runPosted();
    EXPECT_EQ(events, (std::vector<std::string>{"a@0", "b@0"}));

    auto t = logging("T", 5);
    t->start();
    s.post([&] { log("c"); });
    s.advance(5);
    EXPECT_EQ(events, (std::vector<std::string>{"a@0", "b@0", "c@0", "T@5"}));
}

TEST_F(VirtualSchedulerTest, RunUntilStopsAtTheTickThatMakesThePredicateTrue) {
    int ticks = 0;
    auto t = s.createTimer("T", 30, [&] { ++ticks; });
    t->start();
    EXPECT_TRUE(s.runUntil([&] { return ticks == 3; }, 1000));
    EXPECT_EQ(s.now(), 90);
    // Already true: nothing runs, no time passes.
    EXPECT_TRUE(s.runUntil([&] { return ticks >= 3; }, 1000));
    EXPECT_EQ(s.now(), 90);
}

TEST_F(VirtualSchedulerTest, RunUntilChecksAfterEachPostedTask) {
    bool done = false;
    int later = 0;
    auto t = s.createTimer("T", 10, [&] {
        s.post([&] { done = true; });
        s.post([&] { ++later; });
    });
    t->start();
    EXPECT_TRUE(s.runUntil([&] { return done; }, 100));
    EXPECT_EQ(s.now(), 10);
    EXPECT_EQ(later, 0);
    EXPECT_EQ(s.tasksPending(), 1u);
}

TEST_F(VirtualSchedulerTest, RunUntilGivesUpAtTheLimit) {
    int ticks = 0;
    auto t = s.createTimer("T", 30, [&] { ++ticks; });
    t->start();
    EXPECT_FALSE(s.runUntil([] { return false; }, 100));
    EXPECT_EQ(s.now(), 100);
    EXPECT_EQ(ticks, 3);
    // A condition on time alone holds once the limit is reached.
    EXPECT_TRUE(s.runUntil([&] { return s.now() >= 150; }, 50));
}

TEST_F(VirtualSchedulerTest, ListsRunningTimersNextToFireFirst) {
    auto a = logging("A", 50);
    auto b = logging("B", 20);
    auto c = logging("C", 30);
    a->start();
    b->start();
    c->start();
    c->stop();
    EXPECT_EQ(s.timersRunning(), 2u);
    EXPECT_EQ(s.runningTimerNames(), (std::vector<std::string>{"B", "A"}));
}

TEST_F(VirtualSchedulerTest, ZeroIntervalTimerRunsButNeverTicksUntilGivenAnInterval) {
    auto t = logging("Z", 0);
    t->start();
    s.advance(24LL * 3600 * 1000);
    EXPECT_TRUE(t->running());
    EXPECT_TRUE(events.empty());
    t->setInterval(5);
    s.advance(5);
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(VirtualSchedulerTest, ManyTimersKeepTheirOrderThroughStopsAndRestarts) {
    // Each tick of timer i restarts timer 5i mod n, which moves it inside the
    // heap; every timer must still fire exactly when a plain model says.
    constexpr int kCount = 40;
    std::vector<std::unique_ptr<Timer>> timers;
    std::vector<std::int64_t> due(kCount);
    for (int i = 0; i < kCount; ++i) {
        timers.push_back(s.createTimer("T" + std::to_string(i), 3 + i % 7));
    }
    for (int i = 0; i < kCount; ++i) {
        timers[i]->setHandler([&, i] {
            EXPECT_EQ(s.now(), due[i]) << "timer " << i;
            events.push_back(std::to_string(i));
            due[i] += timers[i]->interval();
            const int other = (i * 5) % kCount;
            if (other != i) {
                timers[other]->stop();
                timers[other]->start();
                due[other] = s.now() + timers[other]->interval();
            }
        });
        timers[i]->start();
        due[i] = timers[i]->interval();
    }
    s.advance(500);
    EXPECT_GT(events.size(), 1000u);
    EXPECT_EQ(s.timersRunning(), static_cast<std::size_t>(kCount));
    for (int i = 0; i < kCount; ++i)
        EXPECT_GT(due[i], 500) << "timer " << i << " missed a tick";
}

TEST(VirtualSchedulerLifetime, TimerOutlivingItsSchedulerIsInert) {
    std::unique_ptr<Timer> t;
    {
        VirtualScheduler s;
        t = s.createTimer("T", 10, [] {});
        t->start();
    }
    EXPECT_FALSE(t->running());
    t->start();
    t->setInterval(5);
    EXPECT_FALSE(t->running());
}

}  // namespace
}  // namespace lec
