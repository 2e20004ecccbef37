#include "core/software_settings.h"

#include <optional>

#include "platform/text_file.h"

namespace lec::settings_file {

namespace {

// What one line of ParamLogStart.ini holds.
enum class Item {
    Activated,   // LeActivated[line - 1]
    Reserved,    // written as 0, dropped when read
    ShtEngine,   // 1 selects LE (line - 15)
    Flag,        // one of the 0/1 settings
    Minutes,     // ServiceReturnMinutes, a text
    Customer,    // CustomerName, the whole line
    ColourPart,  // one of the six colour components
    QthRepeat,   // QthOption written again, ignored when read
};

struct Line {
    Item item;
    int SoftwareSettings::*flag = nullptr;
    int Rgb::*part = nullptr;
    Rgb SoftwareSettings::*colour = nullptr;
};

constexpr Line flag(int SoftwareSettings::*f) {
    return {Item::Flag, f, nullptr, nullptr};
}
constexpr Line colourPart(Rgb SoftwareSettings::*c, int Rgb::*p) {
    return {Item::ColourPart, nullptr, p, c};
}

using S = SoftwareSettings;

// Lines 1 to 51, in file order.
const std::array<Line, kLines> kLayout = {{
    {Item::Activated},
    {Item::Activated},
    {Item::Activated},
    {Item::Activated},
    {Item::Activated},
    {Item::Activated},  // 1-6
    {Item::Reserved},
    {Item::Reserved},
    {Item::Reserved},
    {Item::Reserved},
    {Item::Reserved},
    {Item::Reserved},
    {Item::Reserved},
    {Item::Reserved},  // 7-14
    {Item::ShtEngine},
    {Item::ShtEngine},
    {Item::ShtEngine},
    {Item::ShtEngine},
    {Item::ShtEngine},
    {Item::ShtEngine},  // 15-20
    flag(&S::StartPassword),
    flag(&S::MotorRpmControl),
    flag(&S::LinkLossAlarm),
    flag(&S::MatWaterCooling),
    flag(&S::ServiceReturn),  // 21-25
    {Item::Minutes},          // 26
    flag(&S::HideLfc),
    flag(&S::HideVis),
    flag(&S::HideIr),
    flag(&S::HideRh),
    flag(&S::HideBat),
    flag(&S::HideVcc),  // 27-32
    {Item::Reserved},
    flag(&S::HideSht),
    flag(&S::BatteryCheck),
    {Item::Reserved},  // 33-36
    {Item::Customer},  // 37
    colourPart(&S::PanelTextColour, &Rgb::red),
    colourPart(&S::PanelTextColour, &Rgb::green),
    colourPart(&S::PanelTextColour, &Rgb::blue),  // 38-40
    colourPart(&S::PanelBackColour, &Rgb::red),
    colourPart(&S::PanelBackColour, &Rgb::green),
    colourPart(&S::PanelBackColour, &Rgb::blue),  // 41-43
    flag(&S::FanAlarmV1),
    flag(&S::FanAlarmV2),
    {Item::Reserved},     // 44-46
    flag(&S::QthOption),  // 47
    {Item::QthRepeat},
    {Item::QthRepeat},
    {Item::QthRepeat},
    {Item::QthRepeat},  // 48-51
}};

constexpr int kFirstShtLine = 15;
constexpr int kLastShtLine = 20;

// A whole number and nothing else, blanks around it allowed.
std::optional<long long> wholeNumber(const std::string& line) {
    const auto first = line.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const auto last = line.find_last_not_of(" \t");
    const std::string text = line.substr(first, last - first + 1);
    std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (i == text.size() || text.size() - i > 9) {
        return std::nullopt;
    }
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
    }
    return std::stoll(text);
}

std::optional<int> flagValue(const std::string& line) {
    const auto v = wholeNumber(line);
    if (!v || (*v != 0 && *v != 1)) {
        return std::nullopt;
    }
    return static_cast<int>(*v);
}

std::optional<int> colourValue(const std::string& line) {
    const auto v = wholeNumber(line);
    if (!v || *v < 0 || *v > 255) {
        return std::nullopt;
    }
    return static_cast<int>(*v);
}

// The 51 lines for `s`; with `blanks` numbers are written as Save writes them.
std::vector<std::string> linesFor(const SoftwareSettings& s, bool blanks) {
    auto number = [blanks](long long n) {
        return blanks ? textfile::printedNumber(n) : std::to_string(n);
    };
    std::vector<std::string> out;
    out.reserve(kLines);
    for (int n = 1; n <= kLines; ++n) {
        const Line& line = kLayout[static_cast<std::size_t>(n - 1)];
        switch (line.item) {
            case Item::Activated:
                out.push_back(number(s.LeActivated[static_cast<std::size_t>(n - 1)]));
                break;
            case Item::Reserved:
                out.push_back(number(0));
                break;
            case Item::ShtEngine:
                out.push_back(number(s.ShtSupervisedLe == n - kFirstShtLine ? 1 : 0));
                break;
            case Item::Flag:
                out.push_back(number(s.*line.flag));
                break;
            case Item::Minutes:
                out.push_back(s.ServiceReturnMinutes.empty() ? "1" : s.ServiceReturnMinutes);
                break;
            case Item::Customer:
                out.push_back(s.CustomerName);
                break;
            case Item::ColourPart:
                out.push_back(number(s.*line.colour.*line.part));
                break;
            case Item::QthRepeat:
                out.push_back(number(s.QthOption));
                break;
        }
    }
    return out;
}

}  // namespace

