#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/channels.h"
#include "maintenance/fadec_param_table.h"

namespace lec {

inline constexpr int kCoefficientRows = 15;

// The settings files that the start-up loads, or creates with their default
// contents when they are missing, and the readers that take the values the
// start-up needs out of their lines.
//
// Readers take the lines as textfile::readLines returns them. Where the
// program read a file with a sequential `Input #`, a reader first splits
// every line into items the same way (textfile::splitItems: commas separate
// items, quotes are removed, blanks around an item are dropped). A reader
// returns nullopt when the file cannot be read as expected: too few items, a
// text where a number is expected, or a value outside what the control it
// sets accepts. Items after the expected ones are ignored.
namespace startup_files {

inline constexpr std::string_view kConsignePW = "ConsignePW.ini";
inline constexpr std::string_view kStatusHalogen = "StatusHalogen.ini";
inline constexpr std::string_view kParamComx = "ParamComx.ini";
inline constexpr std::string_view kConsigne = "Consigne.ini";
inline constexpr std::string_view kConsSliderLCF = "ConsSliderLCF.ini";
inline constexpr std::string_view kNS = "NS.ini";
inline constexpr std::string_view kTypeFile = "TypeFile.ini";
inline constexpr std::string_view kCocheSelect = "CocheSelect.ini";
inline constexpr std::string_view kCoefficients = "Coefficients.ini";
inline constexpr std::string_view kStartHalogen = "StartHalogen.ini";
inline constexpr std::string_view kHisto = "Histo.txt";
inline constexpr std::string_view kParamSt = "ParamSt.ini";
inline constexpr std::string_view kNameInc = "Name.inc";
inline constexpr std::string_view kParamLogStart = "ParamLogStart.ini";
inline constexpr std::string_view kSHTConsigne = "SHTConsigne.ini";
inline constexpr std::string_view kSHTPCStatusHal = "SHTPCStatusHal.ini";

struct StartupFile {
    std::string_view name;
    // The password file lives in the system folder; every other file in the
    // application folder.
    bool inSystemFolder;
    // From CocheSelect.ini on, the start-up skips a step that fails and goes
    // on; a failure before it has no such rule.
    bool skipOnFailure;
};

// In the order the start-up handles them.
inline constexpr std::array<StartupFile, 16> kStartupFiles = {{
    {kConsignePW, false, false},
    {kStatusHalogen, false, false},
    {kParamComx, false, false},
    {kConsigne, false, false},
    {kConsSliderLCF, false, false},
    {kNS, false, false},
    {kTypeFile, false, false},
    {kCocheSelect, false, true},
    {kCoefficients, false, true},
    {kStartHalogen, false, true},
    {kHisto, false, true},
    {kParamSt, false, true},
    {kNameInc, true, true},
    {kParamLogStart, false, true},
    {kSHTConsigne, false, true},
    {kSHTPCStatusHal, false, true},
}};

// Position of `fileName` in kStartupFiles; nullopt for any other name.
std::optional<std::size_t> startupIndex(std::string_view fileName);

// The two passwords Name.inc is created with: the user's, then the service's.
inline constexpr std::string_view kDefaultUserPassword = "bluewing";
inline constexpr std::string_view kDefaultServicePassword = "harbour";

// The lines of `fileName` as created when it is missing, without line ends:
// textfile::writeLines ends every line, the last included, with CR LF.
// Histo.txt is created empty, so its list is empty, and writeLines of an empty
// list writes a file of zero bytes. Empty as well for a name that is not in
// kStartupFiles.
std::vector<std::string> defaultLines(std::string_view fileName);

// --- Values the start-up reads ---

// Range of the main window's LE power slider `VScroll1`.
inline constexpr int kPowerSliderMin = 30;
inline constexpr int kPowerSliderMax = 130;
// Range of the QTH alarm window's threshold slider.
inline constexpr int kQthThresholdMin = 1;
inline constexpr int kQthThresholdMax = 255;
// Range of the LFC alarm window's Min and Max sliders.
inline constexpr int kLfcLimitMin = 0;
inline constexpr int kLfcLimitMax = 255;
// Range of the SHT alarm window's reference-level slider when its file is
// read: the window sets 0..255 for a channel and 0..128 for the SHT sensor
// only on its ticks, after the start-up, so the wider range is the one a
// stored level must fit.
inline constexpr int kShtLevelMin = 0;
inline constexpr int kShtLevelMax = 255;

// ConsignePW.ini: the six set-points, LE-1 first, into `PowerSetFile`. The
// first one also sets the LE power slider, so it must lie in 30..130; the
// others only go into the table (16-bit integers), where values outside
// 30..130 are kept and shown as they are.
using PowerSetPoints = std::array<int, kLeCount>;
std::optional<PowerSetPoints> readPowerSetPoints(const std::vector<std::string>& lines);

// StatusHalogen.ini, the selections of the QTH alarm window, as texts:
//   items 0..5   "LE1 active" .. "LE6 active": a text that reads as a non-zero
//                number, or "True", checks the entry; the watched LE is the
//                last of them that is exactly "1";
//   items 6..9   the channel boxes AD1-0 .. AD1-3: read as a number, 1 ticks;
//   items 10..17 reserved, read and ignored.
// Items 0..5 must read as a number or as True/False, items 6..9 as a number.
inline constexpr int kQthAlarmItems = 18;
using QthAlarmItems = std::array<std::string, kQthAlarmItems>;
std::optional<QthAlarmItems> readQthAlarmItems(const std::vector<std::string>& lines);

// Consigne.ini: the QTH alarm threshold, a whole number in 1..255.
std::optional<int> readQthThreshold(const std::vector<std::string>& lines);

// ConsSliderLCF.ini: the settings of the LFC alarm window.
struct LfcAlarmSettings {
    int min = 0;  // the Min slider, 0..255
    int max = 0;  // the Max slider, 0..255
    // A box is ticked exactly when its item reads as the number 1; any other
    // number leaves it unticked.
    std::array<bool, kLeCount> leWatched{};
    bool warningIndicator = false;  // the hidden box "Warning Indicator Active "

