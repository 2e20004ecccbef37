#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lec {
namespace {

using Log = std::vector<std::string>;

// Records what the screen would be asked to do, in order.
class RecordingDialogs : public Dialogs {
public:
    explicit RecordingDialogs(Log& log) : log_(log) {
        setOpenObserver([this](const Box& b) { log_.push_back("open " + std::to_string(b.id)); });
    }

protected:
    void present(const Box& box) override { log_.push_back("present " + std::to_string(box.id)); }
    void dismiss(int id) override { log_.push_back("dismiss " + std::to_string(id)); }

private:
    Log& log_;
};

class DialogsTest : public ::testing::Test {
protected:
    Log log_;
    RecordingDialogs dialogs_{log_};
};

TEST_F(DialogsTest, MessageRunsItsContinuationAfterOk) {
    std::size_t openWhenDone = 99;
    dialogs_.message(" Warning!", "Com Port not enabled", BoxIcon::Warning, [&] {
        openWhenDone = dialogs_.openBoxes().size();
        log_.push_back("done");
    });
    ASSERT_EQ(dialogs_.openBoxes().size(), 1u);
    EXPECT_EQ(dialogs_.openBoxes()[0].buttons, std::vector<BoxButton>{BoxButton::Ok});

    EXPECT_TRUE(dialogs_.answer(BoxButton::Ok));
    EXPECT_EQ(log_, (Log{"open 1", "present 1", "dismiss 1", "done"}));
    EXPECT_EQ(openWhenDone, 0u);  // gone from the list before the continuation ran
}

TEST_F(DialogsTest, AnswerOfAQuestionMayOpenTheNextBox) {
    std::optional<bool> reply;
    bool messageDone = false;
    dialogs_.question(" Warning!", "Are you sure?", [&](bool yes) {
        reply = yes;
        dialogs_.message("Info", "Stopped", BoxIcon::Information, [&] { messageDone = true; });
    });

    EXPECT_TRUE(dialogs_.answer(BoxButton::Yes));
    EXPECT_EQ(reply, true);
    ASSERT_EQ(dialogs_.openBoxes().size(), 1u);
    EXPECT_EQ(dialogs_.openBoxes()[0].text, "Stopped");
    EXPECT_EQ(log_, (Log{"open 1", "present 1", "dismiss 1", "open 2", "present 2"}));

    EXPECT_FALSE(dialogs_.answer(BoxButton::Yes));  // a message has no Yes
    EXPECT_TRUE(dialogs_.answer(BoxButton::Ok));
    EXPECT_TRUE(messageDone);
    EXPECT_TRUE(dialogs_.openBoxes().empty());
}

TEST_F(DialogsTest, NothingHappensWithoutABoxOrWithAButtonItLacks) {
    EXPECT_FALSE(dialogs_.answer(BoxButton::Ok));
    EXPECT_TRUE(log_.empty());

    std::optional<bool> reply;
    dialogs_.question("Q", "Sure?", [&](bool yes) { reply = yes; });
    EXPECT_FALSE(dialogs_.answer(BoxButton::Ok));
    EXPECT_FALSE(dialogs_.answer(BoxButton::Cancel));
    EXPECT_FALSE(dialogs_.press(42, BoxButton::Yes));
    EXPECT_EQ(dialogs_.openBoxes().size(), 1u);
    EXPECT_EQ(reply, std::nullopt);

    EXPECT_TRUE(dialogs_.answer(BoxButton::No));
    EXPECT_EQ(reply, false);
    EXPECT_FALSE(dialogs_.answer(BoxButton::No));  // already answered
}

TEST_F(DialogsTest, AnswerGoesToTheNewestWhilePressReachesAnyBox) {
    Log answers;
    const auto record = [&](const std::string& who) {
        return [&answers, who](BoxButton b) { answers.push_back(who + " " + buttonCaption(b)); };
    };
    const int first =
        dialogs_.open({0, "t", "first", BoxIcon::None, {BoxButton::Ok}}, record("first"));
    const int second = dialogs_.open(
        {0, "t", "second", BoxIcon::None, {BoxButton::Yes, BoxButton::No, BoxButton::Cancel}},
        record("second"));
    EXPECT_NE(first, second);

    EXPECT_TRUE(dialogs_.press(first, BoxButton::Ok));  // the user clicks the older one
    ASSERT_EQ(dialogs_.openBoxes().size(), 1u);
    EXPECT_EQ(dialogs_.openBoxes()[0].id, second);
    EXPECT_TRUE(dialogs_.answer(BoxButton::Cancel));
    EXPECT_EQ(answers, (Log{"first OK", "second Cancel"}));
}

TEST_F(DialogsTest, TrackedBoxIsAnsweredLikeAnyButTakenDownByItsOwnWindow) {
    // A window that draws itself: the presenter never sees it, the observer
    // does, and the answer takes the window down before its continuation runs.
    bool windowShown = true;
    std::optional<bool> shownWhenAnswered;
    const int tracked = dialogs_.track(
        {0,
         " Warning",
         "Are you sure you want to print the list",
         BoxIcon::Question,
         {BoxButton::Yes, BoxButton::No}},
        [&](BoxButton b) {
            shownWhenAnswered = windowShown;
            log_.push_back(std::string("answer ") + buttonCaption(b));
        },
        [&] {
            windowShown = false;
            log_.push_back("window down");
        });
    ASSERT_EQ(dialogs_.openBoxes().size(), 1u);
    EXPECT_EQ(dialogs_.openBoxes()[0].id, tracked);
    EXPECT_EQ(log_, (Log{"open " + std::to_string(tracked)}));

    // A message opened meanwhile is the newest: a script answers that first.
    dialogs_.message("t", "later");
    EXPECT_FALSE(dialogs_.answer(BoxButton::Yes));
    EXPECT_TRUE(dialogs_.answer(BoxButton::Ok));

    log_.clear();
    EXPECT_FALSE(dialogs_.press(tracked, BoxButton::Ok));
    EXPECT_TRUE(dialogs_.press(tracked, BoxButton::Yes));  // the window's own button
    EXPECT_EQ(log_, (Log{"window down", "answer Yes"}));
    EXPECT_EQ(shownWhenAnswered, false);
    EXPECT_TRUE(dialogs_.openBoxes().empty());
    EXPECT_FALSE(dialogs_.press(tracked, BoxButton::Yes));
}

TEST(BoxLine, PrintsTitleTextAndButtons) {
    const struct {
        Box box;
        std::string line;
    } cases[] = {
        {{1,
          " Warning!",
          "Are you sure you want to exit the program!",
          BoxIcon::Question,
          {BoxButton::Yes, BoxButton::No}},
         R"(box " Warning!" "Are you sure you want to exit the program!" [Yes No])"},
        {{2, " Warning!", "Com Port not enabled", BoxIcon::Warning, {BoxButton::Ok}},
         R"(box " Warning!" "Com Port not enabled" [OK])"},
        {{3, R"(say "hi")", R"(C:\lec\)", BoxIcon::None, {BoxButton::Ok, BoxButton::Cancel}},
         R"(box "say \"hi\"" "C:\\lec\\" [OK Cancel])"},
        {{4, "", "25°C", BoxIcon::None, {}}, R"(box "" "25°C" [])"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(boxLine(c.box), c.line);
}

}  // namespace
}  // namespace lec
