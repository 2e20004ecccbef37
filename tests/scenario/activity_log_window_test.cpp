#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/text_file.h"
#include "records/activity_log_window.h"
#include "support/rig.h"

namespace lec::test {
namespace {

using Lines = std::vector<std::string>;

std::string crlf(const Lines& lines) {
    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

std::string record(const std::string& message, const std::string& code = "000") {
    return "  14:05:33    09.12.2026    " + code + "    " + message;
}

const Lines kHeadings = {" ", "    Report faults history, starts, stops and mistakes errors", " "};

// The program with Histo.txt holding `bytes`, started, its log window open
// and loaded.
class HistoWindow {
public:
    explicit HistoWindow(std::string bytes) : rig_(options(std::move(bytes))) {
        rig_.run(200);
        rig_.click("Log.mnuhisto");
        rig_.run(100);
    }

    Rig& rig() { return rig_; }
    const Lines& list() { return rig_.control("Histo.List1").items; }

private:
    static Rig::Options options(std::string bytes) {
        Rig::Options o;
        o.prepare = [bytes = std::move(bytes)](const std::string& folder) {
            textfile::writeAll(folder + "/Histo.txt", bytes);
        };
        return o;
    }

    Rig rig_;
};

TEST(ActivityLogWindow, OpeningLoadsTidiesAndRewritesTheLogAndASecondLoadingChangesNothing) {
    Rig::Options options;
    options.prepare = [](const std::string& folder) {
        textfile::writeAll(folder + "/Histo.txt",
                           crlf({record("LE1   Alarm LFC "), "",
                                 record("LE1  Motor M - speed > 4,000 RPM ", "009"), "  short",
                                 "      " + record("LE2  Off LE ").substr(2),
                                 record("LE2  Temp. Magnetron > 50 \xB0"
                                        "C FADEC internal",
                                        "007")}));
    };
    Rig rig(options);
    rig.run(200);
    rig.click("Log.mnuhisto");
    auto& window = rig.form("Histo");
    EXPECT_TRUE(window.visible);
    EXPECT_FALSE(window.modal);
    EXPECT_TRUE(rig.control("Histo.List1").items.empty());  // Timer1 has not fired yet
    rig.run(100);

    const std::string body = "14:05:33    09.12.2026    ";
    const Lines records = {"    " + body + "000    LE1  Alarm LFC ",
                           "    " + body + "009    LE1  Motor M - speed > 4,000 RPM ",
                           "    " + body + "000    LE2  Off LE ",
                           "    " + body + "007    LE2  Temp. Magnetron > 50 °C FADEC internal"};
    Lines expected = kHeadings;
    expected.insert(expected.end(), records.begin(), records.end());
    EXPECT_EQ(rig.control("Histo.List1").items, expected);
    EXPECT_FALSE(window.timer("Timer1")->running());
    EXPECT_TRUE(rig.dialogs.openBoxes().empty());

    const std::string rewritten = "      " + body + "000    LE1  Alarm LFC \r\n" + "      " + body +
                                  "009    LE1  Motor M - speed > 4,000 RPM \r\n" + "      " + body +
                                  "000    LE2  Off LE \r\n" + "      " + body +
                                  "007    LE2  Temp. Magnetron > 50 \xB0" + "C FADEC internal\r\n";
    EXPECT_EQ(rig.fileBytes("Histo.txt"), rewritten);

    rig.click("Histo.mnuChargeFichier");
    rig.run(100);
    EXPECT_EQ(rig.fileBytes("Histo.txt"), rewritten);
    EXPECT_EQ(rig.control("Histo.List1").items, expected);
}

TEST(ActivityLogWindow, AnEmptyFileSaysSoAndAFileOfBlankLinesShowsTheHeadingsOnly) {
    {
        HistoWindow w("");
        EXPECT_TRUE(w.list().empty());
        ASSERT_EQ(w.rig().dialogs.openBoxes().size(), 1u);
        const Box& box = w.rig().dialogs.openBoxes()[0];
        EXPECT_EQ(boxLine(box), "box \" Warning\" \"The file is empty ... \" [OK]");
        EXPECT_EQ(box.icon, BoxIcon::Information);
        EXPECT_EQ(w.rig().fileBytes("Histo.txt"), "");
    }
    {
        HistoWindow w("\r\n   \r\n\r\n");
        EXPECT_EQ(w.list(), kHeadings);
        EXPECT_TRUE(w.rig().dialogs.openBoxes().empty());
        EXPECT_EQ(w.rig().fileBytes("Histo.txt"), "");
    }
}

TEST(ActivityLogWindow, AFullLogIsListedUpToTheLimitAndKeepsEveryRecord) {
    Lines lines;
    for (int i = 0; i < 32001; ++i) {
        lines.push_back(record("LE1  Start LE " + std::to_string(i)));
    }
    const std::string beyond = record("LE1   Alarm LFC ") + "\r\n" + record("LE2  Off LE");
    for (const std::string& tail : {std::string(), beyond}) {
        HistoWindow w(crlf(lines) + tail);
        ASSERT_EQ(w.list().size(), 3u + 32001u);
        EXPECT_EQ(w.list().back(), "    " + record("LE1  Start LE 32000").substr(2));
        ASSERT_EQ(w.rig().dialogs.openBoxes().size(), 1u);
        EXPECT_EQ(boxLine(w.rig().dialogs.openBoxes()[0]),
                  "box \" Warning!\" \"The boundaries of the list are reached!\" [OK]");

        // The records read come back tidied, those beyond the limit as they were.
        std::string expected;
        for (const auto& l : lines) {
            expected += "    " + l + "\r\n";
        }
        EXPECT_EQ(w.rig().fileBytes("Histo.txt"), expected + tail);
    }
}

TEST(ActivityLogWindow, DeleteListViewEmptiesTheListOnly) {
    HistoWindow w(crlf({record("LE1  Start LE ")}));
    const std::string before = w.rig().fileBytes("Histo.txt");
    w.rig().click("Histo.mnuEffListe");
    EXPECT_TRUE(w.list().empty());
    EXPECT_EQ(w.rig().fileBytes("Histo.txt"), before);
}

TEST(ActivityLogWindow, DeleteFileHddAsksFirstInTheQuestionWindow) {
    HistoWindow w(crlf({record("LE1  Start LE "), record("LE1  Off LE ")}));
    auto& rig = w.rig();
    const std::string before = rig.fileBytes("Histo.txt");

    rig.click("Histo.mnuEffLeFichier");
    auto& question = rig.form("FenQuestion");
    EXPECT_TRUE(question.visible);
    EXPECT_TRUE(question.modal);
    EXPECT_EQ(question.caption, " Warning");
    EXPECT_EQ(rig.control("FenQuestion.Label1").caption,
              "Are you sure you want to delete the entire file");
    ASSERT_EQ(rig.dialogs.openBoxes().size(), 1u);
    EXPECT_EQ(boxLine(rig.dialogs.openBoxes()[0]),
              "box \" Warning\" \"Are you sure you want to delete the entire file\" [Yes No]");

    rig.click("FenQuestion.\"No\"");
    EXPECT_FALSE(question.visible);
    EXPECT_TRUE(rig.dialogs.openBoxes().empty());
    EXPECT_EQ(rig.fileBytes("Histo.txt"), before);
    EXPECT_EQ(w.list().size(), 5u);

    rig.click("Histo.mnuEffLeFichier");
    rig.answer(BoxButton::Yes);
    EXPECT_FALSE(question.visible);
    EXPECT_FALSE(question.loaded);
    EXPECT_TRUE(rig.hasFile("Histo.txt"));
    EXPECT_EQ(rig.fileBytes("Histo.txt"), "");
    EXPECT_TRUE(w.list().empty());
}

TEST(ActivityLogWindow, PrintListSendsPagesOf76WithTheHeadingsOnTheThirdPage) {
    Lines lines;
    for (int i = 0; i < 197; ++i) {
        lines.push_back(
            record("LE" + std::to_string(i % 6 + 1) + "  Start LE " + std::to_string(i)));
    }
    HistoWindow w(crlf(lines));
    auto& rig = w.rig();
    ASSERT_EQ(w.list().size(), 200u);

    rig.click("Histo.mnuPrinter");
    EXPECT_FALSE(rig.form("FenQuestion").modal);
    EXPECT_EQ(rig.control("FenQuestion.Label1").caption, "Are you sure you want to print the list");
    EXPECT_TRUE(rig.printer.documents().empty());
    rig.click("FenQuestion.Command1");  // Yes

    const auto& docs = rig.printer.documents();
    ASSERT_EQ(docs.size(), 3u);
    const std::string margin(19, ' ');
    std::vector<std::string> printed;
    std::vector<std::size_t> entriesPerPage;
    for (std::size_t d = 0; d < docs.size(); ++d) {
        ASSERT_EQ(docs[d].pages.size(), 1u);
        const auto& page = docs[d].pages[0];
        const std::size_t skip = d == 0 ? 1 : d == 2 ? 4 : 0;
        if (d == 2) {
            EXPECT_EQ(
                Lines(page.begin(), page.begin() + 4),
                (Lines{"", "",
                       margin + "  Report faults history, starts, stops and mistakes errors", ""}));
        } else if (d == 0) {
            EXPECT_EQ(page[0], "");
        }
        entriesPerPage.push_back(page.size() - skip);
        printed.insert(printed.end(), page.begin() + static_cast<std::ptrdiff_t>(skip), page.end());
    }
    EXPECT_EQ(entriesPerPage, (std::vector<std::size_t>{76, 76, 48}));
    ASSERT_EQ(printed.size(), w.list().size());
    for (std::size_t i = 0; i < printed.size(); ++i) {
        EXPECT_EQ(printed[i], margin + w.list()[i]);
    }

    rig.click("Histo.mnuPrinter");
    rig.answer(BoxButton::No);
    EXPECT_EQ(rig.printer.documents().size(), 3u);
}

TEST(ActivityLogWindow, QuitClosesTheWindowAndOpeningAgainLoadsAgain) {
    HistoWindow w(crlf({record("LE1  Start LE ")}));
    auto& rig = w.rig();
    rig.click("Histo.mnuQuitterHisto");
    auto& window = rig.form("Histo");
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(window.loaded);
    EXPECT_TRUE(w.list().empty());

    rig.program->activityLog().WriteHisto(0, "LE3  Starting LE ");
    rig.click("Log.mnuhisto");
    rig.run(100);
    ASSERT_EQ(w.list().size(), 5u);
    EXPECT_EQ(w.list()[4], "    09:30:00    11.12.2026    000    LE3  Starting LE ");
}

TEST(ActivityLogWindow, AScriptSeesTheQuestionWindowAsABoxAndAnswersIt) {
    HistoWindow w(crlf({record("LE1  Start LE ")}));
    auto& rig = w.rig();
    std::ostringstream boxes;
    rig.dialogs.setOpenObserver([&](const Box& box) { boxes << boxLine(box) << '\n'; });
    const auto result = rig.runScript(
        "click Histo.mnuEffLeFichier\n"
        "answer Yes\n"
        "dump Histo.List1\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(boxes.str(),
              "box \" Warning\" \"Are you sure you want to delete the entire file\" [Yes No]\n");
    EXPECT_EQ(result.out,
              "Histo.List1 listbox visible=1 enabled=1 fore=&H80000008& "
              "back=&H80000005& items=0 left=0 top=0 width=13350 height=8925\n");
    EXPECT_EQ(rig.fileBytes("Histo.txt"), "");
}

}  // namespace
}  // namespace lec::test
