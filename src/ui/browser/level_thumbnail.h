// A level drawn small, as the player draws it: the skin's tiles scaled down, walls with their
// faces, the outside of the level left as the skin's exterior tile.
#pragma once

#include <QImage>
#include <QSize>

#include "board/board.h"
#include "render/skin.h"

namespace ruk {

// The Board's stored cells in tiles of one size, the largest (at most the skin's 24 pixels)
// with which the level fits box; a null image for a Board with no cells. Safe off the GUI
// thread: it makes QImages only.
QImage DrawLevelThumbnail(const Board& board, const Skin& skin, QSize box);

}  // namespace ruk