    friend bool operator==(const LfcAlarmSettings&, const LfcAlarmSettings&) = default;
};
std::optional<LfcAlarmSettings> readLfcAlarmSettings(const std::vector<std::string>& lines);

// Coefficients.ini: 90 lines, LE-major (LE-1 rows 0..14, then LE-2...). Each
// line is one entry, taken whole: the file is read line by line and an entry
// that is not a number counts as 0 only when it is used, so only a file of
// fewer than 90 lines is refused.
std::optional<LeCoefficientTable> readCoefficients(const std::vector<std::string>& lines);
// The table as the created file holds it: per LE, rows 0..14 "1" x5, "0" x5,
// "4", "2", "0" x3; row 15 and the unused LE 6 empty.
LeCoefficientTable defaultCoefficients();

// ParamSt.ini: the 32 value texts of the FADEC parameter window, rows 0..31.
// The items are read in groups of 32 to the end of the file and the last
// complete group wins; items after it that do not fill a group are ignored.
// The texts go into labels as read (blanks around them dropped, quotes
// removed), whatever they hold: refusing values that do not fit a byte is
// left to the code that sends them.
using ParamValues = std::array<std::string, fadec_param::kRows>;
std::optional<ParamValues> readParamValues(const std::vector<std::string>& lines);
// The defaults as the window shows them (`TableParamDefaut`).
ParamValues defaultParamValues();

// SHTConsigne.ini: the SHT alarm reference level, a whole number in 0..255.
std::optional<int> readShtLevel(const std::vector<std::string>& lines);

// SHTPCStatusHal.ini, the selections of the SHT alarm window, as texts:
//   items 0..5   "LE1 active" .. "LE6 active";
//   item 6       "Unselect";
//   items 7..10  "Channel 0 (AD1)" .. "Channel 3 (AD1)";
//   item 11      "SHT";
//   items 12..19 reserved, read and ignored.
// Items 0..11 check their entry when they read as a non-zero number, so they
// must read as numbers; the watched LE is the last of items 0..5 that is
// exactly "1".
inline constexpr int kShtAlarmItems = 20;
using ShtAlarmItems = std::array<std::string, kShtAlarmItems>;
std::optional<ShtAlarmItems> readShtAlarmItems(const std::vector<std::string>& lines);

// What the start-up found, for the windows built after it. The software
// settings (CocheSelect.ini, ParamLogStart.ini) go to SoftwareSettings
// instead.
struct StartupValues {
    // Per entry of kStartupFiles: the file existed before the start-up (a
    // missing one has been created with its defaults). The alarm windows are
    // created at start-up only when their files existed, and StartHalogen.ini
    // being there is what arms the restore of the QTH lamps.
    std::array<bool, kStartupFiles.size()> present{};

    // nullopt: the file was missing, or could not be read; the controls it
    // sets keep their designed values.
    std::optional<PowerSetPoints> powerSetPoints;    // ConsignePW.ini
    std::optional<QthAlarmItems> qthAlarmItems;      // StatusHalogen.ini
    std::optional<int> qthThreshold;                 // Consigne.ini
    std::optional<LfcAlarmSettings> lfcAlarm;        // ConsSliderLCF.ini
    std::optional<LeCoefficientTable> coefficients;  // Coefficients.ini
    std::optional<ParamValues> paramValues;          // ParamSt.ini
    std::optional<int> shtLevel;                     // SHTConsigne.ini
    std::optional<ShtAlarmItems> shtAlarmItems;      // SHTPCStatusHal.ini

    // False for a name that is not in kStartupFiles.
    bool wasPresent(std::string_view fileName) const;
};

}  // namespace startup_files

}  // namespace lec
