// The drawn level as file lines (see saved_level.h).
#include "level_save/saved_level.h"

#include "core_door.h"

namespace ruk {

namespace {

// A title is one line of printable bytes: anything else would end it early or start a row.
std::string OneLineTitle(const std::string& title) {
    std::string line;
    for (const char ch : title)
        if (static_cast<unsigned char>(ch) >= ' ' && ch != '\x7f') line += ch;
    return line;
}

std::string CountsReason(int boxes, int goals) {
    const char* more = boxes > goals ? "fewer goals" : "more goals";
    return "it has " + std::string(more) + " (" + std::to_string(goals) + ") than boxes (" +
           std::to_string(boxes) + ")";
}

std::string VerdictReason(const EditorState& editor) {
    switch (editor.fault) {
        case EditorFault::NO_KEEPER:
            return "it has no keeper";
        case EditorFault::NO_BOX:
            return "it has no box";
        case EditorFault::COUNTS_DIFFER:
            return CountsReason(editor.boxCount, editor.goalCount);
        case EditorFault::OPEN:
            return "walls do not close the keeper's room";
        case EditorFault::OUTSIDE_ROOM:
            return "a box or goal lies outside the keeper's room";
        case EditorFault::NONE:
            break;
    }
    return "";
}

}  // namespace

std::vector<std::string> SavedLevelLines(const CoreState& core, const std::string& title) {
    GridText text;
    door::EditorLevelText(core, text);
    std::vector<std::string> lines;
    std::string row;
    for (const char* p = text.data(); *p != '\0'; ++p) {
        if (*p == '\r') continue;
        if (*p != '\n') {
            row += *p;
            continue;
        }
        lines.push_back(row);
        row.clear();
    }
    const std::string titleLine = OneLineTitle(title);
    if (!lines.empty() && !titleLine.empty()) lines.push_back("Title: " + titleLine);
    return lines;
}

std::string UnloadableReason(const CoreState& core, const std::vector<std::string>& lines) {
    std::string reason = VerdictReason(core.level.editor);
    if (!reason.empty()) return reason;
    // A file ends a level at a line without a wall, though the editor plays such a drawing.
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("Title: ", 0) == 0) break;
        if (lines[i].find('#') == std::string::npos)
            return "its row " + std::to_string(i + 1) +
                   " holds no wall, and a level file ends a level at such a row";
    }
    return "";
}

int LevelsInFile(const std::string& path) {
    const std::unique_ptr<CoreState> reader = door::CreateState();
    if (!reader || !door::OpenLevelSet(*reader, path.c_str())) return 0;
    return door::Levels(*reader).count;
}

}  // namespace ruk
