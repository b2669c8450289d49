// Zobrist keys (see zobrist_keys.h).
#include "zobrist_keys.h"

namespace ruk::pushbot {

namespace {

std::uint64_t SplitMix(std::uint64_t& state) {
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

}  // namespace

ZobristKeys::ZobristKeys(int cells) : box_(cells), keeper_(cells) {
    std::uint64_t seed = 0x2545f4914f6cdd1dull;
    for (int c = 0; c < cells; ++c) {
        box_[c] = SplitMix(seed);
        keeper_[c] = SplitMix(seed);
    }
}

}  // namespace ruk::pushbot
