// The level browser's place in the settings (see browser_place.h).
#include "settings/browser_place.h"

#include <string>

#include "settings/profile_file.h"

namespace ruk {

namespace {

constexpr const char* SECTION = "BROWSER";
// Far beyond any screen, so that a coordinate of any real desktop is taken.
constexpr int MAX_COORDINATE = 100000;

// A whole number written as digits with an optional minus, in -MAX_COORDINATE … MAX_COORDINATE.
std::optional<int> PlainNumber(const std::string& text) {
    const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    if (text.size() == first || text.size() > first + 6) return std::nullopt;
    for (std::size_t i = first; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return std::nullopt;
    const int value = ProfileNumber(text);
    if (value < -MAX_COORDINATE || value > MAX_COORDINATE) return std::nullopt;
    return value;
}

std::optional<int> ReadKey(const WorkingPaths& paths, const char* key) {
    return PlainNumber(GetProfileString(paths.settings, SECTION, key, "", 16));
}

bool SideFits(int side) {
    return side >= BROWSER_MIN_SIDE && side <= BROWSER_MAX_SIDE;
}

}  // namespace

std::optional<BrowserPlace> LoadBrowserPlace(const WorkingPaths& paths) {
    const std::optional<int> x = ReadKey(paths, "X");
    const std::optional<int> y = ReadKey(paths, "Y");
    const std::optional<int> width = ReadKey(paths, "W");
    const std::optional<int> height = ReadKey(paths, "H");
    if (!x || !y || !width || !height || !SideFits(*width) || !SideFits(*height))
        return std::nullopt;
    return BrowserPlace{*x, *y, *width, *height};
}

void SaveBrowserPlace(const WorkingPaths& paths, const BrowserPlace& place) {
    const std::pair<const char*, int> keys[] = {
        {"X", place.x}, {"Y", place.y}, {"W", place.width}, {"H", place.height}};
    for (const auto& [key, value] : keys)
        WriteProfileString(paths.settings, SECTION, key, std::to_string(value).c_str());
}

}  // namespace ruk
