#include "app/qt/form_views.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFontMetricsF>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include "app/qt/screenshot.h"
#include "forms/user_actions.h"
#include "platform/qt/qt_surface.h"
#include "qt/qt_wait.h"

namespace lec {
namespace {

using forms::Kind;
using forms::MouseAction;

void sendMouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, at, w->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void sendKey(QWidget* w, int key, const QString& text) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &event);
}

// The rightmost column of a dark pixel in `row` of the image: where a row's
// last glyph ends.
int lastInkColumn(const QImage& image, const QRect& row) {
    for (int x = row.right(); x >= row.left(); --x) {
        for (int y = row.top(); y <= row.bottom(); ++y) {
            if (qGray(image.pixel(x, y)) < 100) {
                return x;
            }
        }
    }
    return -1;
}

class FormViewsTest : public ::testing::Test {
protected:
    FormViewsTest() {
        form.caption = "Log";
        form.setSize(6000, 4500);  // 400 x 300 px at 15 twips a pixel
        form.border = forms::BorderStyle::FixedSingle;

        label.caption = "&Fan && pump";
        label.setGeometry(150, 300, 1500, 300);
        check.caption = "Hold";
        check.setGeometry(150, 700, 1500, 300);
        text.setGeometry(150, 1100, 1500, 300);
        ok.caption = "OK";
        ok.isDefault = true;
        ok.setGeometry(150, 1500, 1500, 375);
        list.setGeometry(1800, 300, 3000, 1500);
        list.tabStops = {80};
        list.addItem("a\tX");
        list.addItem("wwwwww\tX");
        scroll.setGeometry(5000, 300, 255, 1500);
        scroll.min = 130;  // the bar runs backwards: 130 at the top
        scroll.max = 30;
        scroll.value = 50;
        picture.setGeometry(1800, 2000, 1500, 750);
        picture.surface = &surface;

        file.caption = "&File";
        for (auto* entry : {&open, &separator, &quit}) {
            entry->parentMenu = &file;
        }
        open.caption = "Open";
        separator.caption = "-";
        quit.caption = "Quit";
        popupTitle.visible = false;  // only ever opened as a pop-up
        copy.parentMenu = &popupTitle;
        copy.caption = "Copy";

        form.show();
        views.sync();
    }

    template <class W>
    W* widgetOf(const forms::Control& c) {
        return qobject_cast<W*>(views.widget(c));
    }

    forms::FormSet forms;
    forms::Form& form = forms.create("Log");
    forms::Control& label = form.add(Kind::Label, "Label30", 0);
    forms::Control& check = form.add(Kind::CheckBox, "Check2");
    forms::Control& text = form.add(Kind::TextBox, "Text1");
    forms::Control& ok = form.add(Kind::CommandButton, "Command1");
    forms::Control& list = form.add(Kind::ListBox, "List4");
    forms::Control& scroll = form.add(Kind::VScrollBar, "VScroll1");
    forms::Control& picture = form.add(Kind::PictureBox, "Picture1");
    forms::Control& file = form.add(Kind::Menu, "mnuFile");
    forms::Control& open = form.add(Kind::Menu, "mnuOpen");
    forms::Control& separator = form.add(Kind::Menu, "mnuSep");
    forms::Control& quit = form.add(Kind::Menu, "mnuQuit");
    forms::Control& popupTitle = form.add(Kind::Menu, "mnuPopup");
    forms::Control& copy = form.add(Kind::Menu, "mnuCopy");
    QtSurface surface{100, 50, Colour::rgb(255, 0, 0)};
    FormViews views{forms, 15, 15};
};

TEST(TwipsPerPixel, FollowsTheDpiAndIsNeverZero) {
    const struct {
        double dpi;
        int twips;
    } cases[] = {{96, 15}, {120, 12}, {144, 10}, {0, 15}, {-3, 15}, {1e6, 1}};
    for (const auto& c : cases) {
        EXPECT_EQ(FormViews::twipsPerPixelAt(c.dpi), c.twips) << c.dpi;
    }
    EXPECT_GT(FormViews::screenTwipsPerPixel().x, 0);
}

