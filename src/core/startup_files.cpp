#include "core/startup_files.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "core/software_settings.h"
#include "platform/text_file.h"

namespace lec::startup_files {

namespace {

using Lines = std::vector<std::string>;

// Coefficient defaults of one LE, rows 0..14.
constexpr std::array<std::string_view, kCoefficientRows> kCoefficientDefaults = {
    "1", "1", "1", "1", "1", "0", "0", "0", "0", "0", "4", "2", "0", "0", "0"};

Lines repeated(std::string_view line, int count) {
    return Lines(static_cast<std::size_t>(count), std::string(line));
}

void append(Lines& to, const Lines& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// Every item of every line, in order, as a sequential `Input #` takes them.
Lines itemsOf(const Lines& lines) {
    Lines items;
    for (const auto& line : lines) {
        append(items, textfile::splitItems(line));
    }
    return items;
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Optional sign, then digits; blanks around allowed, nothing else. Nine digits
// at most: more cannot be meant for any control here.
std::optional<long long> wholeNumber(std::string_view item) {
    const auto text = trimmed(item);
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    const std::size_t digits = text.size() - i;
    if (digits == 0 || digits > 9) {
        return std::nullopt;
    }
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - '0');
    }
    return text[0] == '-' ? -value : value;
}

std::optional<int> wholeNumberIn(std::string_view item, int min, int max) {
    const auto v = wholeNumber(item);
    if (!v || *v < min || *v > max) {
        return std::nullopt;
    }
    return static_cast<int>(*v);
}

// A decimal number and nothing else (sign, digits, a fraction), blanks around
// allowed: what a flag item must hold for its value to be taken.
std::optional<double> decimalNumber(std::string_view item) {
    const auto text = trimmed(item);
    const auto n =
        std::count_if(text.begin(), text.end(), [](char c) { return (c >= '0' && c <= '9'); });
    const std::size_t signs = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    const std::size_t points = std::count(text.begin(), text.end(), '.');
    if (n == 0 || points > 1 || static_cast<std::size_t>(n) + signs + points != text.size()) {
        return std::nullopt;
    }
    return textfile::parseNumber(text);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

// What a check mark accepts: a number, or the words of a yes/no value.
bool isCheckText(std::string_view item) {
    const auto text = trimmed(item);
    return decimalNumber(text).has_value() || equalsIgnoringCase(text, "True") ||
           equalsIgnoringCase(text, "False");
}

// The first `N` items as texts, each checked by `valid(index, text)`.
template <std::size_t N, typename Valid>
std::optional<std::array<std::string, N>> textItems(const Lines& lines, Valid valid) {
    const Lines items = itemsOf(lines);
    if (items.size() < N) {
        return std::nullopt;
    }
    std::array<std::string, N> out;
    for (std::size_t i = 0; i < N; ++i) {
        if (!valid(i, items[i])) {
            return std::nullopt;
        }
        out[i] = items[i];
    }
    return out;
}

// The first item, a whole number in min..max.
std::optional<int> singleValue(const Lines& lines, int min, int max) {
    const Lines items = itemsOf(lines);
    if (items.empty()) {
        return std::nullopt;
    }
    return wholeNumberIn(items[0], min, max);
}

Lines coefficientLines() {
    Lines lines;
    for (int le = 0; le < kLeCount; ++le) {
        for (const auto entry : kCoefficientDefaults) {
            lines.emplace_back(entry);
        }
    }
    return lines;
}

Lines paramLines() {
    const ParamValues values = defaultParamValues();
    return Lines(values.begin(), values.end());
}

}  // namespace

std::optional<std::size_t> startupIndex(std::string_view fileName) {
    for (std::size_t i = 0; i < kStartupFiles.size(); ++i) {
        if (kStartupFiles[i].name == fileName) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<std::string> defaultLines(std::string_view fileName) {
    // Numbers the program wrote with `Print #` carry a blank for the sign and
    // a trailing blank (Consigne.ini, the two limits of ConsSliderLCF.ini);
    // texts written with `Write #` stand in double quotes (ParamComx.ini,
    // Name.inc); everything else is bare.
    if (fileName == kConsignePW) {
        return repeated("50", kLeCount);
    }
    if (fileName == kStatusHalogen) {
        return repeated("0", kQthAlarmItems);
    }
    if (fileName == kParamComx) {
        return repeated(textfile::quoted("0"), 2 * kLeCount);
    }
    if (fileName == kConsigne) {
        return {textfile::printedNumber(220)};
    }
    if (fileName == kConsSliderLCF) {
        Lines lines = {textfile::printedNumber(130), textfile::printedNumber(30)};
        append(lines, repeated("0", kLeCount + 1));
        return lines;
    }
    if (fileName == kNS) {
        return {"1.01", "0", "0", "1"};
    }
    if (fileName == kTypeFile) {
        // File type, the 16 sensor flags, the data file path (a single blank:
        // none chosen), the 11 interval flags.
        Lines lines = {"0"};
        append(lines, repeated("0", 16));
        lines.emplace_back(" ");
        append(lines, repeated("0", 11));
        return lines;
    }
    if (fileName == kCocheSelect) {
        return {"1"};
    }
    if (fileName == kCoefficients) {
        return coefficientLines();
    }
    if (fileName == kStartHalogen) {
        return {"0"};
    }
    if (fileName == kParamSt) {
        return paramLines();
    }
    if (fileName == kNameInc) {
        return {textfile::quoted(kDefaultUserPassword), textfile::quoted(kDefaultServicePassword)};
    }
    if (fileName == kParamLogStart) {
        return settings_file::defaultLines();
    }
    if (fileName == kSHTConsigne) {
        return {"40"};
    }
    if (fileName == kSHTPCStatusHal) {
        // LE1 watched, the SHT sensor as input.
        Lines lines = {"1"};
        append(lines, repeated("0", 10));
        lines.emplace_back("1");
        append(lines, repeated("0", 8));
        return lines;
    }
    return {};  // Histo.txt starts empty
}

std::optional<PowerSetPoints> readPowerSetPoints(const std::vector<std::string>& lines) {
    const Lines items = itemsOf(lines);
    if (items.size() < static_cast<std::size_t>(kLeCount)) {
        return std::nullopt;
    }
    PowerSetPoints values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto v = i == 0 ? wholeNumberIn(items[i], kPowerSliderMin, kPowerSliderMax)
                              : wholeNumberIn(items[i], std::numeric_limits<std::int16_t>::min(),
                                              std::numeric_limits<std::int16_t>::max());
        if (!v) {
            return std::nullopt;
        }
        values[i] = *v;
    }
    return values;
}

std::optional<QthAlarmItems> readQthAlarmItems(const std::vector<std::string>& lines) {
    return textItems<kQthAlarmItems>(lines, [](std::size_t i, const std::string& item) {
        if (i < 6) {
            return isCheckText(item);  // a menu entry's check mark
        }
        if (i < 10) {
            return decimalNumber(item).has_value();  // a channel box
        }
        return true;
    });
}

std::optional<int> readQthThreshold(const std::vector<std::string>& lines) {
    return singleValue(lines, kQthThresholdMin, kQthThresholdMax);
}

std::optional<LfcAlarmSettings> readLfcAlarmSettings(const std::vector<std::string>& lines) {
    const Lines items = itemsOf(lines);
    constexpr std::size_t kItems = 2 + kLeCount + 1;
    if (items.size() < kItems) {
        return std::nullopt;
    }
    const auto min = wholeNumberIn(items[0], kLfcLimitMin, kLfcLimitMax);
    const auto max = wholeNumberIn(items[1], kLfcLimitMin, kLfcLimitMax);
    if (!min || !max) {
        return std::nullopt;
    }
    std::array<bool, kLeCount + 1> ticks{};
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const auto v = decimalNumber(items[2 + i]);
        if (!v) {
            return std::nullopt;
        }
        ticks[i] = *v == 1.0;
    }
    LfcAlarmSettings s;
    s.min = *min;
    s.max = *max;
    std::copy_n(ticks.begin(), kLeCount, s.leWatched.begin());
    s.warningIndicator = ticks[kLeCount];
    return s;
}

std::optional<LeCoefficientTable> readCoefficients(const std::vector<std::string>& lines) {
    constexpr std::size_t kLines = std::size_t{kLeCount} * kCoefficientRows;
    if (lines.size() < kLines) {
        return std::nullopt;
    }
    LeCoefficientTable table;  // every entry an empty text
    std::size_t next = 0;
    for (int le = 0; le < kLeCount; ++le) {
        for (int row = 0; row < kCoefficientRows; ++row) {
            table[static_cast<std::size_t>(le)][static_cast<std::size_t>(row)] = lines[next++];
        }
    }
    return table;
}

LeCoefficientTable defaultCoefficients() {
    LeCoefficientTable table;  // every entry an empty text
    for (int le = 0; le < kLeCount; ++le) {
        for (int row = 0; row < kCoefficientRows; ++row) {
            table[static_cast<std::size_t>(le)][static_cast<std::size_t>(row)] =
                kCoefficientDefaults[static_cast<std::size_t>(row)];
        }
    }
    return table;
}

std::optional<ParamValues> readParamValues(const std::vector<std::string>& lines) {
    const Lines items = itemsOf(lines);
    const std::size_t groups = items.size() / fadec_param::kRows;
    if (groups == 0) {
        return std::nullopt;
    }
    ParamValues values;
    const auto first =
        items.begin() + static_cast<std::ptrdiff_t>((groups - 1) * fadec_param::kRows);
    std::copy_n(first, fadec_param::kRows, values.begin());
    return values;
}

ParamValues defaultParamValues() {
    ParamValues values;
    for (int row = 0; row < fadec_param::kRows; ++row) {
        values[static_cast<std::size_t>(row)] = fadec_param::defaultText(row);
    }
    return values;
}

std::optional<int> readShtLevel(const std::vector<std::string>& lines) {
    return singleValue(lines, kShtLevelMin, kShtLevelMax);
}

std::optional<ShtAlarmItems> readShtAlarmItems(const std::vector<std::string>& lines) {
    return textItems<kShtAlarmItems>(lines, [](std::size_t i, const std::string& item) {
        return i >= 12 || decimalNumber(item).has_value();
    });
}

bool StartupValues::wasPresent(std::string_view fileName) const {
    const auto i = startupIndex(fileName);
    return i && present[*i];
}

}  // namespace lec::startup_files
