#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lec {

// A periodic tick on the one event thread. start() on a running timer does
// nothing: it does not restart the interval (several pieces rely on that).
// A one-shot is a timer whose handler stops it. A running timer with an
// interval of 0 never ticks, as the original timer control did.
class Timer {
public:
    virtual ~Timer() = default;

    virtual const std::string& name() const = 0;
    virtual int interval() const = 0;
    // Takes effect at the next start(); a running timer is restarted with the
    // new interval, as the original timer control did.
    virtual void setInterval(int ms) = 0;
    virtual void setHandler(std::function<void()> handler) = 0;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;

    // Enabled-property style: start() or stop().
    void setEnabled(bool on) { on ? start() : stop(); }
};

// Owns time. All handlers run one after another on the one event thread.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    // Milliseconds since the scheduler was created (monotonic).
    virtual std::int64_t now() const = 0;

    // A stopped timer; the caller owns it. Destroying a timer stops it.
    virtual std::unique_ptr<Timer> createTimer(std::string name, int intervalMs,
                                               std::function<void()> handler = {}) = 0;

    // Runs `task` once, after the current handler has returned (never inside it).
    virtual void post(std::function<void()> task) = 0;
};

}  // namespace lec
