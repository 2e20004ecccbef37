#include "app/le_table_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/channels.h"
#include "forms/form.h"

namespace lec {
namespace {

constexpr const char* kCells[] = {"Label26", "Label29", "Label11", "Label30", "Label31",
                                  "Label32", "Label33", "Label34", "Label35", "Label36",
                                  "Label37", "Label40", "Label41", "Label39", "Label15"};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        out.push_back(line);
    }
    return out;
}

TEST(LeTableText, OneAlignedLinePerEngineUnderAHeading) {
    forms::FormSet set;
    forms::Form& log = set.create("Log");
    for (const char* name : kCells) {
        for (int i = 0; i < kLeCount; ++i) {
            log.add(forms::Kind::Label, name, i).caption = "---";
        }
    }
    // Captions as the decoder leaves them, one of them wider than a column.
    const std::pair<const char*, const char*> row2[] = {
        {"Label26", "LE2"}, {"Label29", "5"},         {"Label11", "9"},
        {"Label30", "yes"}, {"Label31", "100"},       {"Label37", "1.20"},
        {"Label40", "45"},  {"Label39", "123456789"}, {"Label15", "300 We"},
    };
    for (const auto& [name, caption] : row2) {
        log.at(name, 1).caption = caption;
    }

    const auto out = lines(leTableText(log));
    ASSERT_EQ(out.size(), 7u);
    EXPECT_EQ(out[0],
              "LE      Phase   Step    Ready   LPC     LFC     VIS     IR      RH      BAT     "
              "VCC     MAT     SHT     Version PWR in");
    EXPECT_EQ(out[2],
              "LE2     5       9       yes     100     ---     ---     ---     ---     ---     "
              "1.20    45      ---     123456789 300 We");
    EXPECT_EQ(out[1].substr(0, 8), "---     ");
    EXPECT_EQ(out[6].substr(out[6].size() - 3), "---");
}

}  // namespace
}  // namespace lec
