#include "operation/engine_control.h"

#include "core/confirmation_window.h"
#include "core/main_window.h"
#include "core/slots.h"
#include "maintenance/fadec_param_window.h"
#include "operation/order_cells.h"
#include "operation/start_test_box.h"
#include "platform/surface.h"
#include "platform/text_file.h"
#include "records/error_codes.h"
#include "records/question_window.h"

namespace lec {

namespace {

constexpr Colour kSelectedGreen = Colour::rgb(91, 255, 0);

constexpr const char* kGraphClearTimers[kLeCount] = {"Timer5",  "Timer7",  "Timer17",
                                                     "Timer19", "Timer27", "Timer29"};
constexpr int kGraphClearMs = 30;
// Where the chart of a freshly started engine begins drawing.
constexpr int kGraphStartColumn = 6;

// Parameter rows kept at a start.
constexpr int kRowZ1 = 18;
constexpr int kRowZ2 = 19;
constexpr int kRowZ3 = 20;
constexpr int kRowGraphRef24 = 24;
constexpr int kRowGraphRef27 = 27;
constexpr int kRowMaxSht = 28;
constexpr int kRowGraphRef29 = 29;

struct MenuCaption {
    const char* menu;
    const char* caption;
};
// The alarm entries without their alarm marks.
constexpr MenuCaption kAlarmMenus[] = {
    {"mnuAlarmHalogen", "QTH-Lamps"},
    {"mnuAlarmPlateau", "SHT (FADEC and PC)"},
    {"mnuAlarmLFC", "LFC"},
    {"mnuStopAlarm", "Stop Alarm"},
};

constexpr const char* kQthStartFile = "StartHalogen.ini";

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

}  // namespace

EngineControl::EngineControl(forms::Form& log, Platform& platform, Channels& channels,
                             SettingsStore& settings, ActivityLog& activityLog,
                             ErrorCodes& errorCodes, QuestionWindow& question,
                             ConfirmationWindow& confirmation, StartTestBox& testBox,
                             FadecParamWindow& paramWindow)
    : log_(log),
      platform_(platform),
      channels_(channels),
      settings_(settings),
      activityLog_(activityLog),
      errorCodes_(errorCodes),
      question_(question),
      testBox_(testBox),
      paramWindow_(paramWindow),
      reads_(log, platform, channels, activityLog),
      rest_(log, platform, channels) {
    // A start waiting for its parameter read goes on once the read's
    // confirmation has closed.
    confirmation.setDoneHandler([this] { reads_.confirmed(); });
    createTimers();
    wireControls();
}

void EngineControl::createTimers() {
    auto& scheduler = platform_.scheduler;
    startAll_ = &log_.addTimer(scheduler.createTimer("Timer14", 1000, [this] { startAllTick(); }));
    stopAll_ = &log_.addTimer(scheduler.createTimer("Timer16", 1000, [this] { stopAllTick(); }));
    captions_ =
        &log_.addTimer(scheduler.createTimer("Timer61", 500, [this] { refreshButtonCaptions(); }));
    for (int i = 0; i < kLeCount; ++i) {
        Timer& clear =
            log_.addTimer(scheduler.createTimer(kGraphClearTimers[i], kGraphClearMs, [this, i] {
                channel(i).LeGraphColumn = kGraphStartColumn;
                if (forms::Control* chart = log_.find(kChartPictures[i]);
                    chart != nullptr && chart->surface != nullptr) {
                    chart->surface->clear(colours::kBlack);
                }
                graphClears_[at(i)]->stop();
            }));
        graphClears_[at(i)] = &clear;
    }
    // Always ticking; it acts only after a right-click on a per-LE button.
    captions_->start();
}

void EngineControl::wireControls() {
    const auto onRight = [](std::function<void()> action) {
        return [action = std::move(action)](forms::MouseAction what, forms::MouseButton button, int,
                                            int) {
            if (what == forms::MouseAction::Down && button == forms::MouseButton::Right) {
                action();
            }
        };
    };
    for (int i = 0; i < kLeCount; ++i) {
        cell("Label26", i).onClick = [this, i] { select(i); };
        auto& start = cell("Label27", i);
        start.onClick = [this, i] { startClicked(i); };
        start.onMouse = onRight([this] { askStartAll(); });
        auto& stop = cell("Label28", i);
        stop.onClick = [this, i] { stopClicked(i); };
        stop.onMouse = onRight([this] { askStopAll(); });
        if (forms::Control* button = log_.find("ComOperStartLE" + std::to_string(i + 1))) {
            button->onClick = [this, i] { buttonClicked(i); };
            button->onMouse = onRight([this] { buttonRightClicked(); });
        }
    }
}

// --- Selection ---

void EngineControl::select(int le) {
    for (int i = 0; i < kLeCount; ++i) {
        cell("Label26", i).back = i == le ? kSelectedGreen : colours::kButtonFace;
        cell("Label27", i).visible = i == le;
        cell("Label28", i).visible = i == le;
        if (forms::Control* chart = log_.find(kChartPictures[i])) {
            chart->visible = i == le && channels_.AccessLevel != 0;
        }
    }
    channels_.SelectedLe = static_cast<Byte>(le + 1);
    paramWindow_.selectionChanged();
    log_.at("Label66").caption = "Selected LE = " + std::to_string(le + 1);
}

// --- Start and stop from the LE table ---

void EngineControl::startClicked(int le) {
    cell("Label27", le).back = order_cells::kLightBlue;
    resetAlarmMenus();
    testBox_.open();
    channel(le).TestMember = 1;
    if (channels_.TestChoice == 0) {
        // Only the first start of the run waits: later ones use the answer
        // the box keeps.
        awaitingAnswer_.push_back(le);
        return;
    }
    startAfterAnswer(le);
}

void EngineControl::testBoxAnswered() {
    const std::vector<int> waiting = std::move(awaitingAnswer_);
    awaitingAnswer_.clear();
    for (int le : waiting) {
        startAfterAnswer(le);
    }
}

void EngineControl::startAfterAnswer(int le) {
    if (channels_.TestChoice == 2) {
        return;
    }
    rest_.showIdle(le);
    startReset(/*allErrorFlags=*/false);
    auto& c = channel(le);
    if (!portOpen(le)) {
        warn("Com Port not enabled");
        return;
    }
    // Refused without a word: the Start label stays light blue.
    if (c.LeSynchro != kSynchroReady || c.LePhase != 0) {
        return;
    }
    c.LeSyncRetries = 0;
    const unsigned stops = stops_[at(le)];
    reads_.request(
        le, [this, le, stops](ParameterRead::Outcome o) { startLabelRead(le, o, stops); },
        [this, le, stops] {
            const auto& c = channel(le);
            return portOpen(le) && c.LeSynchro == kSynchroReady && c.LePhase == 0 &&
                   stops_[at(le)] == stops;
        });
}

void EngineControl::startLabelRead(int le, ParameterRead::Outcome outcome, unsigned stopsBefore) {
    if (outcome != ParameterRead::Outcome::Read || stops_[at(le)] != stopsBefore) {
        return;
    }
    keepParameters(le, Keep::All);
    auto& c = channel(le);
    c.PowerSetLoaded = 0;
    graphClear(le);
    c.LeCommand = kStartOrder;
    order_cells::showStart(log_, le);
    record(leText(le) + "  Starting LE ");
    c.LogHeaderWritten = 0;
}

void EngineControl::stopClicked(int le) {
    if (portOpen(le)) {
        stopOrder(le);
        channel(le).PowerSetLoaded = 0;
        order_cells::showStop(log_, le);
        record(leText(le) + "  Off LE ");
    } else {
        warn("COMx unactivated");
    }
    qthOff();
}

// --- The per-LE start buttons ---

void EngineControl::buttonClicked(int le) {
    channels_.ButtonRightClick = 0;
    auto& c = channel(le);
    if (c.LeButtonOn == 1) {
        showButton(le, false);
        if (!portOpen(le)) {
            warn("COMx unactivated");
            return;
        }
        stopOrder(le);
        c.PowerSetLoaded = 0;
        // Only the QTH button's state: the relays stay as they are.
        channels_.QthButtonOn = 0;
        // LE-4's record has always ended in a parenthesis; kept as it reads.
        record(leText(le) + (le == 3 ? "  OFF LE (" : "  OFF LE "));
        return;
    }
    if (!portOpen(le)) {
        warn("Com Port not enabled");
        return;
    }
    if (c.LePhase != 0) {
        return;
    }
    showButton(le, true);
    c.LeSyncRetries = 0;
    const unsigned stops = stops_[at(le)];
    reads_.request(
        le, [this, le, stops](ParameterRead::Outcome o) { buttonRead(le, o, stops); },
        [this, le, stops] {
            return channel(le).LeButtonOn == 1 && portOpen(le) && channel(le).LePhase == 0 &&
                   stops_[at(le)] == stops;
        });
}

void EngineControl::buttonRead(int le, ParameterRead::Outcome outcome, unsigned stopsBefore) {
    auto& c = channel(le);
    if (outcome != ParameterRead::Outcome::Read || stops_[at(le)] != stopsBefore ||
        c.LeButtonOn != 1) {
        // No start order follows: the button must not offer a stop.
        if (c.LeButtonOn == 1) {
            showButton(le, false);
        }
        return;
    }
    keepParameters(le, Keep::ShtOnly);
    c.PowerSetLoaded = 0;
    graphClear(le);
    c.LeCommand = kStartOrder;
    record(leText(le) + "  Start LE ");
}

void EngineControl::buttonRightClicked() {
    channels_.ButtonRightClick = 1;
    if (channels_.AllToggle == 1) {
        channels_.AllToggle = 0;
        askStopAll();
    } else {
        askStartAllFrom(/*fromButton=*/true);
    }
}

void EngineControl::showButton(int le, bool on) {
    channel(le).LeButtonOn = on ? 1 : 0;
    paintButton(le, on);
}

void EngineControl::paintButton(int le, bool offersStop) {
    if (forms::Control* button = log_.find("ComOperStartLE" + std::to_string(le + 1))) {
        button->caption = (offersStop ? "STOP LE-" : "START LE-") + std::to_string(le + 1);
        button->back = offersStop ? kButtonOnGreen : colours::kButtonFace;
    }
}

// --- Shared steps ---

void EngineControl::graphClear(int le) {
    graphClears_[at(le)]->start();
}

void EngineControl::startReset(bool allErrorFlags) {
    if (allErrorFlags) {
        errorCodes_.resetAllReported();
    } else {
        errorCodes_.resetReported(channels_.SelectedLe - 1);
    }
    for (int i = 0; i < kLeCount; ++i) {
        auto& c = channel(i);
        c.FadecShtLatch = 0;
        c.LfcLatch = 0;
        c.StartLogged = 0;
        c.StopLogged = 0;
    }
}

void EngineControl::resetAlarmMenus() {
    for (const auto& [menu, caption] : kAlarmMenus) {
        if (forms::Control* entry = log_.find(menu)) {
            entry->caption = caption;
        }
    }
}

void EngineControl::keepParameters(int le, Keep keep) {
    const auto row = [&](int k) {
        return static_cast<Byte>(channels_.LeParam[at(k)][at(le)] % 100);
    };
    auto& c = channel(le);
    c.LeMaxSht = row(kRowMaxSht);
    if (keep == Keep::ShtOnly) {
        return;
    }
    c.LeGraphRef24 = row(kRowGraphRef24);
    c.LeGraphRef27 = row(kRowGraphRef27);
    c.LeGraphRef29 = row(kRowGraphRef29);
    if (keep == Keep::All) {
        c.LeZ1 = row(kRowZ1);
        c.LeZ2 = row(kRowZ2);
        c.LeZ3 = row(kRowZ3);
    }
}

void EngineControl::stopOrder(int le) {
    channel(le).LeCommand = kStopOrder;
    ++stops_[at(le)];
}

void EngineControl::qthOff() {
    for (int i = 0; i < kLeCount; ++i) {
        channel(i).LeQthCommand = 0;
    }
    channels_.QthButtonOn = 0;
    textfile::writeLines(textfile::join(platform_.appFolder, kQthStartFile), {"0"});
}

bool EngineControl::portOpen(int le) const {
    return channels_.le[at(le)].LePortOpen == 1;
}

bool EngineControl::activated(int le) const {
    return settings_.settings().LeActivated[at(le)] != 0;
}

void EngineControl::record(const std::string& message) {
    activityLog_.WriteHisto(0, message);
}

void EngineControl::warn(const std::string& text) {
    platform_.dialogs.message(" Warning!", text, BoxIcon::Warning);
}

}  // namespace lec
