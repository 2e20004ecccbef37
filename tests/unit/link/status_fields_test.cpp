#include "link/status_fields.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace lec::status {
namespace {

TEST(StatusFieldTest, ConvertsAsAWholeNumberOrNotAtAll) {
    struct Case {
        const char* field;
        std::optional<int> value;
    };
    const Case cases[] = {
        {"  123", 123},   {"00042", 42},   {"    0", 0},  {"   -5", -5}, {"+0007", 7},
        {"12   ", 12},    {" 12.5", 12},   {" 13.5", 14}, {"  2.4", 2},  {"32767", 32767},
        {"-9999", -9999}, {"99999", {}},   {"40000", {}}, {"     ", {}}, {"", {}},
        {" 1 2 ", {}},    {"12a  ", {}},   {"  -  ", {}}, {"  .  ", {}}, {"0x1F ", {}},
        {"1e3  ", {}},    {"\t\t 7\t", 7},
    };
    for (const auto& c : cases) {
        const auto got = fieldValue(c.field);
        SCOPED_TRACE(std::string("field \"") + c.field + "\"");
        ASSERT_EQ(got.has_value(), c.value.has_value());
        if (c.value) {
            EXPECT_EQ(*got, *c.value);
        }
    }
}

TEST(StatusFieldTest, FieldsAreCutEveryFiveCharactersAndAShortReadLeavesTheRestOut) {
    std::string frame;
    for (int k = 0; k < kFields; ++k) {
        std::string text = std::to_string(k * 10);
        frame += std::string(5 - text.size(), ' ') + text;
    }
    frame.replace(3 * 5, 5, "  x  ");  // one garbled field
    auto fields = decodeFields(frame);
    for (int k = 0; k < kFields; ++k) {
        if (k == 3) {
            EXPECT_FALSE(fields[3].has_value());
        } else {
            EXPECT_EQ(fields[static_cast<std::size_t>(k)], k * 10) << "field " << k;
        }
    }

    // A short read: field 30 ("  300") keeps three characters, field 31 none.
    fields = decodeFields(frame.substr(0, 153));
    EXPECT_EQ(fields[30], 3);
    EXPECT_FALSE(fields[31].has_value());
}

TEST(StatusFieldTest, NumbersAreWrittenWithoutBlanksOrTrailingZeros) {
    struct Case {
        double value;
        const char* text;
        const char* vcc;
    };
    const Case cases[] = {
        {120, "120", "1.20"}, {48, "48", "4.8"},    {30 * 0.4, "12", "1.2"}, {2.5, "2.5", "2..5"},
        {0, "0", "0."},       {-12, "-12", "-.12"}, {2550, "2550", "2.550"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(numberText(c.value), c.text) << c.value;
        EXPECT_EQ(vccText(c.value), c.vcc) << c.value;
    }
}

TEST(StatusFieldTest, CoefficientsAreReadAsDecimalNumbers) {
    EXPECT_EQ(coefficientValue("4"), 4.0);
    EXPECT_EQ(coefficientValue(" 0.25 "), 0.25);
    EXPECT_EQ(coefficientValue("-1.5"), -1.5);
    EXPECT_FALSE(coefficientValue("").has_value());
    EXPECT_FALSE(coefficientValue("abc").has_value());
}

TEST(StatusFieldTest, DecBinWritesEightBitsMostSignificantFirst) {
    EXPECT_EQ(Dec_Bin(5), "00000101");
    EXPECT_EQ(Dec_Bin(0), "00000000");
    EXPECT_EQ(Dec_Bin(255), "11111111");
    EXPECT_EQ(Dec_Bin(128), "10000000");
}

TEST(StatusFieldTest, CounterHoursCountFourHourBlocksAndWholeHoursOfTheBlock) {
    EXPECT_EQ(counterHours(0, 0, 0), 0);
    EXPECT_EQ(counterHours(59, 0, 0), 0);
    EXPECT_EQ(counterHours(239, 0, 0), 3);
    EXPECT_EQ(counterHours(120, 1, 0), 6);
    EXPECT_EQ(counterHours(0, 0, 1), 1024);
    EXPECT_EQ(counterHours(60, 255, 255), 1 + 4 * 65535);
}

}  // namespace
}  // namespace lec::status
