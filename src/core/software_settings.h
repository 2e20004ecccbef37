#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/channels.h"

namespace lec {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The software settings of one installation, with their defaults. Flags are
// 0 or 1.
struct SoftwareSettings {
    std::array<Byte, kLeCount> LeActivated{};
    int ShtSupervisedLe = 6;  // LE index 0..5, 6 = "Not Installed"
    int QthOption = 0;
    int MatWaterCooling = 0;
    int MotorRpmControl = 0;
    int StartPassword = 0;
    int ServiceReturn = 0;
    std::string ServiceReturnMinutes = "1";
    int CoefficientView = 1;
    int LinkLossAlarm = 0;
    int BatteryCheck = 0;
    int FanAlarmV1 = 1;
    int FanAlarmV2 = 1;
    int HideLfc = 0;
    int HideVis = 0;
    int HideIr = 0;
    int HideRh = 0;
    int HideBat = 0;
    int HideVcc = 0;
    int HideSht = 0;
    std::string CustomerName = "Calderway";
    Rgb PanelTextColour{255, 255, 255};
    Rgb PanelBackColour{0, 0, 0};

    friend bool operator==(const SoftwareSettings&, const SoftwareSettings&) = default;
};

// The two files of the settings: ParamLogStart.ini (51 lines) and
// CocheSelect.ini (one line).
namespace settings_file {

inline constexpr const char* kMain = "ParamLogStart.ini";
inline constexpr const char* kCoefficientView = "CocheSelect.ini";
inline constexpr int kLines = 51;

// How a line that cannot be read is taken: the settings window skips it and
// goes on; the second reading at start-up stops there.
enum class BadLine { Skip, Stop };

// The file as created at start-up: bare digits, the customer name whole.
std::vector<std::string> defaultLines();
// The file as Save writes it: numbers with one blank before and after.
std::vector<std::string> savedLines(const SoftwareSettings& s);

// Applies `lines` to `s` in line order. Returns the number of the first line
// that could not be read (1-based), or 0 when all 51 were read.
int apply(const std::vector<std::string>& lines, SoftwareSettings& s, BadLine mode);

// CocheSelect.ini: its one value, when it is 0 or 1.
bool applyCoefficientView(const std::vector<std::string>& lines, SoftwareSettings& s);

}  // namespace settings_file

}  // namespace lec
