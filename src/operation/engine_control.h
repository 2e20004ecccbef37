#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/channels.h"
#include "core/settings_store.h"
#include "forms/form.h"
#include "operation/parameter_read.h"
#include "operation/rest_countdown.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

class ConfirmationWindow;
class FadecParamWindow;
class QuestionWindow;
class ErrorCodes;
class StartTestBox;

// Starting and stopping the light engines from the LE table, the per-LE
// start buttons and the START All / STOP All passes, with the selection of
// an engine, the rest countdown boxes and the graph clears.
//
// Nothing here waits in place: a start that needs the test box's first answer
// or the FADEC's parameter table records where it is and goes on from the
// answer or the confirmation of the read.
class EngineControl {
public:
    EngineControl(forms::Form& log, Platform& platform, Channels& channels, SettingsStore& settings,
                  ActivityLog& activityLog, ErrorCodes& errorCodes, QuestionWindow& question,
                  ConfirmationWindow& confirmation, StartTestBox& testBox,
                  FadecParamWindow& paramWindow);

    // --- What the user does (index `le` = LE number - 1) ---
    void select(int le);         // click on the name label Label26
    void startClicked(int le);   // click on the Start label Label27
    void stopClicked(int le);    // click on the Stop label Label28
    void askStartAll();          // right-click on a Start label
    void askStopAll();           // right-click on a Stop label
    void buttonClicked(int le);  // click on ComOperStartLEn
    void buttonRightClicked();   // right-click on any ComOperStartLEn

    // --- What the rest of the program tells it ---
    // The test box was answered; TestChoice holds the answer.
    void testBoxAnswered();
    // How the start-all pass redraws the thermometer of LE index `le`.
    void setThermometerRedraw(std::function<void(int le)> redraw) {
        thermometerRedraw_ = std::move(redraw);
    }

    // The graph clear of engine index `le` (Timer5, Timer7, ...).
    void graphClear(int le);
    // Timer36..Timer41, armed and stopped by the status decoder.
    const std::array<Timer*, kLeCount>& restTimers() const { return rest_.timers(); }

private:
    static constexpr Byte kStartOrder = 1;
    static constexpr Byte kStopOrder = 2;
    // A per-LE start button that offers "STOP LE-n".
    static constexpr Colour kButtonOnGreen = Colour::rgb(128, 255, 128);

    // Which parameters a start keeps from the table it has just read.
    enum class Keep { All, GraphAndSht, ShtOnly };

    void wireControls();
    void createTimers();

    // The Start label, once the test box has an answer.
    void startAfterAnswer(int le);
    void startLabelRead(int le, ParameterRead::Outcome outcome, unsigned stopsBefore);
    // The per-LE button's start, once its read is over.
    void buttonRead(int le, ParameterRead::Outcome outcome, unsigned stopsBefore);
    void askStartAllFrom(bool fromButton);
    void startAllTick();
    void startAllOrder(int le, unsigned stopsBefore);
    void startAllNext();
    void stopAllTick();
    void refreshButtonCaptions();

    // Clears the alarm memories so that every alarm is reported afresh; the
    // error flags of the selected engine or of all six.
    void startReset(bool allErrorFlags);
    void resetAlarmMenus();
    void keepParameters(int le, Keep keep);
    // Gives LE index `le` the stop order; a start still waiting for its read
    // then gives up.
    void stopOrder(int le);
    void qthOff();
    // The on-state of LE index `le`'s button, and the caption it shows.
    void showButton(int le, bool on);
    void paintButton(int le, bool offersStop);
    bool portOpen(int le) const;
    bool activated(int le) const;
    void record(const std::string& message);
    void warn(const std::string& text);

    forms::Control& cell(const char* array, int le) { return log_.at(array, le); }
    LeChannel& channel(int le) { return channels_.le[static_cast<std::size_t>(le)]; }

    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    SettingsStore& settings_;
    ActivityLog& activityLog_;
    ErrorCodes& errorCodes_;
    QuestionWindow& question_;
    StartTestBox& testBox_;
    FadecParamWindow& paramWindow_;

    ParameterRead reads_;
    RestCountdown rest_;
    Timer* startAll_ = nullptr;  // Timer14
    Timer* stopAll_ = nullptr;   // Timer16
    Timer* captions_ = nullptr;  // Timer61
    std::array<Timer*, kLeCount> graphClears_{};
    std::function<void(int)> thermometerRedraw_;
    // Start-label clicks waiting for the test box's first answer, in order.
    std::vector<int> awaitingAnswer_;
    // Stop orders given per engine: a start whose read began before the
    // latest stop must not follow it with a start order.
    std::array<unsigned, kLeCount> stops_{};
};

}  // namespace lec
