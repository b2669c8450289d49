// The level loader's window side (see level_loader.h).
#include "window/level_loader.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "window/control_panel.h"

namespace ruk {

void LevelLoader::OpenFile() {
    const std::optional<std::string> chosen =
        c_.prompts.OpenFile("Select File", door::Levels(c_.core).path.data());
    if (!chosen) return;
    c_.frame.LeaveGame();
    if (!door::OpenLevelSet(c_.core, chosen->c_str())) return;
    door::ShowCurrentLevel(c_.core);
    c_.frame.LevelShown();
}

void LevelLoader::Prev() {
    const LevelSet& set = door::Levels(c_.core);
    if (set.current > 1) SelectAndChange(set.current - 1);
}

void LevelLoader::Next() {
    const LevelSet& set = door::Levels(c_.core);
    if (set.current < set.count) SelectAndChange(set.current + 1);
}

void LevelLoader::Jump() {
    const int count = door::Levels(c_.core).count;
    if (count != 0) SelectAndChange(door::JumpTarget(c_.panel.TypedNumber().constData(), count));
}

void LevelLoader::JumpTo(int number) {
    const LevelSet& set = door::Levels(c_.core);
    if (set.fromFile && number >= 1 && number <= set.count) SelectAndChange(number);
}

void LevelLoader::SelectAndChange(int number) {
    c_.frame.LeaveGame();
    if (door::ShowLevel(c_.core, number)) c_.frame.LevelShown();
}

void LevelLoader::OpenFromCommandLine(const CommandLine& line) {
    if (c_.frame.Closed() || line.file.empty()) return;
    if (line.level < 1) {
        c_.prompts.Message("RUK", "Not a level number: " + line.levelText, PromptIcon::ERROR);
        return;
    }
    OpenFileAtLevel(line.file, line.level);
}

void LevelLoader::OpenFileAtLevel(const std::string& file, int level, bool lastIfFewer) {
    // The File dialog starts at the last path, so it is kept whole.
    std::error_code error;
    std::string path = std::filesystem::absolute(file, error).string();
    if (error) path = file;
    c_.frame.LeaveGame();
    if (!door::OpenLevelSet(c_.core, path.c_str())) {
        c_.prompts.Message("RUK", "No level can be read from\r\n" + path, PromptIcon::ERROR);
        return;
    }
    const int count = door::Levels(c_.core).count;
    if (lastIfFewer && level > count) level = count;
    if (level > count || !door::ShowLevel(c_.core, level)) {
        door::CloseUnshownLevelSet(c_.core);
        c_.frame.ShowWelcome();
        c_.prompts.Message("RUK",
                           "There is no level " + std::to_string(level) + " in\r\n" + path +
                               "\r\n\r\nIt holds " + std::to_string(count) +
                               (count == 1 ? " level." : " levels."),
                           PromptIcon::ERROR);
        return;
    }
    c_.frame.LevelShown();
}

}  // namespace ruk
