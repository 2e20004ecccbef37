#pragma once

#include <cstdint>

#include "platform/clock.h"
#include "platform/scheduler.h"

namespace lec {

// The calendar of a virtual run: a fixed start plus the scheduler's time, so
// that midnight, month ends and leap days come exactly when the run reaches
// them.
class VirtualClock : public Clock {
public:
    VirtualClock(const Scheduler& scheduler, DateTime start, ShortDateFormat format = {});

    DateTime now() const override;
    ShortDateFormat dateFormat() const override { return format_; }

    void setDateFormat(ShortDateFormat format) { format_ = format; }
    // From the scheduler's present moment on, the calendar reads `t` (a test
    // jumps to just before midnight this way).
    void setNow(const DateTime& t);

private:
    const Scheduler& scheduler_;
    std::int64_t startSeconds_;  // seconds since 1970-01-01 00:00:00 at scheduler time 0
    ShortDateFormat format_;
};

}  // namespace lec
