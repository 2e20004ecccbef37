#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lec {

// Light engines LE-1 to LE-6. Every per-LE table has 7 entries, index = LE
// number - 1; index 6 exists and is never used: loops run over 0 to 5.
inline constexpr int kLeCount = 6;
inline constexpr int kLeTableSize = 7;
// The exchange record: 35 slots a row, of which 0 to 31 travel in the frames.
inline constexpr int kRecordSlots = 35;
inline constexpr int kFrameSlots = 32;

using Byte = std::uint8_t;

// A byte table entry takes 0 to 255 only; any other value is not stored and
// the entry keeps its previous value. True when stored.
constexpr bool storeByte(Byte& entry, long long value) {
    if (value < 0 || value > 255) {
        return false;
    }
    entry = static_cast<Byte>(value);
    return true;
}

// "LE1".."LE6" in messages, "LE-1".."LE-6" in captions.
inline std::string leText(int index) {
    return "LE" + std::to_string(index + 1);
}
inline std::string leCaption(int index) {
    return "LE-" + std::to_string(index + 1);
}

// Everything the program knows about one light engine and everything it wants
// its FADEC to do. The names are those of the original per-LE tables.
struct LeChannel {
    // --- Derived from each normal status frame ---
    Byte LeBank = 0;
    Byte LePhase = 0;
    Byte LeActConfirm = 0;
    Byte LeStep = 0;
    Byte LeErrorCode = 0;
    Byte LeMat = 0;
    Byte LeSht = 0;
    Byte LeLpc = 0;
    Byte LeLpcCopy = 0;
    Byte LeLfc = 0;
    Byte LeLfcCopy = 0;
    Byte LeVcc = 0;
    Byte LeVis = 0;
    Byte LeIr = 0;
    Byte LeRh = 0;
    Byte LeAd13 = 0;
    Byte LeMotorDa = 0;
    Byte LeVersion = 0;
    Byte LeTachoM = 0;
    Byte LeTachoV1 = 0;
    Byte LeTachoV2 = 0;
    Byte LeSynchro = 0;  // 123 when the last frame carried it, else 0

    // Measurements in physical units, as the data logger writes them.
    std::string LeLpcText;
    std::string LeLfcText;
    std::string LeVisText;
    std::string LeRhText;
    std::string LeIrText;
    std::string LeMatText;
    std::string LeShtText;

    // --- Commands for the FADEC ---
    Byte LeCommand = 0;  // 1 start, 2 stop; never back to 0 once set
    Byte LePowerSet = 0;
    Byte LeQthCommand = 0;
    Byte LeAlarmRelayCommand = 0;
    Byte LeRequestCode = 0;
    Byte LeMotorSpeedSet = 0;
    Byte LeMode = 0;  // 0 normal, 4 a request code stands in slot 12

    // --- Link state ---
    Byte LePortOpen = 0;
    bool LeReady = false;
    Byte LeSyncRetries = 0;
    Byte LeSilentTicks = 0;
    Byte LeLinkLost = 0;
    Byte LeLinkLossLogged = 0;

    // --- Kept by the start and stop logic and the power set-points ---
    Byte PowerSetLoaded = 0;
    Byte RestCountdown = 0;  // seconds of rest left after a stop
    Byte RestArmed = 0;
    Byte StartLogged = 0;  // the start-all pass wrote its record for this engine
    Byte StopLogged = 0;   // the stop-all pass wrote its record for this engine
    Byte LeButtonOn = 0;   // the per-LE start button shows "STOP LE-n"
    Byte TestMember = 0;   // started from its Start label: switched by the cyclic test
    Byte LogHeaderWritten = 0;  // the data logger wrote this engine's header block
    // Parameters kept at a start (each modulo 100): z1..z3 of the ignition
    // and the reference levels of the trend graph.
    Byte LeZ1 = 0;
    Byte LeZ2 = 0;
    Byte LeZ3 = 0;
    Byte LeGraphRef24 = 0;
    Byte LeGraphRef27 = 0;
    Byte LeGraphRef29 = 0;
    // The trend graph's drawing column; a start's graph clear sets it back.
    std::int32_t LeGraphColumn = 0;

    // --- The two alarms judged on the FADEC's own values ---
    Byte LeMaxSht = 0;       // FADEC parameter 28, taken when the engine starts
    Byte FadecShtLatch = 0;  // the FADEC-side SHT alarm has been raised
    Byte LfcLatch = 0;       // the LFC alarm has been raised
    Byte ShtForAlarm = 0;    // the SHT last compared (255, no sensor, as 0)

    // The characters of the last read of the port; empty between frames.
    std::string LeRxText;
};

// `LeCoefficients`: per LE 16 texts, rows 0 to 14 used; texts as typed, read
// as numbers where they are used.
using LeCoefficientTable = std::array<std::array<std::string, 16>, kLeTableSize>;

// The shared state of the six channels and the few global values.
struct Channels {
    std::array<LeChannel, kLeTableSize> le{};

    // One row a light engine: the decoder stores each status field here, the
    // sender overwrites the command slots and transmits slots 0 to 31.
    std::array<std::array<std::int16_t, kRecordSlots>, kLeTableSize> LeRecord{};
    // The last frame received from / sent to each engine, as bytes.
    std::array<std::array<Byte, kRecordSlots>, kLeTableSize> LeRecordIn{};
    std::array<std::array<Byte, kRecordSlots>, kLeTableSize> LeRecordOut{};

    Byte SelectedLe = 0;     // 1 to 6
    Byte TransferState = 0;  // 0 none, 1 parameter write, 2 parameter read request
    Byte TransferDone = 0;
    std::string TransferMessage;
    Byte AccessLevel = 0;
    std::string AppFolder;
    std::string ProgramVersion;

    // The power set-points last read from or written to ConsignePW.ini.
    std::array<std::int16_t, kLeCount> PowerSetFile{};
    LeCoefficientTable LeCoefficients;  // (no {}: clang 14 fails on it)
    // `LeParam`: the FADEC parameter table, row = parameter 0..32, column = LE.
    std::array<std::array<Byte, kLeTableSize>, 33> LeParam{};
    // 1 while the LFC supervision finds a reading outside its limits; one flag
    // for the whole machine.
    Byte LfcOutOfRange = 0;

    // --- Starting and stopping ---
    Byte StartAllCursor = 0;  // the engine the start-all pass handles next
    Byte StopAllCursor = 0;   // the engine the stop-all pass handles next
    Byte AllToggle = 0;       // a start button's right-click asks STOP All when 1
    Byte ButtonRightClick = 0;
    // The start-up test box's answer: 0 none yet, 1 "normal" or "cyclic-test",
    // 2 "STOP". Kept for the whole run.
    Byte TestChoice = 0;
    Byte QthButtonOn = 0;  // the QTH button shows "QTH-Stop"

    // --- The parameter input dialog ---
    Byte EditRow = 0;         // the parameter row being edited
    Byte SpeedInputMode = 0;  // 1 while the dialog edits the motor speed
    std::int16_t MotorSpeedRpm = 0;

    // Port table as last saved: port number and activation ("1"/"0") texts.
    std::array<std::string, kLeCount> ComPortNumber;
    std::array<std::string, kLeCount> ComPortActive;
};

}  // namespace lec
