#include "records/histo_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace lec::histo {
namespace {

using Lines = std::vector<std::string>;

// An entry as the list holds a record that WriteHisto wrote.
std::string entry(const std::string& message, const std::string& code = "000") {
    return std::string(kEntryPrefix) + "14:05:33    09.12.2026    " + code + "    " + message;
}

// The rule word for word: after every removal, back to the first record.
Lines tidyByTheRule(Lines e) {
restart:
    for (std::size_t i = 0; i < e.size(); ++i) {
        const std::string tail = e[i].size() > 36 ? e[i].substr(36) : std::string();
        if (tail.empty() || tail.find('0') == 7) {
            e.erase(e.begin() + static_cast<std::ptrdiff_t>(i));
            goto restart;
        }
        if (tail.size() > 6 && tail[6] == ' ') {
            e[i].erase(42, 1);
        }
    }
    return e;
}

TEST(HistoRead, LinesEndWithCrLfLfOrCrAndLoseOnlyTheirLeadingBlanks) {
    const FileRead read = readEntries("  a b \r\n\tb\nc\r\rd");
    EXPECT_EQ(read.entries, (Lines{"    a b ", "    \tb", "    c", "    ", "    d"}));
    EXPECT_EQ(read.count, 5);
    EXPECT_FALSE(read.limitReached);
    EXPECT_EQ(read.unread, "");

    EXPECT_EQ(readEntries("").count, 0);
    EXPECT_EQ(readEntries("\r\n\r\n").entries, (Lines{"    ", "    "}));
}

TEST(HistoRead, ReadingStopsAfterTheLineThatPassesTheLimitAndKeepsTheRestAside) {
    const struct {
        const char* file;
        int count;
        bool limit;
        const char* unread;
    } cases[] = {
        {"1\r\n2\r\n3\r\n", 3, false, ""},
        {"1\r\n2\r\n3\r\n4\r\n", 4, true, ""},
        {"1\r\n2\r\n3\r\n4\r\n  5\r\n6", 4, true, "  5\r\n6"},
        {"1\r\n2\r\n3\r\n4\n\n", 4, true, "\n"},
    };
    for (const auto& c : cases) {
        const FileRead read = readEntries(c.file, 3);
        EXPECT_EQ(read.count, c.count) << c.file;
        EXPECT_EQ(read.limitReached, c.limit) << c.file;
        EXPECT_EQ(read.unread, c.unread) << c.file;
        EXPECT_EQ(read.entries.size(), static_cast<std::size_t>(c.count)) << c.file;
    }
}

TEST(HistoTidy, RecordsAsTheyAreWrittenAndAsOlderVersionsLeftThem) {
    const struct {
        const char* why;
        Lines in;
        Lines out;
    } cases[] = {
        {"three blanks after the engine become two",
         {entry("LE1   Alarm LFC ")},
         {entry("LE1  Alarm LFC ")}},
        {"a comma is part of the message",
         {entry("LE1  Motor M - speed > 4,000 RPM ", "009")},
         {entry("LE1  Motor M - speed > 4,000 RPM ", "009")}},
        {"blank and short lines go",
         {"    ", entry("LE2  Start LE "), "    too short to be a record", "    "},
         {entry("LE2  Start LE ")}},
        {"the entry stops right before its tail", {std::string(36, 'x')}, {}},
        {"a first 0 at the tail's 8th place removes",
         {entry("LE1  X0 garbled"), entry("Cycle(s) : 0000012")},
         {entry("Cycle(s) : 0000012")}},
        // Every removal sends the rule back to the top: a record it already
        // shortened is shortened again, or becomes removable.
        {"four blanks with no removal after them lose one",
         {entry("LE1    Alarm LFC ")},
         {entry("LE1   Alarm LFC ")}},
        {"four blanks with a removal after them lose two",
         {entry("LE1    Alarm LFC "), "    "},
         {entry("LE1  Alarm LFC ")}},
        {"a deleted blank can bring a 0 to the 8th place", {entry("LE1   A0"), "    "}, {}},
        {"which needs a later removal", {entry("LE1   A0")}, {entry("LE1  A0")}},
        {"a removal only looks again above it",
         {"    ", entry("LE1    Alarm LFC ")},
         {entry("LE1   Alarm LFC ")}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tidy(c.in), c.out) << c.why;
        EXPECT_EQ(tidyByTheRule(c.in), c.out) << c.why << " (the rule itself)";
    }
}

TEST(HistoTidy, GivesWhatTheRuleGivesOnRandomLists) {
    // Tails over a small alphabet of blanks, zeros and letters, so that the
    // places the rule looks at take every combination, with removals between.
    std::mt19937 random(20261211);
    const std::string alphabet = "  0a";
    std::uniform_int_distribution<int> listSize(0, 12);
    std::uniform_int_distribution<int> tailSize(0, 16);
    std::uniform_int_distribution<int> pick(0, static_cast<int>(alphabet.size()) - 1);
    std::bernoulli_distribution shortLine(0.15);
    for (int round = 0; round < 20000; ++round) {
        Lines in(static_cast<std::size_t>(listSize(random)));
        for (auto& e : in) {
            e = shortLine(random) ? "    " : std::string(36, 'x');
            const int size = tailSize(random);
            for (int k = 0; k < size; ++k) {
                e += alphabet[static_cast<std::size_t>(pick(random))];
            }
        }
        ASSERT_EQ(tidy(in), tidyByTheRule(in)) << "round " << round;
    }
}

TEST(HistoRewrite, EntriesGoBackBehindTwoMoreBlanksFollowedByWhatWasNotRead) {
    EXPECT_EQ(rewrite({entry("LE1  Start LE ")}, "  unread\r\n"),
              "      14:05:33    09.12.2026    000    LE1  Start LE \r\n  unread\r\n");
    EXPECT_EQ(rewrite({}, ""), "");
}

TEST(HistoRewrite, ASecondLoadingChangesNothing) {
    const std::string file =
        "  14:05:33    09.12.2026    000    LE1   Alarm LFC \r\n"
        "\r\n"
        "  14:05:34    09.12.2026    009    LE1  Motor M - speed > 4,000 RPM \r\n"
        "short\r\n";
    const std::string once = rewrite(tidy(readEntries(file).entries), "");
    EXPECT_EQ(once,
              "      14:05:33    09.12.2026    000    LE1  Alarm LFC \r\n"
              "      14:05:34    09.12.2026    009    LE1  Motor M - speed > 4,000 RPM \r\n");
    EXPECT_EQ(rewrite(tidy(readEntries(once).entries), ""), once);
}

TEST(HistoPrint, PagesOf76WithTheHeadingBlockFromTheThirdPageOn) {
    const auto list = [](int n) {
        Lines entries;
        for (int i = 0; i < n; ++i) {
            entries.push_back("e" + std::to_string(i));
        }
        return entries;
    };
    const std::string margin(19, ' ');
    const Lines headingBlock = {
        "", "", margin + "  Report faults history, starts, stops and mistakes errors", ""};

    const auto jobs = printJobs(list(200));
    ASSERT_EQ(jobs.size(), 3u);
    EXPECT_EQ(jobs[0].size(), 1u + 76u);
    EXPECT_EQ(jobs[0][0], "");
    EXPECT_EQ(jobs[0][1], margin + "e0");
    EXPECT_EQ(jobs[0].back(), margin + "e75");
    EXPECT_EQ(jobs[1].size(), 76u);
    EXPECT_EQ(jobs[1].front(), margin + "e76");
    EXPECT_EQ(jobs[2].size(), 4u + 48u);
    EXPECT_EQ(Lines(jobs[2].begin(), jobs[2].begin() + 4), headingBlock);
    EXPECT_EQ(jobs[2][4], margin + "e152");
    EXPECT_EQ(jobs[2].back(), margin + "e199");

    EXPECT_EQ(printJobs({}), (std::vector<Lines>{{""}}));
    EXPECT_EQ(printJobs(list(76)).size(), 1u);  // a full page alone ends no job early
    const auto four = printJobs(list(229));
    ASSERT_EQ(four.size(), 4u);
    EXPECT_EQ(four[3].size(), 4u + 1u);
    EXPECT_EQ(Lines(four[3].begin(), four[3].begin() + 4), headingBlock);
}

}  // namespace
}  // namespace lec::histo