std::vector<std::string> defaultLines() {
    return linesFor(SoftwareSettings{}, false);
}

std::vector<std::string> savedLines(const SoftwareSettings& s) {
    return linesFor(s, true);
}

int apply(const std::vector<std::string>& lines, SoftwareSettings& s, BadLine mode) {
    int firstBad = 0;
    bool shtChosen = false;
    for (int n = 1; n <= kLines; ++n) {
        const Line& layout = kLayout[static_cast<std::size_t>(n - 1)];
        const bool present = n <= static_cast<int>(lines.size());
        const std::string text = present ? lines[static_cast<std::size_t>(n - 1)] : std::string();
        bool ok = present;
        if (ok) {
            switch (layout.item) {
                case Item::Activated: {
                    const auto v = flagValue(text);
                    ok = v.has_value() &&
                         storeByte(s.LeActivated[static_cast<std::size_t>(n - 1)], *v);
                    break;
                }
                case Item::Reserved:
                case Item::QthRepeat:
                    break;
                case Item::ShtEngine: {
                    const auto v = wholeNumber(text);
                    ok = v.has_value();
                    if (ok && *v == 1) {
                        s.ShtSupervisedLe = n - kFirstShtLine;  // the last one reading 1 wins
                        shtChosen = true;
                    }
                    break;
                }
                case Item::Flag: {
                    const auto v = flagValue(text);
                    ok = v.has_value();
                    if (ok) {
                        s.*layout.flag = *v;
                    }
                    break;
                }
                case Item::Minutes:
                    s.ServiceReturnMinutes = text;
                    break;
                case Item::Customer:
                    s.CustomerName = text;
                    break;
                case Item::ColourPart: {
                    const auto v = colourValue(text);
                    ok = v.has_value();
                    if (ok) {
                        s.*layout.colour.*layout.part = *v;
                    }
                    break;
                }
            }
        }
        if (!ok) {
            if (firstBad == 0) {
                firstBad = n;
            }
            if (mode == BadLine::Stop) {
                return firstBad;
            }
        }
        if (n == kLastShtLine && !shtChosen) {
            s.ShtSupervisedLe = 6;  // "Not Installed"
        }
    }
    return firstBad;
}

bool applyCoefficientView(const std::vector<std::string>& lines, SoftwareSettings& s) {
    if (lines.empty()) {
        return false;
    }
    const auto v = flagValue(lines[0]);
    if (!v) {
        return false;
    }
    s.CoefficientView = *v;
    return true;
}

}  // namespace lec::settings_file
