#include "platform/virtual/virtual_scheduler.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <utility>

namespace lec {

namespace {

constexpr std::size_t kNotRunning = std::numeric_limits<std::size_t>::max();

// Restores the flag however the run ends (a handler may throw in a test).
class Busy {
public:
    explicit Busy(bool& flag) : flag_(flag) {
        assert(!flag_ && "advance() and runUntil() are not re-entrant");
        flag_ = true;
    }
    ~Busy() { flag_ = false; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& flag_;
};

}  // namespace

class VirtualTimer final : public Timer {
public:
    VirtualTimer(VirtualScheduler& scheduler, std::string name, int intervalMs,
                 std::function<void()> handler, std::uint64_t createSeq)
        : scheduler_(&scheduler),
          name_(std::move(name)),
          interval_(intervalMs),
          handler_(shared(std::move(handler))),
          createSeq_(createSeq) {}

    ~VirtualTimer() override {
        if (scheduler_ == nullptr)
            return;
        if (heapSlot_ != kNotRunning)
            scheduler_->disarm(*this);
        scheduler_->forget(*this);
    }

    VirtualTimer(const VirtualTimer&) = delete;
    VirtualTimer& operator=(const VirtualTimer&) = delete;

    const std::string& name() const override { return name_; }
    int interval() const override { return interval_; }

    void setInterval(int ms) override {
        interval_ = ms;
        if (running()) {
            scheduler_->disarm(*this);
            scheduler_->arm(*this);
        }
    }

    void setHandler(std::function<void()> handler) override {
        handler_ = shared(std::move(handler));
    }

    void start() override {
        if (scheduler_ != nullptr && !running())
            scheduler_->arm(*this);
    }

    void stop() override {
        if (running())
            scheduler_->disarm(*this);
    }

    bool running() const override { return heapSlot_ != kNotRunning; }

    // An interval of 0 leaves the timer running but silent, as the original
    // timer control did: its tick lies beyond any run.
    std::int64_t period() const { return interval_ > 0 ? interval_ : kSilentPeriod; }
    static constexpr std::int64_t kSilentPeriod = std::int64_t{1} << 50;

private:
    friend class VirtualScheduler;

    // Shared so that a tick keeps the handler alive while it runs, even when
    // the handler replaces itself or destroys its timer.
    static std::shared_ptr<const std::function<void()>> shared(std::function<void()> handler) {
        if (!handler)
            return nullptr;
        return std::make_shared<const std::function<void()>>(std::move(handler));
    }

    VirtualScheduler* scheduler_;
    std::string name_;
    int interval_;
    std::shared_ptr<const std::function<void()>> handler_;