TEST_F(FormViewsTest, WidgetsFollowTheModel) {
    QWidget* window = views.window(form);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Log");
    EXPECT_EQ(window->size(), QSize(400, 300));

    auto* caption = widgetOf<QLabel>(label);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->text(), "Fan & pump");
    EXPECT_EQ(caption->geometry(), QRect(10, 20, 100, 20));

    auto* bar = widgetOf<QScrollBar>(scroll);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->minimum(), 30);
    EXPECT_EQ(bar->maximum(), 130);
    EXPECT_EQ(bar->value(), 110);

    label.caption = "Hot";
    label.back = Colour::rgb(0, 255, 0);
    check.back = colours::kPaleBlue;
    scroll.value = 130;
    views.sync();
    EXPECT_EQ(caption->text(), "Hot");
    EXPECT_EQ(caption->palette().color(QPalette::Window), QColor(0, 255, 0));
    auto* box = widgetOf<QCheckBox>(check);
    EXPECT_EQ(box->grab().toImage().pixelColor(box->width() - 2, 2), QColor(0xC0, 0xC0, 0xFF));

    check.visible = false;
    views.sync();
    EXPECT_TRUE(widgetOf<QCheckBox>(check)->isHidden());
    EXPECT_EQ(bar->value(), 30);  // the model's min sits at the top

    form.hide();
    views.sync();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FormViewsTest, ALeftClickOnACheckBoxIsDownUpClickOnce) {
    std::vector<std::string> events;
    check.onMouse = [&](MouseAction a, forms::MouseButton, int, int) {
        events.emplace_back(a == MouseAction::Down ? "down" : a == MouseAction::Up ? "up" : "move");
    };
    check.onClick = [&] { events.emplace_back("click"); };
    auto* box = widgetOf<QCheckBox>(check);

    sendMouse(box, QEvent::MouseButtonPress, {5, 5});
    sendMouse(box, QEvent::MouseButtonRelease, {5, 5});
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up", "click"}));
    EXPECT_EQ(check.checked, 1);
    views.sync();
    EXPECT_EQ(box->checkState(), Qt::Checked);

    // Released off the box: no click, the box stays as the model has it.
    events.clear();
    sendMouse(box, QEvent::MouseButtonPress, {5, 5});
    sendMouse(box, QEvent::MouseButtonRelease, {-50, 5});
    EXPECT_EQ(events, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(check.checked, 1);
    EXPECT_EQ(box->checkState(), Qt::Checked);

    // A double click: Down Up Click DblClick Up; a right click has no click.
    events.clear();
    label.onMouse = check.onMouse;
    label.onClick = check.onClick;
    label.onDblClick = [&] { events.emplace_back("dblclick"); };
    QWidget* caption = views.widget(label);
    for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                      QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        sendMouse(caption, type, {5, 5});
    }
    sendMouse(caption, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
    sendMouse(caption, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton);
    EXPECT_EQ(events,
              (std::vector<std::string>{"down", "up", "click", "dblclick", "up", "down", "up"}));
}

TEST_F(FormViewsTest, TypedKeysPassTheKeyPressHandler) {
    const struct {
        const char* name;
        std::function<void(int&)> onKeyPress;
        std::string typed;
    } cases[] = {
        {"plain", {}, "ab"},
        {"swallowed", [](int& k) { k = k == 'b' ? 0 : k; }, "a"},
        {"replaced", [](int& k) { k = std::toupper(k); }, "AB"},
    };
    auto* edit = widgetOf<QLineEdit>(text);
    for (const auto& c : cases) {
        forms::assignText(text, "");
        views.sync();
        int changes = 0;
        text.onChange = [&] { ++changes; };
        text.onKeyPress = c.onKeyPress;
        sendKey(edit, Qt::Key_A, "a");
        sendKey(edit, Qt::Key_B, "b");
        EXPECT_EQ(text.text, c.typed) << c.name;
        EXPECT_EQ(changes, static_cast<int>(c.typed.size())) << c.name;
        views.sync();
        EXPECT_EQ(edit->text().toStdString(), c.typed) << c.name;
    }

    int pressed = 0;
    ok.onClick = [&] { ++pressed; };
    sendKey(edit, Qt::Key_Return, "\r");
    EXPECT_EQ(pressed, 1);
}

TEST_F(FormViewsTest, TheCloseBoxAsksTheForm) {
    bool mayClose = false;
    int asked = 0;
    form.onCloseRequest = [&] {
        ++asked;
        return mayClose;
    };
    QWidget* window = views.window(form);
    window->close();
    views.sync();
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(form.visible);
    EXPECT_TRUE(window->isVisible());

    mayClose = true;
    window->close();
    views.sync();
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(form.loaded);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(FormViewsTest, AMovedScrollBarReachesTheModelThroughItsMirror) {
    int changes = 0;
    scroll.onChange = [&] { ++changes; };
    widgetOf<QScrollBar>(scroll)->setValue(120);  // as a drag would
    EXPECT_EQ(scroll.value, 40);
    EXPECT_EQ(changes, 1);
    views.sync();
    EXPECT_EQ(changes, 1);  // the sync does not echo it back
}

TEST_F(FormViewsTest, ListColumnsLineUpAtTheTabStops) {
    auto* rows = widgetOf<QListWidget>(list);
    ASSERT_EQ(rows->count(), 2);
    const QImage image = rows->viewport()->grab().toImage();
    const int first = lastInkColumn(image, rows->visualItemRect(rows->item(0)));
    const int second = lastInkColumn(image, rows->visualItemRect(rows->item(1)));
    EXPECT_GT(first, 0);
    EXPECT_EQ(first, second);
    // 80 dialog units are 20 average characters: far right of "wwwwww".
    const double stop = QFontMetricsF(rows->font()).averageCharWidth() * 20;
    EXPECT_GT(first, stop);
    EXPECT_LT(first, stop + 20);

    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    rows->setCurrentRow(1);  // as a click on the row would
    EXPECT_EQ(list.listIndex, 1);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FormViewsTest, MenusShowTheirEntriesAndPopUps) {
    QMenuBar* bar = views.menuBar(form);
    ASSERT_NE(bar, nullptr);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(views.action(separator)->isSeparator());
    EXPECT_FALSE(views.action(popupTitle)->isVisible());  // not in the bar

    int quits = 0;
    quit.onClick = [&] { ++quits; };
    views.action(quit)->trigger();
    EXPECT_EQ(quits, 1);

    quit.checked = 1;
    views.sync();
    EXPECT_TRUE(views.action(quit)->isChecked());

    form.popupMenu(popupTitle);
    QMenu* popup = views.action(popupTitle)->menu();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(test::runEventsUntil([&] { return popup->isVisible(); }));
    popup->close();
}

TEST_F(FormViewsTest, PicturesShowTheirSurface) {
    QWidget* view = views.widget(picture);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->grab().toImage().pixelColor(5, 5), QColor(255, 0, 0));
    surface.fillBox(0, 0, 20, 20, Colour::rgb(0, 0, 255));
    views.sync();
    EXPECT_EQ(view->grab().toImage().pixelColor(5, 5), QColor(0, 0, 255));
}

TEST_F(FormViewsTest, ControlsAddedLaterAppearInTheirContainer) {
    auto& frame = form.add(Kind::Frame, "Frame1");
    frame.caption = "Lamps";
    frame.setGeometry(3000, 3000, 1500, 1200);
    auto& late = form.add(Kind::Label, "Label99");
    late.caption = "late";
    late.container = &frame;
    late.setGeometry(150, 300, 600, 300);
    views.sync();
    QWidget* lateWidget = views.widget(late);
    ASSERT_NE(lateWidget, nullptr);
    EXPECT_EQ(lateWidget->parentWidget(), views.widget(frame));
    EXPECT_EQ(lateWidget->geometry(), QRect(10, 20, 40, 20));
    EXPECT_TRUE(lateWidget->isVisible());

    // A click on the label is the label's alone, not the frame's too.
    int frameEvents = 0;
    int lateClicks = 0;
    frame.onMouse = [&](MouseAction, forms::MouseButton, int, int) { ++frameEvents; };
    frame.onClick = [&] { ++frameEvents; };
    late.onClick = [&] { ++lateClicks; };
    sendMouse(lateWidget, QEvent::MouseButtonPress, {3, 3});
    sendMouse(lateWidget, QEvent::MouseButtonRelease, {3, 3});
    EXPECT_EQ(lateClicks, 1);
    EXPECT_EQ(frameEvents, 0);
}

TEST_F(FormViewsTest, AScreenshotIsTheWindowAsPng) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("log.png").toStdString();
    ASSERT_TRUE(saveScreenshot(views, form, path));
    EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(400, 300));
}

}  // namespace
}  // namespace lec
