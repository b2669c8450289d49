// The main window's keys: which key runs which command, and the help box that lists them with
// the mouse's actions. The window turns its key events into KeyPress values.
#pragma once

namespace ruk {

enum class KeyName {
    OTHER,
    UP,
    RIGHT,
    DOWN,
    LEFT,
    Z,
    Y,
    R,
    M,
    P,
    G,
    L,
    ZERO,
    SPACE,
    BACKSPACE,
    PAGE_UP,
    PAGE_DOWN,
    MINUS,
    PLUS,
    EQUAL,
    F1,
    F2,
    C,
    S,
    V,
};

struct KeyPress {
    KeyName key = KeyName::OTHER;
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
};

enum class KeyAction {
    NONE,
    STEP,     // value: the direction, 0 up, 1 right, 2 down, 3 left
    COMMAND,  // value: the id of the control whose click it is
    REPLAY_SLOWER,
    REPLAY_FASTER,
    ZOOM_IN,
    ZOOM_OUT,
    ZOOM_FIT,
    HELP,
    BEST_BY_MOVES,   // the stored solution with the fewest moves, loaded after the cursor
    BEST_BY_PUSHES,  // the stored solution with the fewest pushes, loaded after the cursor
    RESUME_GAME,     // the level's last unfinished game, back as it was left
    REOPEN_LAST,     // the file and level shown when the player last closed
    BROWSER,         // the level browser shown or hidden
    COPY_GAME,       // the level and its game to the clipboard
    PASTE,           // the clipboard's level or moves loaded
    SAVE_LEVEL,      // the editor's level saved to a file
};

struct KeyBinding {
    KeyAction action = KeyAction::NONE;
    int value = 0;
    bool operator==(const KeyBinding&) const = default;
};

// What a key press does in Play and Edit mode alike (the window ignores a command whose control
// is disabled, and the core ignores steps in the editor). Alt with any key does nothing.
KeyBinding BindingOf(const KeyPress& press);

// The help box's text, every key and mouse action; lines end with CR LF.
const char* KeyHelpText();

}  // namespace ruk
