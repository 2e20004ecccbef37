#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/virtual/recording_dialogs.h"
#include "platform/virtual/recording_printer.h"

namespace lec {
namespace {

using Page = std::vector<std::string>;
using Pages = std::vector<Page>;

TEST(RecordingPrinter, LinesGoToTheCurrentPageOfTheDocumentBeingBuilt) {
    RecordingPrinter p;
    p.printLine("one");
    p.printLine("two");
    p.newPage();
    p.printLine("three");
    ASSERT_TRUE(p.current().has_value());
    EXPECT_TRUE(p.documents().empty());
    p.endDoc();
    p.printLine("next");
    p.endDoc();

    ASSERT_EQ(p.documents().size(), 2u);
    EXPECT_EQ(p.documents()[0].pages, (Pages{{"one", "two"}, {"three"}}));
    EXPECT_EQ(p.documents()[1].pages, (Pages{{"next"}}));
    EXPECT_FALSE(p.current().has_value());
    EXPECT_EQ(p.lastDestination(), "recording");
}

TEST(RecordingPrinter, DocumentWithoutLinesIsStillRecorded) {
    RecordingPrinter p;
    p.endDoc();
    p.newPage();
    p.endDoc();
    ASSERT_EQ(p.documents().size(), 2u);
    EXPECT_EQ(p.documents()[0].pages, (Pages{{}}));
    EXPECT_EQ(p.documents()[1].pages, (Pages{{}, {}}));
}

TEST(RecordingDialogs, HistoryKeepsEveryBoxAndDismissalsFollowAnswers) {
    RecordingDialogs d;
    bool yes = false;
    d.message(" Warning!", "Com Port not enabled");
    d.question("Q", "Sure?", [&](bool answer) { yes = answer; });
    ASSERT_EQ(d.history().size(), 2u);
    EXPECT_EQ(d.history()[0].text, "Com Port not enabled");
    EXPECT_EQ(d.history()[1].buttons, (std::vector<BoxButton>{BoxButton::Yes, BoxButton::No}));

    ASSERT_TRUE(d.answer(BoxButton::Yes));
    ASSERT_TRUE(d.answer(BoxButton::Ok));
    EXPECT_TRUE(yes);
    EXPECT_TRUE(d.openBoxes().empty());
    EXPECT_EQ(d.history().size(), 2u);
    EXPECT_EQ(d.dismissed(), (std::vector<int>{d.history()[1].id, d.history()[0].id}));
}

}  // namespace
}  // namespace lec
