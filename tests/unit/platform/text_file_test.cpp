#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace lec::textfile {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// ° in the code page: the program writes it in many of its texts.
const std::string kDegree = "\xB0";

// --- Code page ---

TEST(Cp1252, HighControlRangeDecodesToItsCharacters) {
    // Every byte 0x80..0x9F, the undefined five as C1 controls.
    // clang-format off
    const char* const expected[32] = {
        "€",        "\xC2\x81", "‚", "ƒ",        "„", "…",        "†", "‡",  // 80..87
        "ˆ",        "‰",        "Š", "‹",        "Œ", "\xC2\x8D", "Ž", "\xC2\x8F",  // 88..8F
        "\xC2\x90", "‘",        "’", "“",        "”", "•",        "–", "—",  // 90..97
        "˜",        "™",        "š", "›",        "œ", "\xC2\x9D", "ž", "Ÿ",  // 98..9F
    };
    // clang-format on
    for (int b = 0x80; b <= 0x9F; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(fromCp1252(byte), expected[b - 0x80]) << "byte 0x" << std::hex << b;
        EXPECT_EQ(toCp1252(expected[b - 0x80]), byte) << "byte 0x" << std::hex << b;
    }
}

TEST(Cp1252, LatinTextConvertsBothWays) {
    const struct {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"25" + kDegree + "C", "25°C"},
        {"\x80 12", "€ 12"},
        {"caf\xE9 \xA0\xFF", "café \u00A0ÿ"},
        {"plain ASCII, \t\x01", "plain ASCII, \t\x01"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromCp1252(c.bytes), c.utf8);
        EXPECT_EQ(toCp1252(c.utf8), c.bytes);
    }
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(Cp1252, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    const struct {
        std::string utf8;
        std::string bytes;
    } cases[] = {
        {"Ω = 5", "? = 5"},            // Greek: not in the code page
        {"\u0080", "?"},               // 0x80 is the euro sign, not this control
        {"a\U0001F600b", "a?b"},       // four bytes, one character
        {"\xC3", "?"},                 // truncated at the end
        {"\xE2\x82\x41", "?A"},        // truncated before a plain letter
        {"\xC0\xAF", "??"},            // overlong slash
        {"\xED\xA0\x80", "???"},       // a surrogate
        {"\xF4\x90\x80\x80", "????"},  // above U+10FFFF
        {"\x80x\xFF", "?x?"},          // stray continuation and a byte never used
    };
    for (const auto& c : cases)
        EXPECT_EQ(toCp1252(c.utf8), c.bytes) << c.utf8;
}

// --- Files ---

class TextFileTest : public ::testing::Test {
protected:
    void put(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(writeAll(dir_.file(name), bytes));
    }
    std::string content(const std::string& name) {
        return readAll(dir_.file(name)).value_or("<unreadable>");
    }
    // What the folder holds besides the files a test made: leftovers of a write.
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& e : fs::directory_iterator(dir_.path())) {
            out.push_back(e.path().filename().string());
        }
        std::sort(out.begin(), out.end());
        return out;
    }

    test::TempFolder dir_;
};

TEST_F(TextFileTest, ReadLinesAcceptsEveryLineEnd) {
    const struct {
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},  // last line without an end
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"a\n\r", {"a", ""}},  // LF then CR: two ends
        {"\r\n", {""}},
        {"", {}},
        {"25\xB0\r\n", {"25°"}},
    };
    for (const auto& c : cases) {
        put("f.txt", c.bytes);
        EXPECT_EQ(readLines(dir_.file("f.txt")), std::optional<Lines>(c.lines)) << c.bytes;
    }
}

TEST_F(TextFileTest, ReadingWhatIsNoFileGivesNothing) {
    EXPECT_EQ(readLines(dir_.file("missing.txt")), std::nullopt);
    EXPECT_EQ(readAll(dir_.file("missing.txt")), std::nullopt);
    EXPECT_EQ(readLines(dir_.path()), std::nullopt);
}

TEST_F(TextFileTest, WriteLinesWritesCrLfInTheCodePage) {
    const Lines lines = {"Temp 25°C", "", "€ Ω"};
    ASSERT_TRUE(writeLines(dir_.file("f.txt"), lines));
    EXPECT_EQ(content("f.txt"), "Temp 25" + kDegree + "C\r\n\r\n\x80 ?\r\n");
    EXPECT_EQ(readLines(dir_.file("f.txt")), std::optional<Lines>({"Temp 25°C", "", "€ ?"}));
}

TEST_F(TextFileTest, ReplaceLeavesOnlyTheNewContent) {
    put("f.txt", "a much longer old content\r\n");
    ASSERT_TRUE(writeAll(dir_.file("f.txt"), "new"));
    EXPECT_EQ(content("f.txt"), "new");
    EXPECT_EQ(names(), std::vector<std::string>{"f.txt"});

    ASSERT_TRUE(writeLines(dir_.file("f.txt"), {}));
    EXPECT_EQ(content("f.txt"), "");
}

