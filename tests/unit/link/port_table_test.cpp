#include "link/port_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lec::port_table {
namespace {

TEST(PortTable, LinesAreQuotedItemsTwoAnEngineAndReadBackWithoutTheirQuotes) {
    const Table table{{{"3", "1"}, {"12", "0"}, {"", "0"}, {"a,b", "1"}, {"0", "0"}, {"7", "1"}}};
    const std::vector<std::string> lines = toLines(table);
    EXPECT_EQ(lines,
              (std::vector<std::string>{"\"3\"", "\"1\"", "\"12\"", "\"0\"", "\"\"", "\"0\"",
                                        "\"a,b\"", "\"1\"", "\"0\"", "\"0\"", "\"7\"", "\"1\""}));
    EXPECT_EQ(fromLines(lines), table);
}

TEST(PortTable, MissingLinesLeaveEmptyEntriesAndUnquotedItemsAreTaken) {
    const Table table = fromLines({"3", " \"1\" ", "4"});
    EXPECT_EQ(table[0], (Entry{"3", "1"}));
    EXPECT_EQ(table[1], (Entry{"4", ""}));
    EXPECT_EQ(table[5], (Entry{"", ""}));
}

TEST(PortTable, OnlyWholeNumbersTheSerialComponentTakesNameAPort) {
    struct Case {
        const char* text;
        std::optional<int> port;
    };
    const Case cases[] = {
        {"3", 3},
        {" 14 ", 14},
        {"16", 16},
        {"17", std::nullopt},
        {"0", std::nullopt},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"3x", std::nullopt},
        {"-2", std::nullopt},
        {"2.5", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(portNumberOf(c.text), c.port) << '"' << c.text << '"';
    }
}

TEST(PortTable, ActivationTextsReadAsNumbers) {
    EXPECT_EQ(numberOf("1"), 1.0);
    EXPECT_EQ(numberOf(" 1"), 1.0);
    EXPECT_EQ(numberOf(""), 0.0);
    EXPECT_EQ(numberOf("abc"), 0.0);
    EXPECT_EQ(numberOf("15abc"), 15.0);
}

TEST(PortTable, TestLinesShowTheSynchronisationInThreeDigitsAndMarkTheUnsynchronised) {
    EXPECT_EQ(testLine(0, true, 0, true), " 000   COM(i) = 1   LE-1    <---  ? ");
    EXPECT_EQ(testLine(123, true, 1, false), " 123   COM(i) = 1   LE-2   ");
    EXPECT_EQ(testLine(0, false, 5, false), " 000   COM(i) = 0   LE-6   ");
}

}  // namespace
}  // namespace lec::port_table
