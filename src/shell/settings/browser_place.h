// [BROWSER] X, Y, W, H in ruk.ini: where the level browser was last left and how large it was.
#pragma once

#include <optional>

#include "settings/settings.h"

namespace ruk {

struct BrowserPlace {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The kept place; nothing when any of the four keys is absent or not a plain whole number, or
// the size lies outside BROWSER_MIN_SIDE … BROWSER_MAX_SIDE, so that the window then takes its
// own default place.
constexpr int BROWSER_MIN_SIDE = 200;
constexpr int BROWSER_MAX_SIDE = 16384;
std::optional<BrowserPlace> LoadBrowserPlace(const WorkingPaths& paths);
// Writes X, Y, W and H; a file that cannot be written is left alone, silently.
void SaveBrowserPlace(const WorkingPaths& paths, const BrowserPlace& place);

}  // namespace ruk