    std::int64_t due_ = 0;
    std::uint64_t armSeq_ = 0;
    std::uint64_t createSeq_;
    std::size_t heapSlot_ = kNotRunning;
    std::size_t registrySlot_ = 0;
};

VirtualScheduler::VirtualScheduler() = default;

VirtualScheduler::~VirtualScheduler() {
    for (VirtualTimer* t : timers_) {
        t->scheduler_ = nullptr;
        t->heapSlot_ = kNotRunning;
    }
}

std::unique_ptr<Timer> VirtualScheduler::createTimer(std::string name, int intervalMs,
                                                     std::function<void()> handler) {
    auto timer = std::make_unique<VirtualTimer>(*this, std::move(name), intervalMs,
                                                std::move(handler), nextCreateSeq_++);
    timer->registrySlot_ = timers_.size();
    timers_.push_back(timer.get());
    return timer;
}

void VirtualScheduler::post(std::function<void()> task) {
    if (task)
        posted_.push_back(std::move(task));
}

void VirtualScheduler::advance(std::int64_t ms) {
    Busy busy(advancing_);
    const std::int64_t until = now_ + std::max<std::int64_t>(ms, 0);
    while (runOnePosted()) {
    }
    while (fireNext(until)) {
        while (runOnePosted()) {
        }
    }
    now_ = until;
}

bool VirtualScheduler::runUntil(const std::function<bool()>& predicate, std::int64_t limitMs) {
    Busy busy(advancing_);
    if (predicate())
        return true;
    const std::int64_t until = now_ + std::max<std::int64_t>(limitMs, 0);
    while (runOnePosted()) {
        if (predicate())
            return true;
    }
    while (fireNext(until)) {
        if (predicate())
            return true;
        while (runOnePosted()) {
            if (predicate())
                return true;
        }
    }
    now_ = until;
    return predicate();
}

void VirtualScheduler::runPosted() {
    // Inside a handler the tasks must wait until it returns; the run in
    // progress takes them then.
    if (advancing_)
        return;
    Busy busy(advancing_);
    while (runOnePosted()) {
    }
}

std::vector<std::string> VirtualScheduler::runningTimerNames() const {
    std::vector<VirtualTimer*> order = heap_;
    std::sort(order.begin(), order.end(), before);
    std::vector<std::string> names;
    names.reserve(order.size());
    for (const VirtualTimer* t : order)
        names.push_back(t->name_);
    return names;
}

bool VirtualScheduler::fireNext(std::int64_t until) {
    if (heap_.empty() || heap_.front()->due_ > until)
        return false;
    VirtualTimer* t = heap_.front();
    now_ = t->due_;
    // Re-armed before the handler runs, from the due time rather than from
    // when the handler ends: a periodic timer does not drift, and the handler
    // sees its timer running (and may stop it).
    t->due_ += t->period();
    siftDown(0);
    const auto handler = t->handler_;  // the timer may be gone once it returns
    if (handler)
        (*handler)();
    return true;
}

bool VirtualScheduler::runOnePosted() {
    if (posted_.empty())
        return false;
    std::function<void()> task = std::move(posted_.front());
    posted_.pop_front();
    task();
    return true;
}

void VirtualScheduler::arm(VirtualTimer& t) {
    t.due_ = now_ + t.period();
    t.armSeq_ = nextArmSeq_++;
    heap_.push_back(&t);
    t.heapSlot_ = heap_.size() - 1;
    siftUp(t.heapSlot_);
}

void VirtualScheduler::disarm(VirtualTimer& t) {
    const std::size_t slot = t.heapSlot_;
    VirtualTimer* last = heap_.back();
    heap_.pop_back();
    t.heapSlot_ = kNotRunning;
    if (last == &t)
        return;
    place(slot, last);
    siftUp(slot);
    siftDown(last->heapSlot_);
}

void VirtualScheduler::forget(VirtualTimer& t) {
    VirtualTimer* last = timers_.back();
    timers_[t.registrySlot_] = last;
    last->registrySlot_ = t.registrySlot_;
    timers_.pop_back();
}

bool VirtualScheduler::before(const VirtualTimer* a, const VirtualTimer* b) {
    if (a->due_ != b->due_)
        return a->due_ < b->due_;
    if (a->armSeq_ != b->armSeq_)
        return a->armSeq_ < b->armSeq_;
    return a->createSeq_ < b->createSeq_;
}

void VirtualScheduler::place(std::size_t slot, VirtualTimer* t) {
    heap_[slot] = t;
    t->heapSlot_ = slot;
}

void VirtualScheduler::siftUp(std::size_t slot) {
    VirtualTimer* t = heap_[slot];
    while (slot > 0) {
        const std::size_t parent = (slot - 1) / 2;
        if (!before(t, heap_[parent]))
            break;
        place(slot, heap_[parent]);
        slot = parent;
    }
    place(slot, t);
}

void VirtualScheduler::siftDown(std::size_t slot) {
    VirtualTimer* t = heap_[slot];
    const std::size_t size = heap_.size();
    for (;;) {
        std::size_t child = 2 * slot + 1;
        if (child >= size)
            break;
        if (child + 1 < size && before(heap_[child + 1], heap_[child]))
            ++child;
        if (!before(heap_[child], t))
            break;
        place(slot, heap_[child]);
        slot = child;
    }
    place(slot, t);
}

}  // namespace lec
