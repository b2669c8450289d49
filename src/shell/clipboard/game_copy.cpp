// The game's text for the clipboard (see game_copy.h).
#include "clipboard/game_copy.h"

#include <string_view>

#include "core_door.h"

namespace ruk {

namespace {

// URDL Output's lines before its status line, LF-ended, empty rows after the last row left out:
// the level's rows. solved: the status line says so.
std::string RowsBeforeStatus(std::string_view text, bool& solved) {
    std::string rows;
    solved = false;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        const std::string_view line = text.substr(0, end);
        if (line.starts_with("Status: ")) {
            solved = line == "Status: Solved";
            break;
        }
        rows.append(line).push_back('\n');
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 2);
    }
    while (rows.ends_with("\n\n")) rows.pop_back();
    if (rows == "\n") rows.clear();
    return rows;
}

}  // namespace

std::string GameCopyText(CoreState& core) {
    if (core.level.editor.editMode == EditMode::EDIT || door::Status(core) == LevelStatus::NONE)
        return {};
    bool solved = false;
    std::string text = RowsBeforeStatus(door::Output(core, ' ').text, solved);
    if (text.empty()) return {};
    const std::string_view title = door::Title(core);
    if (!title.empty()) text.append("Title: ").append(title).push_back('\n');
    const MoveHistory& history = door::History(core);
    std::string moves;
    for (std::uint32_t p = 0; history.text && p < history.end; ++p)
        if (door::IsMoveLetter(history.text[p])) moves.push_back(history.text[p]);
    if (moves.empty()) return text;
    if (solved) text += "Solution: ";
    return text + moves + '\n';
}

}  // namespace ruk
