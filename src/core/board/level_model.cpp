// Start-up state of the level model.
#include "board/level_model.h"

namespace ruk {

void ResetLevelModel(LevelModel& model) {
    model.board = Board{};
    model.directions = DirectionTables{};
    model.levelSet.count = 0;
    model.levelSet.current = 0;
    model.levelSet.name[0] = '\0';
    model.levelSet.title[0] = '\0';
    model.levelSet.fromFile = false;
    model.levelSet.path[0] = '\0';
    model.levelSet.sourceText[0] = '\0';
    model.levelSet.window = LevelWindow{};
    ResetGrids(model.grids);
    model.editor = EditorState{};
}

}  // namespace ruk
