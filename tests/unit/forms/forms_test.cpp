#include <gtest/gtest.h>

#include "forms/addressing.h"
#include "forms/dump.h"
#include "forms/form.h"
#include "forms/user_actions.h"

namespace lec::forms {
namespace {

class FormsTest : public ::testing::Test {
protected:
    FormsTest() : log(set.create("Log")) {
        log.caption = "  RZ \"Optic\"";
        log.setSize(12900, 10920);
        log.show();
    }
    FormSet set;
    Form& log;
};

TEST_F(FormsTest, DumpFollowsTheDocumentedLayout) {
    auto& label = log.add(Kind::Label, "Label30", 0);
    label.caption = "yes";
    label.back = Colour{0x0000FF00};
    auto& hold = log.add(Kind::CheckBox, "Check2");
    hold.caption = "Hold";
    hold.visible = false;
    hold.back = colours::kPaleBlue;
    auto& slider = log.add(Kind::VScrollBar, "VScroll1");
    slider.enabled = false;
    slider.min = 30;
    slider.max = 130;
    slider.value = 50;
    auto& errors = log.add(Kind::ListBox, "List4");
    errors.fore = Colour::rgb(255, 0, 0);
    errors.back = colours::kBlack;
    errors.addItem(" Error LE1  V1 - Fan speed too fast");
    errors.addItem("back\\slash");
    auto& quit = log.add(Kind::Menu, "mnuQuit");
    quit.caption = "Quit";
    auto& field = log.add(Kind::TextBox, "Text1", 3);
    field.text = "0";
    field.setGeometry(120, 240, 735, 285);

    EXPECT_EQ(dump(log),
              "Log form caption=\"  RZ \\\"Optic\\\"\" visible=1 width=12900 height=10920\n"
              "Log.Label30(0) label caption=\"yes\" visible=1 enabled=1 fore=&H80000012& "
              "back=&H0000FF00&\n"
              "Log.Check2 checkbox caption=\"Hold\" visible=0 enabled=1 fore=&H80000012& "
              "back=&H00FFC0C0& checked=0\n"
              "Log.VScroll1 scrollbar visible=1 enabled=0 value=50 min=30 max=130\n"
              "Log.List4 listbox visible=1 enabled=1 fore=&H000000FF& back=&H00000000& items=2\n"
              "Log.List4[0]=\" Error LE1  V1 - Fan speed too fast\"\n"
              "Log.List4[1]=\"back\\\\slash\"\n"
              "Log.mnuQuit menu caption=\"Quit\" visible=1 enabled=1 checked=0\n"
              "Log.Text1(3) textbox text=\"0\" visible=1 enabled=1 fore=&H80000008& "
              "back=&H80000005& left=120 top=240 width=735 height=285\n");
}

TEST_F(FormsTest, AddressesNameWindowsControlsArraysAndCaptions) {
    log.add(Kind::Label, "Label27", 2);
    log.add(Kind::Menu, "mnuQuit").caption = "Quit";
    auto& normal = log.add(Kind::CommandButton, "Command1", 0);
    normal.caption = "cyclic-test";
    log.add(Kind::CommandButton, "Command1", 1).caption = "Twin";
    log.add(Kind::CommandButton, "Command1", 2).caption = "Twin";

    struct Case {
        const char* address;
        const char* found;  // control id, "" for the window, nullptr for an error
    };
    const Case cases[] = {
        {"Log", ""},
        {"Log.Label27(2)", "Label27(2)"},
        {"Log.mnuQuit", "mnuQuit"},
        {"Log.\"cyclic-test\"", "Command1(0)"},
        {"Log.Label27", nullptr},     // an array needs its index
        {"Log.Label27(3)", nullptr},  // no such element
        {"Log.Label27(x)", nullptr},
        {"Log.\"Twin\"", nullptr},  // caption not unique
        {"Log.\"nothing\"", nullptr},
        {"Nowhere.Label1", nullptr},
    };
    for (const auto& c : cases) {
        const Target t = resolve(set, c.address);
        if (c.found == nullptr) {
            EXPECT_FALSE(t.ok()) << c.address;
            continue;
        }
        ASSERT_TRUE(t.ok()) << c.address << ": " << t.error;
        EXPECT_EQ(t.control == nullptr ? std::string() : t.control->id(), c.found) << c.address;
    }
}

TEST_F(FormsTest, ClickRaisesMouseEventsThenClickWithTheNewValue) {
    auto& box = log.add(Kind::CheckBox, "Check1");
    std::string events;
    box.onMouse = [&](MouseAction a, MouseButton b, int, int) {
        events += a == MouseAction::Down ? "down" : "up";
        events += b == MouseButton::Left ? "L " : "R ";
    };
    box.onClick = [&] { events += "click" + std::to_string(box.checked) + " "; };

    userClick(box);
    userRightClick(box);
    userCheck(box, true);  // already ticked: nothing happens
    userCheck(box, false);
    EXPECT_EQ(events, "downL upL click1 downR upR downL upL click0 ");

    box.enabled = false;
    userClick(box);
    EXPECT_EQ(box.checked, 0);
}

TEST_F(FormsTest, OptionButtonsAreExclusiveWithinTheirContainer) {
    auto& frame = log.add(Kind::Frame, "Frame1");
    auto& a = log.add(Kind::OptionButton, "Option1", 0);
    auto& b = log.add(Kind::OptionButton, "Option1", 1);
    auto& outside = log.add(Kind::OptionButton, "Option2");
    a.container = &frame;
    b.container = &frame;
    outside.checked = 1;

    userClick(a);
    userClick(b);
    EXPECT_EQ(a.checked, 0);
    EXPECT_EQ(b.checked, 1);
    EXPECT_EQ(outside.checked, 1);
}

TEST_F(FormsTest, ValuesWrittenByCodeRaiseEventsOnlyWhenTheyChange) {
    auto& text = log.add(Kind::TextBox, "Text1");
    auto& scroll = log.add(Kind::VScrollBar, "VScroll1");
    scroll.min = 130;  // a reversed range is allowed
    scroll.max = 30;
    int changes = 0;
    text.onChange = [&] { ++changes; };
    scroll.onChange = [&] { ++changes; };

    assignText(text, "abc");
    assignText(text, "abc");
    userSetScroll(scroll, 500);
    EXPECT_EQ(scroll.value, 130);
    userSetScroll(scroll, 130);
    EXPECT_EQ(changes, 2);

    text.maxLength = 2;
    userSetText(text, "12345");
    EXPECT_EQ(text.text, "12");
}

TEST_F(FormsTest, EnterPressesTheDefaultButtonAndKeysCanBeSwallowed) {
    auto& field = log.add(Kind::TextBox, "Text1");
    auto& ok = log.add(Kind::CommandButton, "OkStart");
    ok.isDefault = true;
    int pressed = 0;
    ok.onClick = [&] { ++pressed; };
    field.onKeyPress = [](int& key) {
        if (key == 'x') {
            key = 0;
        }
    };
    for (int key : {'a', 'x', 'b', '\b', 'c', '\r'}) {
        userKey(field, key);
    }
    EXPECT_EQ(field.text, "ac");
    EXPECT_EQ(pressed, 1);
}

TEST_F(FormsTest, ListChoiceAndRemovalKeepTheSelectionConsistent) {
    auto& combo = log.add(Kind::ComboBox, "Combo1");
    combo.dropDownList = true;
    for (const char* item : {"COM1", "COM2", "COM3"}) {
        combo.addItem(item);
    }
    EXPECT_TRUE(userChoose(combo, "COM3"));
    EXPECT_EQ(combo.text, "COM3");
    EXPECT_FALSE(userChoose(combo, "COM9"));
    combo.removeItem(0);
    EXPECT_EQ(combo.listIndex, 1);
    combo.removeItem(1);
    EXPECT_EQ(combo.listIndex, 0);
}

TEST_F(FormsTest, CloseBoxAsksTheWindowAndUnloads) {
    auto& other = set.create("Histo");
    int unloads = 0;
    bool allow = false;
    other.onCloseRequest = [&] { return allow; };
    other.onUnload = [&] { ++unloads; };
    other.show();

    other.closeBox();
    EXPECT_TRUE(other.visible);
    allow = true;
    other.closeBox();
    EXPECT_FALSE(other.visible);
    EXPECT_FALSE(other.loaded);
    EXPECT_EQ(unloads, 1);
}

}  // namespace
}  // namespace lec::forms
