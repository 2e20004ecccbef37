#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

// The start-up test box `BoiteStartTest`: how a start from the LE table is to
// run ("normal", "cyclic-test" or "STOP"), and the cyclic test itself: the
// member engines are stopped and restarted every half-cycle, without end,
// until "STOP". While the box is open every lit engine is held at set-point 100.
class StartTestBox {
public:
    // Progress bars, in pixels: the bar reaches 180 at the end of a half.
    static constexpr int kBarWidthPx = 185;
    static constexpr int kBarHeightPx = 17;
    static constexpr int kMinuteMs = 60000;
    static constexpr int kTitleTickMs = 10000;

    StartTestBox(forms::FormSet& forms, forms::Form& log, Platform& platform, Channels& channels,
                 ActivityLog& activityLog);

    forms::Form& form() { return window_; }

    // Shown without blocking; a box already open is brought to view as it is.
    void open();
    // Runs after each press of "normal", "cyclic-test" or "STOP", once
    // TestChoice holds the answer.
    void setAnswerHandler(std::function<void()> answered) { answered_ = std::move(answered); }
    // Starts the graph clear of engine index `le` (the start logic owns it).
    void setGraphClear(std::function<void(int le)> graphClear) {
        graphClear_ = std::move(graphClear);
    }

    // The cycle state, kept for the whole run.
    int halfMinutes() const { return HalfMinutes; }
    int minuteCount() const { return MinuteCount; }
    int offHalf() const { return OffHalf; }
    std::int64_t cycleCount() const { return CycleCount; }
    int barWidth() const { return BarWidth; }

    // " 4 / 10 minutes" and its "(ON or OFF)" form.
    static std::string minutesText(int minutes, int halfMinutes);
    // The last seven digits, zero-padded: 3 -> "0000003".
    static std::string sevenDigits(std::int64_t count);

private:
    void build();
    void onOpening();
    void selectHalf(int minutes);
    void onNormal();
    void onCyclic();
    void onStop();
    void onMinuteTick();
    void onTenSecondTick();
    void answer();

    void showMinutes();
    void showMinutesOnOrOff();
    int barStep() const { return HalfMinutes == 5 ? 36 : 18; }
    void clearBar(Surface& bar);
    void stopEngine(int le);
    void restartEngine(int le);

    forms::Form& window_;
    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    ActivityLog& activityLog_;
    std::function<void()> answered_;
    std::function<void(int)> graphClear_;

    std::unique_ptr<Surface> onBar_;
    std::unique_ptr<Surface> offBar_;
    Timer& timer1_;
    Timer& timer2_;

    int HalfMinutes = 10;
    int MinuteCount = 0;
    int OffHalf = 0;
    std::int64_t CycleCount = 0;
    int BarWidth = 18;
};

}  // namespace lec
