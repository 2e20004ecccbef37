// START All and STOP All: the questions, the two one-engine-a-second passes
// and the per-LE buttons' caption refresh that follows a right-click on them.

#include "core/slots.h"
#include "operation/engine_control.h"
#include "operation/order_cells.h"
#include "records/question_window.h"

namespace lec {

namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

}  // namespace

void EngineControl::askStartAll() {
    for (int i = 0; i < kLeCount; ++i) {
        channel(i).LeSyncRetries = 0;
    }
    askStartAllFrom(/*fromButton=*/false);
}

void EngineControl::askStartAllFrom(bool fromButton) {
    // The reset holds whatever the answer.
    startReset(/*allErrorFlags=*/true);
    resetAlarmMenus();
    question_.ask(" Warning!", "START All LE", /*modal=*/true, [this, fromButton](bool yes) {
        if (yes) {
            for (int i = 0; i < kLeCount; ++i) {
                if (activated(i)) {
                    channel(i).PowerSetLoaded = 0;
                    channel(i).LogHeaderWritten = 0;
                }
            }
            startAll_->start();
        } else {
            channels_.ButtonRightClick = 0;
        }
        if (fromButton) {
            channels_.AllToggle = 1;
        }
    });
}

void EngineControl::askStopAll() {
    question_.ask(" Warning!", "STOP All LE", /*modal=*/true, [this](bool yes) {
        if (yes) {
            stopAll_->start();
        }
    });
}

// One engine a tick, LE-1 first. An engine that is not back in phase 0 holds
// the pass, and so does any parameter read in progress: the pass never has
// two reads going and starts at most one engine a tick.
void EngineControl::startAllTick() {
    const int k = channels_.StartAllCursor;
    if (!reads_.busy() && k < kLeCount && channel(k).LePhase == 0) {
        const unsigned stops = stops_[at(k)];
        if (portOpen(k)) {
            reads_.request(k, [this, k, stops](ParameterRead::Outcome outcome) {
                if (outcome == ParameterRead::Outcome::Read) {
                    startAllOrder(k, stops);
                } else {
                    startAllNext();  // no answer: this engine gets no order
                }
            });
        } else {
            // Nothing to wait for. No request is left behind either: it would
            // go out whenever the port opens again.
            channels_.TransferDone = 1;
            channels_.SelectedLe = static_cast<Byte>(k + 1);
            startAllOrder(k, stops);
        }
    }
    const int selected = channels_.SelectedLe - 1;
    if (thermometerRedraw_ && selected >= 0 && selected < kLeCount) {
        thermometerRedraw_(selected);
    }
}

void EngineControl::startAllOrder(int le, unsigned stopsBefore) {
    if (stops_[at(le)] != stopsBefore) {
        startAllNext();  // stopped while its read was going: no start after it
        return;
    }
    auto& c = channel(le);
    if (c.LeSynchro == kSynchroReady) {
        keepParameters(le, Keep::GraphAndSht);
        graphClear(le);
    }
    // Given even to an engine whose port is closed: it simply is not sent.
    c.LeCommand = kStartOrder;
    order_cells::showStart(log_, le);
    if (activated(le) && c.StartLogged == 0) {
        record(leText(le) + "  Start LE ");
        c.StartLogged = 1;
    }
    startAllNext();
}

void EngineControl::startAllNext() {
    int next = channels_.StartAllCursor + 1;
    if (next >= kLeCount) {
        next = 0;
        startAll_->stop();
    }
    channels_.StartAllCursor = static_cast<Byte>(next);
}

// One engine a tick, LE-1 first, with no look at port or phase. Each engine
// is logged once between two start resets.
void EngineControl::stopAllTick() {
    const int k = channels_.StopAllCursor;
    if (k < kLeCount) {
        auto& c = channel(k);
        stopOrder(k);
        if (activated(k) && c.StopLogged == 0) {
            const std::string message = leText(k) + "  Off LE ";
            record(message);
            log_.at("List4").addItem(message);
            c.StopLogged = 1;
        }
        cell("Label27", k).back = colours::kButtonFace;
        cell("Label28", k).back = colours::kButtonFace;
    }
    int next = k + 1;
    if (next >= kLeCount) {
        next = 0;
        stopAll_->stop();
    }
    channels_.StopAllCursor = static_cast<Byte>(next);
}

// After a right-click on a per-LE button the running engines' buttons show
// what the next right-click offers; their on-state is left alone.
void EngineControl::refreshButtonCaptions() {
    if (channels_.ButtonRightClick != 1) {
        return;
    }
    for (int i = 0; i < kLeCount; ++i) {
        if (portOpen(i) && channel(i).LePhase != 0) {
            paintButton(i, channels_.AllToggle == 1);
        }
    }
}

}  // namespace lec
