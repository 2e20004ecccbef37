#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/channels.h"
#include "core/settings_store.h"
#include "forms/form.h"
#include "link/status_fields.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

class ErrorCodes;
class WarningBox;

// The three hour counters of a counter frame, as the FADEC sent them: for
// each of S-Lamp, H-Lamp and magnetron the minutes byte, then the low and
// high bytes of the number of four-hour blocks (slots 13 to 21).
struct HourCounterBytes {
    std::array<std::int16_t, 9> bytes{};
};

// The receive handlers MSComm1_OnComm .. MSComm6_OnComm: each status frame
// goes into the engine's row of the exchange record, its derived values, its
// row of the LE table and the alarms judged on the FADEC's own values, and
// arms the engine's send timer. A field that does not convert leaves its slot
// and what derives from it as they were; the rest of the frame still counts.
class StatusDecoder {
public:
    StatusDecoder(forms::Form& log, Platform& platform, Channels& channels, SettingsStore& settings,
                  ActivityLog& activityLog, ErrorCodes& errorCodes, WarningBox& warningBox);

    // The receive event of LE index `le`'s port.
    void onReceive(int le);
    // The frame's characters as read from the port.
    void handleFrame(int le, std::string_view text);

    // The port of each LE (null: none); a closed port's events are not read.
    void setPorts(std::function<SerialPort*(int le)> portOf) { portOf_ = std::move(portOf); }
    // The send timer the handler arms after every frame (Timer21..Timer26).
    void setSendTimers(const std::array<Timer*, kLeCount>& timers) { sendTimers_ = timers; }
    // Where a counter frame's three counters go (the hour-counter window).
    void setCounterHook(std::function<void(int le, const HourCounterBytes&)> hook) {
        counterHook_ = std::move(hook);
    }
    // Where a parameter frame's values go besides LeParam (the parameter
    // window's value labels): slot k, or nullopt when field k did not convert.
    void setParameterHook(std::function<void(int le, const status::FieldResults&)> hook) {
        parameterHook_ = std::move(hook);
    }
    // The rest countdown timers (Timer36..Timer41) armed at the first frame
    // of phase 6 and stopped at phase 0; the start and stop logic owns them.
    void setRestTimers(const std::array<Timer*, kLeCount>& timers) { restTimers_ = timers; }

private:
    void storeFields(int le, const status::FieldResults& fields);
    void normalFrame(int le, const status::FieldResults& fields);
    void parameterFrame(int le, const status::FieldResults& fields);
    void phaseSteps(int le);
    void loadPowerSetPoint(int le);
    void errorCode(int le);
    void shtAlarm(int le);
    void lfcAlarm(int le);
    void measurements(int le, const status::FieldResults& fields);
    void hourCounters(int le);
    void raiseAlarm(int le, const std::string& message, const char* menu,
                    const std::string& menuCaption, const std::string& boxLine);

    forms::Control& cell(const char* array, int le) { return log_.at(array, le); }
    std::int16_t slot(int le, int k) const;
    // The measurement cell: raw, or scaled by coefficient `coefficient`.
    void showMeasurement(int le, const char* array, Byte raw, int coefficient, bool noSensorZero);
    void setScaledText(int le, std::string LeChannel::*text, Byte raw, int coefficient);

    forms::Form& log_;
    Platform& platform_;
    Channels& channels_;
    SettingsStore& settings_;
    ActivityLog& activityLog_;
    ErrorCodes& errorCodes_;
    WarningBox& warningBox_;
    std::function<SerialPort*(int)> portOf_;
    std::array<Timer*, kLeCount> sendTimers_{};
    std::array<Timer*, kLeCount> restTimers_{};
    std::function<void(int, const HourCounterBytes&)> counterHook_;
    std::function<void(int, const status::FieldResults&)> parameterHook_;
};

}  // namespace lec
