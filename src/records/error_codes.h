#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/channels.h"
#include "forms/form.h"
#include "platform/platform.h"
#include "records/activity_log.h"

namespace lec {

// The texts of the FADEC error codes 0 to 20, exactly as the user reads them.
inline constexpr std::array<std::string_view, 21> kFadecErrorTexts = {
    "Arret LE",
    "Motor M - speed too slow",
    "Motor M - speed too fast",
    "V1 - Fan speed too slow",
    "V1 - Fan speed too fast",
    "V2 - Fan speed too slow",
    "V2 - Fan speed too fast",
    "Temp. Magnetron > 50 °C FADEC internal",
    "Temp. Magnetron > 120 °C FADEC (DS1307)",
    "Motor M - speed > 4,000 RPM ",
    "LPC too high ",
    "Startup failed - LE cooling down ",
    "Phase 7 activated ... CAN-BUS only ",
    "SBV - Setup Battery Voltage < 1.0 V ",
    "Alarm QTH - Lack lamp load",
    "Magnetron - Active cooling required",
    "No contact with i2C Sensors",
    "Overflow - Enabling security (z1+z2+z3)",
    "Stop activated",
    "LFC level too low",
    " ",
};

// FADEC error codes: their texts, the error list List4 of the main window,
// the once-per-start reporting and the code table window MessagesError.
class ErrorCodes {
public:
    // The table has room for codes 0 to 65; 21 and above stay empty.
    static constexpr int kTableSize = 66;
    static constexpr int kHighestCode = 20;
    static constexpr int kStopActivated = 18;

    ErrorCodes(forms::FormSet& forms, forms::Form& log, Platform& platform, Channels& channels,
               ActivityLog& activityLog);

    // Fills the texts of codes 0 to 20 (once, at start-up).
    void fillTexts();
    // The text of `code`: empty before fillTexts() and for codes without one.
    const std::string& FadecErrorText(int code) const;

    // Lists and logs error `code` of LE index `le` once per start; nothing for
    // an engine in phase 0 or a code above 20.
    void EcrireCodeErreur(int code, int le);
    // "LE2  V1 - Fan speed too slow": the message of the list and the log.
    std::string message(int code, int le) const;

    // 1 once `code` has been listed and logged for LE index `le`.
    Byte ErrorReported(int le, int code) const;
    // The starts clear the flags: of one engine, or of all six together.
    void resetReported(int le);
    void resetAllReported();

    // "Erase (List error)": empties the error list; the flags stay.
    void eraseList();

    forms::Form& codeTable() { return codeTable_; }

private:
    void buildCodeTable();
    void loadCodeTable();

    forms::Form& log_;
    Channels& channels_;
    ActivityLog& activityLog_;
    forms::Form& codeTable_;
    std::array<std::string, kTableSize> texts_{};
    std::array<std::array<Byte, kHighestCode + 1>, kLeTableSize> reported_{};
};

}  // namespace lec
