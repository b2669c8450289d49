// Solution lines and run-length moves: the input as a pasted text, as typed URDL moves and as a
// level file read through the window. Every letter handed on is a move letter (typed moves keep
// their other bytes), never more than the limit, and a solution's expansion agrees with a plain
// recursive reading of the same text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core_door.h"
#include "fuzz_support.h"

namespace ruk::fuzz {
namespace {

// The same run lengths read the simple way: each group expanded once, then repeated.
class Reference {
  public:
    explicit Reference(const std::string& text) : text_(text) {}
    std::optional<std::string> Expand() {
        std::string out;
        if (!Items(out, 0) || at_ != text_.size() || out.empty()) return std::nullopt;
        return out;
    }

  private:
    static bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    void SkipBlanks() {
        while (at_ < text_.size() && Blank(text_[at_])) ++at_;
    }
    // A count, or 1 when none; nullopt for 0 or one too large.
    std::optional<std::uint32_t> Count() {
        std::uint64_t count = 0;
        bool any = false;
        for (SkipBlanks(); at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9';
             SkipBlanks()) {
            count = count * 10 + static_cast<std::uint64_t>(text_[at_++] - '0');
            if (count > MAX_RUN_COUNT) return std::nullopt;
            any = true;
        }
        if (any && count == 0) return std::nullopt;
        return any ? static_cast<std::uint32_t>(count) : 1;
    }
    bool Items(std::string& out, int depth) {
        for (SkipBlanks(); at_ < text_.size() && text_[at_] != ')'; SkipBlanks()) {
            const std::optional<std::uint32_t> count = Count();
            if (!count || at_ >= text_.size()) return false;
            std::string piece;
            if (text_[at_] == '(') {
                if (depth == MAX_GROUP_DEPTH) return false;
                ++at_;
                if (!Items(piece, depth + 1) || at_ >= text_.size() || piece.empty()) return false;
                ++at_;
            } else if (IsMoveLetter(text_[at_])) {
                piece = text_[at_++];
            } else {
                return false;
            }
            for (std::uint32_t i = 0; i < *count; ++i) {
                if (out.size() + piece.size() > MAX_EXPANDED_MOVES) return false;
                out += piece;
            }
        }
        return depth > 0 || at_ == text_.size();
    }

    const std::string& text_;
    std::size_t at_ = 0;
};

void CheckSolutionExpansion(const std::string& text) {
    std::string letters;
    StringLetterSink sink(letters);
    const auto bytes = [&text](std::int64_t p) {
        return static_cast<unsigned char>(text[static_cast<std::size_t>(p)]);
    };
    const MoveTextRead read = ExpandMoveRuns(bytes, 0, static_cast<std::int64_t>(text.size()),
                                             RunMode::SOLUTION, MAX_EXPANDED_MOVES, sink);
    FUZZ_CHECK(letters.size() <= MAX_EXPANDED_MOVES && read.letters == letters.size());
    for (const char c : letters) FUZZ_CHECK(IsMoveLetter(c));
    if (read.error == MoveTextError::TOO_LONG) return;
    const std::optional<std::string> reference = Reference(text).Expand();
    FUZZ_CHECK(reference.has_value() == (read.error == MoveTextError::NONE));
    if (reference) FUZZ_CHECK(*reference == letters);
}

void CheckTypedMoves(const std::string& text) {
    const std::string typed = text.substr(0, text.find('\0'));
    std::string letters;
    const MoveTextRead read = door::ExpandMoveText(typed.c_str(), letters);
    if (read.error != MoveTextError::NONE) {
        FUZZ_CHECK(letters.empty() && read.at >= 0 &&
                   static_cast<std::size_t>(read.at) < typed.size() + 1);
        return;
    }
    FUZZ_CHECK(letters.size() == read.letters);
    // Without run lengths the text goes on as it is.
    if (!HasRunLengths(typed.c_str())) FUZZ_CHECK(letters == typed);
}

void CheckPastedAndFileSolutions(const std::uint8_t* data, std::size_t size,
                                 const std::string& text) {
    std::string letters;
    MoveTextRead read;
    if (SolutionLettersInText(text, letters, read)) {
        FUZZ_CHECK(read.error != MoveTextError::NONE || !letters.empty());
        for (const char c : letters) FUZZ_CHECK(IsMoveLetter(c));
    }
    const std::string path = TempFolder::File("solutions.txt");
    WriteFile(path, data, size);
    CoreState& core = SharedCore();
    if (!door::OpenLevelSet(core, path.c_str())) return;
    const int count = door::Levels(core).count;
    for (int n = 1; n <= count; ++n) {
        FUZZ_CHECK(door::ReadLevel(core, n));
        SolutionCursor cursor;
        StringLetterSink sink(letters);
        int found = 0;
        for (letters.clear(); door::NextLevelSolution(core, cursor, sink, read); letters.clear()) {
            FUZZ_CHECK(++found <= MAX_LEVEL_SOLUTIONS);
            for (const char c : letters) FUZZ_CHECK(IsMoveLetter(c));
        }
    }
}

}  // namespace
}  // namespace ruk::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    ruk::fuzz::CheckSolutionExpansion(text);
    ruk::fuzz::CheckTypedMoves(text);
    ruk::fuzz::CheckPastedAndFileSolutions(data, size, text);
    return 0;
}
