#include "maintenance/param_values.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lec::param_values {
namespace {

using Lines = std::vector<std::string>;

TEST(ParamValues, AValueTextIsSentAsItsLeadingNumberOnlyWhenItFitsAByte) {
    struct Case {
        std::string text;
        std::optional<int> sent;
    };
    const std::string tooLongForADouble(400, '9');
    const Case cases[] = {
        {"0", 0},
        {"255", 255},
        {"0099", 99},
        {" 7", 7},
        {"12abc", 12},  // the leading digits
        {"", 0},        // no digits count as 0
        {"abc", 0},
        {"-", 0},
        {"2.5", 2},  // half to even
        {"3.5", 4},
        {"254.6", 255},
        {"-0.4", 0},
        {"256", std::nullopt},
        {"300", std::nullopt},
        {"255.5", std::nullopt},  // rounds to 256
        {"-1", std::nullopt},
        {tooLongForADouble, std::nullopt},  // too large, not "no number"
    };
    for (const auto& c : cases) {
        const auto sent = sentByte(c.text);
        EXPECT_EQ(sent ? std::optional<int>(*sent) : std::nullopt, c.sent) << '"' << c.text << '"';
    }
}

TEST(ParamValues, AnEntryMustBeDigitsWithinTheHintsComparedAsNumbers) {
    struct Case {
        std::string entry;
        double min;
        double max;
        Entry verdict;
    };
    const std::string manyDigits(400, '1');
    const Case cases[] = {
        {"12a", 50, 180, Entry::NotDigits},
        {"-5", 0, 255, Entry::NotDigits},
        {" 60", 50, 180, Entry::NotDigits},
        {"1.5", 0, 255, Entry::NotDigits},
        {"0", 50, 180, Entry::OutOfRange},
        {"181", 50, 180, Entry::OutOfRange},
        {"49", 50, 180, Entry::OutOfRange},
        {"180", 50, 180, Entry::Accepted},
        {"50", 50, 180, Entry::Accepted},
        {"60", 50, 180, Entry::Accepted},  // "60" > "180" as texts
        {"060", 50, 180, Entry::Accepted},
        {"", 0, 255, Entry::Accepted},  // an empty entry reads as 0
        {"", 1, 255, Entry::OutOfRange},
        {manyDigits, 0, 4000, Entry::OutOfRange},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checkEntry(c.entry, c.min, c.max), c.verdict)
            << '"' << c.entry << "\" in " << c.min << ".." << c.max;
    }
}

TEST(ParamValues, HintsAndTheSpeedRowReadAsTheirLeadingNumber) {
    EXPECT_EQ(hintBound("180"), 180);
    EXPECT_EQ(hintBound("BCD 0-5"), 0);
    EXPECT_EQ(hintBound(""), 0);

    EXPECT_EQ(speedFromRow("35"), "3500");
    EXPECT_EQ(speedFromRow("3.5"), "350");
    EXPECT_EQ(speedFromRow("abc"), "0");
}

TEST(ParamValues, TheFileGivesTheLastWholeGroupOrTheFewItemsItHas) {
    Lines full;
    for (int i = 0; i < 64; ++i) {
        full.push_back(std::to_string(i));
    }
    const auto values = fileValues(full);
    ASSERT_EQ(values.size(), 32u);
    EXPECT_EQ(values.front(), "32");
    EXPECT_EQ(values.back(), "63");

    Lines fortyItems(full.begin(), full.begin() + 40);
    EXPECT_EQ(fileValues(fortyItems).back(), "31") << "an incomplete group is ignored";

    // Items, not lines: commas separate them and quotes go.
    EXPECT_EQ(fileValues({"\"7\",8", " 9 "}), (Lines{"7", "8", "9"}));
    EXPECT_TRUE(fileValues({}).empty());
}

}  // namespace
}  // namespace lec::param_values
