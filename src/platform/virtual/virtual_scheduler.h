#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/scheduler.h"

namespace lec {

class VirtualTimer;

// Time that moves only when told to. Ticks fire in time order; ticks due at
// the same moment fire in the order their timers were started (a periodic
// timer keeps the place its start() gave it), then in creation order, so a run
// replays exactly.
//
// The scheduler must outlive its timers' use; a timer left over after the
// scheduler is gone becomes inert instead of dangling.
class VirtualScheduler : public Scheduler {
public:
    VirtualScheduler();
    ~VirtualScheduler() override;
    VirtualScheduler(const VirtualScheduler&) = delete;
    VirtualScheduler& operator=(const VirtualScheduler&) = delete;

    std::int64_t now() const override { return now_; }
    std::unique_ptr<Timer> createTimer(std::string name, int intervalMs,
                                       std::function<void()> handler = {}) override;
    void post(std::function<void()> task) override;

    // Runs every tick due up to now() + ms, each followed by the tasks it
    // posted; now() is the tick's due time while its handler runs and
    // old now() + ms at the end. Not to be called from a handler.
    void advance(std::int64_t ms);

    // Runs tick by tick until `predicate` holds or `limitMs` have passed. The
    // predicate is asked first, after every handler and every posted task, and
    // once more at the limit; on success now() stays at that moment.
    bool runUntil(const std::function<bool()>& predicate, std::int64_t limitMs);

    // Runs the posted tasks, including those they post in turn.
    void runPosted();

    std::size_t timersRunning() const { return heap_.size(); }
    // Names of the running timers, the next to fire first.
    std::vector<std::string> runningTimerNames() const;
    std::size_t tasksPending() const { return posted_.size(); }

private:
    friend class VirtualTimer;

    // Timer side.
    void arm(VirtualTimer& t);
    void disarm(VirtualTimer& t);
    void forget(VirtualTimer& t);

    bool fireNext(std::int64_t until);
    bool runOnePosted();

    // A binary min-heap of running timers keyed by (due, armSeq, createSeq);
    // each timer knows its slot so that stop() removes it at once, without
    // leaving stale entries behind.
    static bool before(const VirtualTimer* a, const VirtualTimer* b);
    void place(std::size_t slot, VirtualTimer* t);
    void siftUp(std::size_t slot);
    void siftDown(std::size_t slot);

    std::int64_t now_ = 0;
    std::uint64_t nextArmSeq_ = 0;
    std::uint64_t nextCreateSeq_ = 0;
    std::vector<VirtualTimer*> heap_;
    std::vector<VirtualTimer*> timers_;  // every live timer, to cut them loose on destruction
    std::deque<std::function<void()>> posted_;
    bool advancing_ = false;
};

}  // namespace lec
