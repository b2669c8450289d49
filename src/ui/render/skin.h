// The skin: 7 x 9 tiles of 24 pixels from which the board and the palette are drawn.
#pragma once

#include <QImage>
#include <QString>
#include <string>

namespace ruk {

constexpr int SKIN_WIDTH = 168;
constexpr int SKIN_HEIGHT = 216;
// Pixels of this colour in a mark image are left out, so that an arrow sits on any tile.
constexpr QRgb MARK_KEY_COLOUR = 0xffff00ffu;

struct Skin {
    QImage image;  // always SKIN_WIDTH x SKIN_HEIGHT, Format_RGB32
    bool fromFile = false;
};

// The image file at path when it holds a picture of exactly the skin's size; otherwise, and
// silently, the built-in skin.
Skin LoadSkin(const QString& path);
// The same for a path as the system names it (bytes, in whatever encoding the file name has).
Skin LoadSkinFile(const std::string& path);

}  // namespace ruk
