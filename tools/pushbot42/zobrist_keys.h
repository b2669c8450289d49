// Zobrist keys: a random key per cell for a box and for the keeper's anchor, so that a
// position's hash is the xor of its boxes' keys and its anchor's, and a push updates it with
// three xors. The keys are the same on every run.
#pragma once

#include <cstdint>
#include <vector>

namespace ruk::pushbot {

class ZobristKeys {
  public:
    explicit ZobristKeys(int cells);
    std::uint64_t Box(int cell) const { return box_[cell]; }
    std::uint64_t Keeper(int cell) const { return keeper_[cell]; }

  private:
    std::vector<std::uint64_t> box_, keeper_;
};

}  // namespace ruk::pushbot
