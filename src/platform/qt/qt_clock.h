#pragma once

#include "platform/clock.h"

namespace lec {

// The local time of the machine; the date order and separator of the system
// locale, read once (the activity log keeps one layout for a whole run).
class QtClock : public Clock {
public:
    QtClock();

    DateTime now() const override;
    ShortDateFormat dateFormat() const override { return format_; }

private:
    ShortDateFormat format_;
};

}  // namespace lec
