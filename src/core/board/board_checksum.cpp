// Board checksum (see board_checksum.h).
#include "board/board_checksum.h"

namespace ruk {

namespace {

constexpr std::uint64_t FNV_OFFSET = 14695981039346656037ull;
constexpr std::uint64_t FNV_PRIME = 1099511628211ull;

void Mix(std::uint64_t& hash, std::uint32_t value) {
    for (int byte = 0; byte < 4; ++byte) {
        hash ^= (value >> (8 * byte)) & 0xffu;
        hash *= FNV_PRIME;
    }
}

}  // namespace

std::uint64_t BoardChecksum(const Board& board) {
    std::uint64_t hash = FNV_OFFSET;
    Mix(hash, static_cast<std::uint32_t>(board.width));
    Mix(hash, static_cast<std::uint32_t>(board.height));
    Mix(hash, static_cast<std::uint32_t>(board.cellCount));
    Mix(hash, static_cast<std::uint32_t>(board.keeperStart));
    Mix(hash, static_cast<std::uint32_t>(board.boxCount));
    Mix(hash, static_cast<std::uint32_t>(board.status));
    for (int i = 0; i < board.cellCount && i < MAX_CELLS; ++i) Mix(hash, board.cells[i]);
    return hash;
}

}  // namespace ruk
