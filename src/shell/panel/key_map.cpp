// The key table (see key_map.h).
#include "panel/key_map.h"

#include "panel/control_ids.h"

namespace ruk {

namespace {

KeyBinding Command(int id) {
    return {KeyAction::COMMAND, id};
}

}  // namespace

KeyBinding BindingOf(const KeyPress& press) {
    if (press.alt) return {};
    const bool ctrl = press.ctrl;
    switch (press.key) {
        case KeyName::UP:
            return ctrl ? KeyBinding{} : KeyBinding{KeyAction::STEP, 0};
        case KeyName::RIGHT:
            return ctrl ? KeyBinding{} : KeyBinding{KeyAction::STEP, 1};
        case KeyName::DOWN:
            return ctrl ? KeyBinding{} : KeyBinding{KeyAction::STEP, 2};
        case KeyName::LEFT:
            return ctrl ? KeyBinding{} : KeyBinding{KeyAction::STEP, 3};
        case KeyName::Z:
            if (!ctrl) return {};
            return Command(press.shift ? ID_REDO : ID_UNDO);
        case KeyName::Y:
            return ctrl && !press.shift ? Command(ID_REDO) : KeyBinding{};
        case KeyName::R:
            return ctrl && !press.shift ? Command(ID_RESTART) : KeyBinding{};
        case KeyName::M:
            return ctrl && !press.shift ? KeyBinding{KeyAction::BEST_BY_MOVES, 0} : KeyBinding{};
        case KeyName::P:
            return ctrl && !press.shift ? KeyBinding{KeyAction::BEST_BY_PUSHES, 0} : KeyBinding{};
        case KeyName::G:
            return ctrl && !press.shift ? KeyBinding{KeyAction::RESUME_GAME, 0} : KeyBinding{};
        case KeyName::L:
            return ctrl && !press.shift ? KeyBinding{KeyAction::REOPEN_LAST, 0} : KeyBinding{};
        case KeyName::BACKSPACE:
            return ctrl || press.shift ? KeyBinding{} : Command(ID_UNDO);
        case KeyName::SPACE:
            return ctrl || press.shift ? KeyBinding{} : Command(ID_AUTO_PLAY);
        case KeyName::PAGE_UP:
            return ctrl ? KeyBinding{} : Command(ID_PREV);
        case KeyName::PAGE_DOWN:
            return ctrl ? KeyBinding{} : Command(ID_NEXT);
        // Plus is a shifted key on most keyboards, so shift is not looked at here.
        case KeyName::MINUS:
            return {ctrl ? KeyAction::ZOOM_OUT : KeyAction::REPLAY_SLOWER, 0};
        case KeyName::PLUS:
        case KeyName::EQUAL:
            return {ctrl ? KeyAction::ZOOM_IN : KeyAction::REPLAY_FASTER, 0};
        case KeyName::ZERO:
            return ctrl ? KeyBinding{KeyAction::ZOOM_FIT, 0} : KeyBinding{};
        case KeyName::F1:
            return {KeyAction::HELP, 0};
        case KeyName::F2:
            return {KeyAction::BROWSER, 0};
        case KeyName::C:
            return ctrl && !press.shift ? KeyBinding{KeyAction::COPY_GAME, 0} : KeyBinding{};
        case KeyName::S:
            if (!ctrl) return {};
            return {press.shift ? KeyAction::COPY_GAME : KeyAction::SAVE_LEVEL, 0};
        case KeyName::V:
            return ctrl && !press.shift ? KeyBinding{KeyAction::PASTE, 0} : KeyBinding{};
        case KeyName::OTHER:
            break;
    }
    return {};
}

const char* KeyHelpText() {
    return "Keys\r\n"
           "Arrow keys: move the keeper; into a box, push it if the cell beyond is free\r\n"
           "Ctrl+Z, Backspace: Undo\r\n"
           "Ctrl+Y, Ctrl+Shift+Z: Redo\r\n"
           "Ctrl+R: Restart\r\n"
           "Space: Auto-play / Stop\r\n"
           "Page Up, Page Down: Prev, Next level\r\n"
           "Ctrl+plus (Ctrl+=), Ctrl+minus: zoom in, out (tiles of 24, 48, 72, 96 pixels)\r\n"
           "Ctrl+0: fit: every level at the largest zoom at which it fits, until Ctrl+plus\r\n"
           "    or Ctrl+minus pick a size again\r\n"
           "minus, plus (=): replay slower, faster (16x ... 2x slower, 1x, Instant Move)\r\n"
           "Ctrl+M, Ctrl+P: load the best solution kept for this level, by moves, by pushes\r\n"
           "    (after the shown position, as URDL Input does; Redo or Auto-play shows it)\r\n"
           "Ctrl+G: go on with this level's last unfinished game, as it was left\r\n"
           "Ctrl+L: reopen the file and level shown when RUK was last closed\r\n"
           "Ctrl+S: in the editor, save the drawn level to a new file or at the end of one\r\n"
           "Level number: click or Tab into its box, type it, then Enter or Jump\r\n"
           "F1: this list\r\n"
           "F2: the level browser (F2 again hides it)\r\n"
           "Ctrl+Shift+S, Ctrl+C: copy the level and the game so far to the clipboard\r\n"
           "Ctrl+V: load the clipboard's level (with its moves), or its moves as URDL Input\r\n"
           "A key does nothing while its button is disabled.\r\n"
           "\r\n"
           "Mouse while playing\r\n"
           "Left click on a free cell: walk there\r\n"
           "Left click on a box: light the cells it can be brought to\r\n"
           "Left click on a lit cell: push the box there\r\n"
           "Left click on an arrow beside a target: leave the keeper on that side\r\n"
           "Left click elsewhere: drop the selection\r\n"
           "Right click: Undo\r\n"
           "Wheel down, up: Undo, Redo (one notch, one action); Ctrl+wheel: zoom\r\n"
           "\r\n"
           "Mouse in the editor\r\n"
           "Left click on the palette: choose a tool\r\n"
           "Left button on the board: paint with the tool (drag for a line)\r\n"
           "Right button on the board: erase (drag for a line)";
}

}  // namespace ruk
