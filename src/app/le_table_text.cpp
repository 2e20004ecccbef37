#include "app/le_table_text.h"

#include <iterator>
#include <string_view>

#include "core/channels.h"

namespace lec {

namespace {

struct Column {
    const char* cell;
    const char* heading;
};
// PWR in comes last: its caption holds a blank ("300 We").
constexpr Column kColumns[] = {
    {"Label26", "LE"},  {"Label29", "Phase"},   {"Label11", "Step"},   {"Label30", "Ready"},
    {"Label31", "LPC"}, {"Label32", "LFC"},     {"Label33", "VIS"},    {"Label34", "IR"},
    {"Label35", "RH"},  {"Label36", "BAT"},     {"Label37", "VCC"},    {"Label40", "MAT"},
    {"Label41", "SHT"}, {"Label39", "Version"}, {"Label15", "PWR in"},
};
// Wide enough for every caption the cells take ("1.20", "---", "Version").
constexpr std::size_t kColumnWidth = 8;

void appendCell(std::string& line, std::string_view text, bool last) {
    line += text;
    if (!last && text.size() < kColumnWidth) {
        line.append(kColumnWidth - text.size(), ' ');
    } else if (!last) {
        line += ' ';
    }
}

}  // namespace

std::string leTableText(const forms::Form& log) {
    constexpr std::size_t kCount = std::size(kColumns);
    std::string out;
    for (std::size_t c = 0; c < kCount; ++c) {
        appendCell(out, kColumns[c].heading, c + 1 == kCount);
    }
    out += '\n';
    for (int i = 0; i < kLeCount; ++i) {
        for (std::size_t c = 0; c < kCount; ++c) {
            const forms::Control* cell = log.find(kColumns[c].cell, i);
            appendCell(out, cell != nullptr ? cell->caption : "", c + 1 == kCount);
        }
        out += '\n';
    }
    return out;
}

}  // namespace lec
