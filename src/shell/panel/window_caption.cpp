// The main window's caption (see window_caption.h).
#include "panel/window_caption.h"

namespace ruk {

std::string WindowCaption(const LevelSet& set) {
    std::string caption = WINDOW_CAPTION;
    if (set.name[0] == '\0') return caption;
    caption += " - ";
    caption += set.name.data();
    if (!set.fromFile) return caption;
    caption += ' ' + std::to_string(set.current) + '/' + std::to_string(set.count);
    if (set.title[0] != '\0') {
        caption += ": ";
        caption += set.title.data();
    }
    return caption;
}

}  // namespace ruk
