#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "records/question_window.h"
#include "support/rig.h"

namespace lec::test {
namespace {

TEST(QuestionWindow, ANewQuestionTakesTheWindowOverAndTheEarlierOneGetsNo) {
    Rig rig;
    auto& question = rig.program->questionWindow();
    std::vector<std::string> answers;
    const auto note = [&](const std::string& who) {
        return [&answers, who](bool yes) { answers.push_back(who + (yes ? " yes" : " no")); };
    };

    question.ask(" Warning!", "START All LE", /*modal=*/true, note("start"));
    auto& window = rig.form("FenQuestion");
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(window.modal);
    EXPECT_EQ(window.caption, " Warning!");
    rig.close("FenQuestion");  // only Yes or No close it
    EXPECT_TRUE(window.visible);

    question.ask(" Warning!", "STOP All LE", /*modal=*/false, note("stop"));
    EXPECT_EQ(answers, (std::vector<std::string>{"start no"}));
    ASSERT_EQ(rig.dialogs.openBoxes().size(), 1u);
    EXPECT_EQ(boxLine(rig.dialogs.openBoxes()[0]), "box \" Warning!\" \"STOP All LE\" [Yes No]");
    EXPECT_EQ(rig.control("FenQuestion.Label1").caption, "STOP All LE");
    EXPECT_FALSE(window.modal);

    rig.click("FenQuestion.\"Yes\"");
    EXPECT_EQ(answers, (std::vector<std::string>{"start no", "stop yes"}));
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(question.openBox(), std::nullopt);
    EXPECT_TRUE(rig.dialogs.openBoxes().empty());
}

}  // namespace
}  // namespace lec::test
