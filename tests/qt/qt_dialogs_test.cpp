#include <gtest/gtest.h>

#include <optional>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>

#include "platform/qt/qt_dialogs.h"
#include "qt/qt_wait.h"

namespace lec {
namespace {

QStringList captions(const QMessageBox& mb) {
    QStringList out;
    for (QAbstractButton* b : mb.buttons()) {
        out << b->text();
    }
    out.sort();
    return out;
}

QAbstractButton* button(QMessageBox& mb, const QString& caption) {
    for (QAbstractButton* b : mb.buttons()) {
        if (b->text() == caption) {
            return b;
        }
    }
    return nullptr;
}

TEST(QtDialogs, ShowsTheBoxWithoutWaitingAndAnswersTheClick) {
    QtDialogs dialogs;
    std::optional<bool> answer;
    dialogs.question("LE-3", "Start the light engine?", [&](bool yes) { answer = yes; });

    // Still here: the question did not wait for its answer.
    ASSERT_EQ(dialogs.openBoxes().size(), 1u);
    const int id = dialogs.openBoxes().front().id;
    QPointer<QMessageBox> mb = dialogs.messageBox(id);
    ASSERT_NE(mb, nullptr);
    EXPECT_TRUE(mb->isVisible());
    EXPECT_EQ(mb->windowTitle(), "LE-3");
    EXPECT_EQ(mb->text(), "Start the light engine?");
    EXPECT_EQ(mb->icon(), QMessageBox::Question);
    EXPECT_EQ(captions(*mb), (QStringList{"No", "Yes"}));
    EXPECT_EQ(mb->windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(mb->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    button(*mb, "No")->click();
    EXPECT_EQ(answer, false);
    EXPECT_TRUE(dialogs.openBoxes().empty());
    test::runPendingEvents();
    EXPECT_EQ(mb, nullptr);
}

TEST(QtDialogs, BoxAnsweredByAScriptLeavesTheScreen) {
    QtDialogs dialogs;
    int done = 0;
    dialogs.message("Error", "Port COM3 cannot be opened", BoxIcon::Critical, [&] { ++done; });
    QPointer<QMessageBox> mb = dialogs.messageBox(dialogs.openBoxes().front().id);
    ASSERT_NE(mb, nullptr);
    EXPECT_EQ(mb->icon(), QMessageBox::Critical);
    EXPECT_EQ(captions(*mb), (QStringList{"OK"}));

    EXPECT_TRUE(dialogs.answer(BoxButton::Ok));
    EXPECT_EQ(done, 1);
    EXPECT_FALSE(mb && mb->isVisible());
    test::runPendingEvents();
    EXPECT_EQ(mb, nullptr);
    EXPECT_EQ(done, 1);
}

// Escape and the window's close button answer with the button that declines.
struct CloseCase {
    const char* name;
    std::vector<BoxButton> buttons;
    bool escapeKey;  // else the window is closed
    std::optional<BoxButton> expected;
};

class QtDialogsClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(QtDialogsClose, AnswersWithTheDecliningButton) {
    const CloseCase& c = GetParam();
    QtDialogs dialogs;
    std::optional<BoxButton> got;
    const int id = dialogs.open(Box{0, "Title", "Text", BoxIcon::Warning, c.buttons},
                                [&](BoxButton b) { got = b; });
    QPointer<QMessageBox> mb = dialogs.messageBox(id);
    ASSERT_NE(mb, nullptr);
    if (c.escapeKey) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(mb, &escape);
    } else {
        mb->close();
    }
    test::runPendingEvents();
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(dialogs.openBoxes().empty(), c.expected.has_value());
    EXPECT_EQ(mb == nullptr, c.expected.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, QtDialogsClose,
    ::testing::Values(
        CloseCase{"EscapeOnMessage", {BoxButton::Ok}, true, BoxButton::Ok},
        CloseCase{"CloseMessage", {BoxButton::Ok}, false, BoxButton::Ok},
        CloseCase{"EscapeOnQuestion", {BoxButton::Yes, BoxButton::No}, true, BoxButton::No},
        CloseCase{"CloseQuestion", {BoxButton::Yes, BoxButton::No}, false, BoxButton::No},
        CloseCase{"CloseWithCancel",
                  {BoxButton::Yes, BoxButton::No, BoxButton::Cancel},
                  false,
                  BoxButton::Cancel},
        CloseCase{
            "CloseWithoutDecliningButton", {BoxButton::Yes, BoxButton::Ok}, false, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(QtDialogs, AnswerMayOpenTheNextBox) {
    QtDialogs dialogs;
    bool second = false;
    dialogs.question("First", "Continue?", [&](bool yes) {
        ASSERT_TRUE(yes);
        dialogs.message("Second", "Done", BoxIcon::Information, [&] { second = true; });
    });
    QPointer<QMessageBox> first = dialogs.messageBox(dialogs.openBoxes().front().id);
    button(*first, "Yes")->click();
    test::runPendingEvents();

    EXPECT_EQ(first, nullptr);
    ASSERT_EQ(dialogs.openBoxes().size(), 1u);
    EXPECT_EQ(dialogs.openBoxes().front().title, "Second");
    QMessageBox* next = dialogs.messageBox(dialogs.openBoxes().front().id);
    ASSERT_NE(next, nullptr);
    EXPECT_TRUE(next->isVisible());
    button(*next, "OK")->click();
    EXPECT_TRUE(second);
}

}  // namespace
}  // namespace lec
