// The ids of the main window's controls. They are the keys of the window's table from id to
// widget, of the layout and of the panel and control-state tables.
#pragma once

namespace ruk {

enum ControlId : int {
    ID_TEXT = 1001,
    ID_FILE = 1002,
    ID_PREV = 1003,
    ID_NEXT = 1004,
    ID_JUMP = 1005,
    ID_SOLVER = 1006,
    ID_URDL_INPUT = 1007,
    ID_RESTART = 1008,
    ID_UNDO = 1009,
    ID_REDO = 1010,
    ID_AUTO_PLAY = 1011,
    ID_URDL_OUTPUT = 1012,
    ID_LEVEL_NUMBER = 1013,
    ID_CLEAR = 1014,
    ID_GUARD = 1015,
    ID_LOGO = 1016,
    ID_BOARD_FRAME = 1017,
    ID_LOADER_GROUP = 1018,
    ID_SELECTOR_GROUP = 1019,
    ID_OPTIONS_GROUP = 1020,
    ID_VIEWER_GROUP = 1021,
    ID_RESULT_GROUP = 1022,
    ID_EDITOR_GROUP = 1023,
    ID_SET_NAME = 1024,
    ID_LEVEL_COUNT = 1025,
    ID_LEVEL_SIZE = 1026,
    ID_STATUS_LINE = 1027,
    ID_INFO_LINE = 1028,
    ID_SHOWN_MOVES = 1029,
    ID_SHOWN_PUSHES = 1030,
    ID_SHOWN_ACTIONS = 1031,
    ID_SOLVED = 1032,
    ID_TOTAL_MOVES = 1033,
    ID_TOTAL_PUSHES = 1034,
    ID_TOTAL_ACTIONS = 1035,
    ID_EDITOR_BOXES = 1036,
    ID_EDITOR_GOALS = 1037,
    ID_EDITOR_STATUS = 1038,
    ID_PLAY = 1039,
    ID_EDIT = 1040,
    ID_UNSOLVABLE = 1041,
    ID_INSTANT_MOVE = 1042,
};

constexpr int FIRST_CONTROL_ID = ID_TEXT;
constexpr int LAST_CONTROL_ID = ID_INSTANT_MOVE;
constexpr int CONTROL_COUNT = LAST_CONTROL_ID - FIRST_CONTROL_ID + 1;  // 42

}  // namespace ruk
