// A stamped mark map: a cell is marked while it holds the current stamp; a new fill needs no clear.
#pragma once

#include <array>
#include <cstdint>

namespace ruk {

constexpr int MARK_CELLS = 50 * 50;  // the most cells a stored level has

// One stamp's marks, held by value for a hot loop: the stamp is a copy in a register, so a
// store into the map (or into any other 32-bit array) does not make the loop read it again.
class StampedMarks {
  public:
    StampedMarks(std::uint32_t* marks, std::uint32_t stamp) : marks_(marks), stamp_(stamp) {}
    bool Marked(int cell) const { return marks_[cell] == stamp_; }
    void Mark(int cell) const { marks_[cell] = stamp_; }

  private:
    std::uint32_t* marks_;
    std::uint32_t stamp_;
};

class MarkMap {
  public:
    MarkMap() = default;
    // Starts the stamps at `stamp`: a test can begin next to the wrap.
    explicit MarkMap(std::uint32_t stamp) : stamp_(stamp) {}

    // Starts a new set of marks: every cell is unmarked afterwards. Clears the map only when
    // the stamp wraps.
    std::uint32_t NewStamp() {
        if (++stamp_ == 0) {
            marks_.fill(0);
            stamp_ = 1;
        }
        return stamp_;
    }
    bool Marked(int cell) const { return marks_[cell] == stamp_; }
    void Mark(int cell) { marks_[cell] = stamp_; }
    std::uint32_t Stamp() const { return stamp_; }
    // The current stamp's marks for a fill; valid until the next NewStamp.
    StampedMarks Current() { return {marks_.data(), stamp_}; }
    // The raw stamps, for readers that compare them with a stamp of their own.
    const std::uint32_t* Stamps() const { return marks_.data(); }

  private:
    std::array<std::uint32_t, MARK_CELLS> marks_{};
    std::uint32_t stamp_ = 0;
};

}  // namespace ruk
