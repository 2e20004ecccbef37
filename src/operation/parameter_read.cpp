#include "operation/parameter_read.h"

#include <utility>

namespace lec {

namespace {

constexpr Byte kReadRequest = 2;

// What the status decoder confirms when the table of LE index `le` arrived. A
// confirmation with another text (a parameter write, a read of another
// engine) does not end this read.
std::string readConfirmation(int le) {
    return "Reading the settings on " + leText(le) + " went well ! ";
}

}  // namespace

ParameterRead::ParameterRead(forms::Form& log, Platform& platform, Channels& channels,
                             ActivityLog& activityLog)
    : platform_(platform),
      channels_(channels),
      activityLog_(activityLog),
      limit_(log.addTimer(platform.scheduler.createTimer("ReadLimit", kLimitMs))) {
    limit_.setHandler([this] { noAnswer(); });
}

void ParameterRead::request(int le, Done done, std::function<bool()> stillWanted) {
    Request request{le, std::move(done), std::move(stillWanted)};
    if (current_ || !waiting_.empty()) {
        waiting_.push_back(std::move(request));
        return;
    }
    begin(std::move(request));
}

void ParameterRead::begin(Request request) {
    channels_.TransferDone = 0;
    channels_.SelectedLe = static_cast<Byte>(request.le + 1);
    channels_.TransferState = kReadRequest;
    current_ = std::move(request);
    limit_.start();
}

void ParameterRead::confirmed() {
    if (current_ && channels_.TransferMessage == readConfirmation(current_->le)) {
        finish(Outcome::Read);
    }
}

void ParameterRead::noAnswer() {
    limit_.stop();
    if (!current_) {
        return;
    }
    const int le = current_->le;
    // The request may still be waiting for a frame to travel in: it must not
    // go out later on behalf of a start that has given up.
    if (channels_.SelectedLe == le + 1 && channels_.TransferState == kReadRequest) {
        channels_.TransferState = 0;
    }
    channels_.TransferDone = 1;
    const std::string message = leText(le) + "  No answer to the settings read: start abandoned";
    activityLog_.WriteHisto(0, message);
    platform_.dialogs.message(" Warning!", message, BoxIcon::Warning);
    finish(Outcome::NoAnswer);
}

void ParameterRead::finish(Outcome outcome) {
    limit_.stop();
    Request finished = std::move(*current_);
    current_.reset();
    if (finished.done) {
        finished.done(outcome);
    }
    beginNext();
}

void ParameterRead::beginNext() {
    while (!current_ && !waiting_.empty()) {
        Request next = std::move(waiting_.front());
        waiting_.pop_front();
        if (next.stillWanted && !next.stillWanted()) {
            if (next.done) {
                next.done(Outcome::Dropped);
            }
            continue;
        }
        begin(std::move(next));
    }
}

}  // namespace lec