TEST_F(TextFileTest, FailedReplaceLeavesEverythingAsItWas) {
    // A folder where the file should go: the rename cannot replace it.
    ASSERT_TRUE(ensureFolder(dir_.file("settings.txt")));
    put("settings.txt/inside.txt", "kept");
    EXPECT_FALSE(writeLines(dir_.file("settings.txt"), {"x"}));
    EXPECT_EQ(content("settings.txt/inside.txt"), "kept");

    // A file where the folder should be: not even the temporary file can be made.
    put("plain", "old\r\n");
    EXPECT_FALSE(writeAll(dir_.file("plain/f.txt"), "new"));
    EXPECT_EQ(content("plain"), "old\r\n");

    EXPECT_EQ(names(), (std::vector<std::string>{"plain", "settings.txt"}));
}

TEST_F(TextFileTest, AppendLineAddsOneLineAtTheEnd) {
    EXPECT_TRUE(appendLine(dir_.file("log.txt"), "first"));  // made when missing
    EXPECT_TRUE(appendLine(dir_.file("log.txt"), "25°C"));
    EXPECT_EQ(content("log.txt"), "first\r\n25" + kDegree + "C\r\n");

    put("plain", "x");
    EXPECT_FALSE(appendLine(dir_.file("plain/log.txt"), "line"));
}

TEST_F(TextFileTest, EnsureFolderMakesTheMissingParents) {
    const std::string deep = dir_.file("a/b/c");
    EXPECT_FALSE(exists(deep));
    EXPECT_TRUE(ensureFolder(deep));
    EXPECT_TRUE(exists(deep));
    EXPECT_TRUE(ensureFolder(deep));  // already there

    put("plain", "x");
    EXPECT_FALSE(ensureFolder(dir_.file("plain/sub")));
}

TEST(TextFilePaths, Join) {
    EXPECT_EQ(join("/opt/lec", "Settings.txt"), "/opt/lec/Settings.txt");
    EXPECT_EQ(join("/opt/lec/", "Settings.txt"), "/opt/lec/Settings.txt");
    EXPECT_EQ(join("", "Settings.txt"), "Settings.txt");
}

// --- Items ---

TEST(SplitItems, ReadsALineAsInputDoes) {
    const struct {
        std::string line;
        Blanks blanks;
        Lines items;
    } cases[] = {
        {R"("0")", Blanks::Ignore, {"0"}},
        {R"("a,b",c)", Blanks::Ignore, {"a,b", "c"}},
        {" 220 ", Blanks::Ignore, {"220"}},
        {" 220 ", Blanks::Keep, {" 220 "}},
        {"\t220\t", Blanks::Ignore, {"220"}},
        {R"("")", Blanks::Ignore, {""}},
        {"", Blanks::Ignore, {""}},
        {"1,2,3", Blanks::Ignore, {"1", "2", "3"}},
        {"1,,3,", Blanks::Ignore, {"1", "", "3", ""}},
        {R"("never closed, still one)", Blanks::Ignore, {"never closed, still one"}},
        {R"("a" junk, b)", Blanks::Ignore, {"a", "b"}},    // after the quote: skipped
        {R"( " a " , b )", Blanks::Keep, {" a ", " b "}},  // quotes keep their blanks
        {R"(a"b,c)", Blanks::Ignore, {R"(a"b)", "c"}},     // a quote inside is text
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitItems(c.line, c.blanks), c.items)
            << "[" << c.line << "] " << (c.blanks == Blanks::Keep ? "keep" : "ignore");
    }
}

TEST(SplitItems, WhatWriteWritesReadsBack) {
    const std::string line = quoted("Temp, max") + "," + quoted("") + "," + str(-5);
    EXPECT_EQ(line, R"("Temp, max","",-5)");
    EXPECT_EQ(splitItems(line), (Lines{"Temp, max", "", "-5"}));
}

TEST(Numbers, PrintedWithTheSignPlace) {
    const struct {
        long long n;
        std::string printed;
        std::string plain;
    } cases[] = {
        {220, " 220 ", " 220"},
        {-5, "-5 ", "-5"},
        {0, " 0 ", " 0"},
        {LLONG_MIN, "-9223372036854775808 ", "-9223372036854775808"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(printedNumber(c.n), c.printed);
        EXPECT_EQ(str(c.n), c.plain);
    }
}

TEST(Numbers, ParseTakesTheLeadingNumber) {
    const struct {
        std::string item;
        std::optional<double> value;
    } cases[] = {
        {" 220 ", 220.0},
        {"-5", -5.0},
        {"+3.25", 3.25},
        {"\t1.5 V", 1.5},
        {".5", 0.5},
        {"7.", 7.0},
        {"1E5", 1.0},  // exponents were never written
        {"0." + std::string(400, '0') + "1", 0.0},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"- 5", std::nullopt},
        {"1" + std::string(400, '0'), std::nullopt},  // beyond a double
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseNumber(c.item), c.value) << "[" << c.item << "]";
}

}  // namespace
}  // namespace lec::textfile
