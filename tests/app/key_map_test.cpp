// The main window's keys: the table every helper of the window shares, and the help box that
// must list each of them.
#include "panel/key_map.h"

#include <gtest/gtest.h>

#include <string>

#include "panel/control_ids.h"

namespace ruk {
namespace {

KeyPress Plain(KeyName key) {
    return {key, false, false, false};
}
KeyPress Ctrl(KeyName key, bool shift = false) {
    return {key, true, shift, false};
}

TEST(KeyMap, EachKeyRunsItsCommandAndModifiersAreNotIgnored) {
    const KeyBinding step[] = {
        {KeyAction::STEP, 0}, {KeyAction::STEP, 1}, {KeyAction::STEP, 2}, {KeyAction::STEP, 3}};
    const KeyName arrows[] = {KeyName::UP, KeyName::RIGHT, KeyName::DOWN, KeyName::LEFT};
    for (int d = 0; d < 4; ++d) {
        EXPECT_EQ(BindingOf(Plain(arrows[d])), step[d]);
        EXPECT_EQ(BindingOf({arrows[d], false, true, false}), step[d]) << "shift is harmless";
        EXPECT_EQ(BindingOf(Ctrl(arrows[d])), KeyBinding{});
    }
    const std::pair<KeyPress, int> commands[] = {
        {Ctrl(KeyName::Z), ID_UNDO},        {Plain(KeyName::BACKSPACE), ID_UNDO},
        {Ctrl(KeyName::Y), ID_REDO},        {Ctrl(KeyName::Z, true), ID_REDO},
        {Ctrl(KeyName::R), ID_RESTART},     {Plain(KeyName::SPACE), ID_AUTO_PLAY},
        {Plain(KeyName::PAGE_UP), ID_PREV}, {Plain(KeyName::PAGE_DOWN), ID_NEXT},
    };
    for (const auto& [press, id] : commands)
        EXPECT_EQ(BindingOf(press), (KeyBinding{KeyAction::COMMAND, id})) << id;

    // Without Ctrl the letters are nothing (the board never takes typed text); with Alt nothing.
    for (const KeyName key : {KeyName::Z, KeyName::Y, KeyName::R, KeyName::ZERO, KeyName::OTHER})
        EXPECT_EQ(BindingOf(Plain(key)), KeyBinding{});
    EXPECT_EQ(BindingOf({KeyName::Z, true, false, true}), KeyBinding{});
    EXPECT_EQ(BindingOf({KeyName::F1, false, false, true}), KeyBinding{});

    // Minus and plus: the replay speed alone, the zoom with Ctrl; plus arrives shifted or not.
    EXPECT_EQ(BindingOf(Plain(KeyName::MINUS)).action, KeyAction::REPLAY_SLOWER);
    EXPECT_EQ(BindingOf(Ctrl(KeyName::MINUS)).action, KeyAction::ZOOM_OUT);
    for (const KeyName key : {KeyName::PLUS, KeyName::EQUAL}) {
        EXPECT_EQ(BindingOf(Plain(key)).action, KeyAction::REPLAY_FASTER);
        EXPECT_EQ(BindingOf({key, false, true, false}).action, KeyAction::REPLAY_FASTER);
        EXPECT_EQ(BindingOf(Ctrl(key)).action, KeyAction::ZOOM_IN);
        EXPECT_EQ(BindingOf(Ctrl(key, true)).action, KeyAction::ZOOM_IN);
    }
    EXPECT_EQ(BindingOf(Ctrl(KeyName::ZERO)).action, KeyAction::ZOOM_FIT);
    EXPECT_EQ(BindingOf(Plain(KeyName::F1)).action, KeyAction::HELP);
}

TEST(KeyMap, TheHelpBoxListsEveryKeyAndMouseAction) {
    const std::string help = KeyHelpText();
    for (const char* named :
         {"Arrow keys", "Ctrl+Z", "Backspace", "Ctrl+Y", "Ctrl+Shift+Z", "Ctrl+R", "Space",
          "Page Up", "Page Down", "Ctrl+plus", "Ctrl+minus", "Ctrl+0", "minus, plus", "F1",
          "Right click", "Left click on a box", "Left click on a free cell", "erase"})
        EXPECT_NE(help.find(named), std::string::npos) << named;
    // Message boxes break lines at CR LF only.
    for (std::size_t i = 0; i < help.size(); ++i) {
        if (help[i] == '\n') {
            EXPECT_TRUE(i > 0 && help[i - 1] == '\r') << i;
        }
    }
}

}  // namespace
}  // namespace ruk
