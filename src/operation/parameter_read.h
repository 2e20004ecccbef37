#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

// The FADEC parameter read that a start does before it gives its order. The
// handshake (SelectedLe, TransferState, TransferDone) is single, so only one
// such read is in progress at a time; a start that finds one going waits in
// line for its turn. A FADEC that does not answer within kLimitMs gives up
// the read: the user is told, the handshake is released and the next start
// in line goes on.
class ParameterRead {
public:
    static constexpr int kLimitMs = 10000;

    enum class Outcome {
        Read,      // the table arrived and its confirmation has closed
        NoAnswer,  // the time limit ran out first
        Dropped,   // when its turn came the start no longer wanted it
    };
    using Done = std::function<void(Outcome)>;

    ParameterRead(forms::Form& log, Platform& platform, Channels& channels,
                  ActivityLog& activityLog);

    // Reads LE index `le`'s table now, or after the reads already in line.
    // `stillWanted` (may be empty) is asked when a read that had to wait gets
    // its turn; `done` runs once, with how the read ended.
    void request(int le, Done done, std::function<bool()> stillWanted = {});
    // A read is in progress (and maybe others wait behind it).
    bool busy() const { return current_.has_value(); }
    // The confirmation window has closed (TransferDone is now 1).
    void confirmed();

private:
    struct Request {
        int le = 0;
        Done done;
        std::function<bool()> stillWanted;
    };

    void begin(Request request);
    void noAnswer();
    void finish(Outcome outcome);
    void beginNext();

    Platform& platform_;
    Channels& channels_;
    ActivityLog& activityLog_;
    Timer& limit_;
    std::optional<Request> current_;
    std::deque<Request> waiting_;
};

}  // namespace lec
