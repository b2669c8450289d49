// A checksum of a Board, to compare two reads of a level without keeping either.
#pragma once

#include <cstdint>

#include "board/board.h"

namespace ruk {

// FNV-1a over the stored cells, the sizes, the keeper, the box count and the status.
std::uint64_t BoardChecksum(const Board& board);

}  // namespace ruk
