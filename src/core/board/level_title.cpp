// A file level's title from the lines next to its block (see level_title.h).
#include "board/level_title.h"

#include <algorithm>

#include "board/cell_code.h"
#include "board/level_window.h"

namespace ruk {

namespace {

using TitleText = std::array<char, TITLE_CAPACITY>;

// The file's bytes: from the window when it holds them, else from the peek piece, read once
// around the wanted offset (before it when the search walks backward).
class TitleBytes {
  public:
    TitleBytes(const LevelSet& set, TitlePeek& peek)
        : set_(set),
          peek_(peek),
          windowBase_(set.window.windowBase),
          windowFill_(static_cast<std::uint64_t>(set.window.windowFill)) {
        peek_.fill = 0;
    }

    int At(std::int64_t offset, bool backward = false) {
        // Nearly every byte looked at is in the window: one unsigned compare finds it there.
        const std::uint64_t inWindow = static_cast<std::uint64_t>(offset - windowBase_);
        if (inWindow < windowFill_) return static_cast<unsigned char>(set_.sourceText[inWindow]);
        return Outside(offset, backward);
    }

  private:
    int Outside(std::int64_t offset, bool backward) {
        if (offset < 0 || offset >= set_.window.fileSize) return -1;
        if (offset < peek_.base || offset >= peek_.base + peek_.fill) {
            peek_.base =
                backward ? std::max<std::int64_t>(0, offset - TITLE_PEEK_SIZE + 1) : offset;
            peek_.fill =
                ReadFilePiece(set_.path.data(), peek_.base, peek_.bytes.data(), TITLE_PEEK_SIZE);
            if (offset >= peek_.base + peek_.fill) return -1;  // the file changed under us
        }
        return static_cast<unsigned char>(
            peek_.bytes[static_cast<std::size_t>(offset - peek_.base)]);
    }

    const LevelSet& set_;
    TitlePeek& peek_;
    std::int64_t windowBase_;
    std::uint64_t windowFill_;
};

bool IsSpace(int ch) {
    return ch == ' ' || ch == '\t';
}

// One line: its first byte and the offset of its line break (or of the file's end).
struct Line {
    std::int64_t start = 0;
    std::int64_t end = 0;
};

// Where a title's text lies in the file; empty (from == end) for none.
struct TitlePlace {
    std::int64_t from = 0;
    std::int64_t end = 0;
};

enum class LineKind { BLANK, LEVEL_ROW, TITLE, COMMENT, OTHER };

bool IsShown(int ch) {
    return ch > ' ' && ch != 0x7f;
}

// Copies the text at place into title, cut to fit: control bytes become spaces, trailing
// spaces go, and a cut never leaves half of a UTF-8 character behind.
void CopyTitle(TitleBytes& bytes, const TitlePlace& place, TitleText& title) {
    constexpr std::int64_t room = TITLE_CAPACITY - 1;
    std::int64_t n = 0;
    for (; n < room && place.from + n < place.end; ++n) {
        const int ch = bytes.At(place.from + n);
        if (ch < 0) break;
        title[static_cast<std::size_t>(n)] = (ch < ' ' || ch == 0x7f) ? ' ' : static_cast<char>(ch);
    }
    if (n == room && place.from + n < place.end) {
        // Cut: drop a multi-byte character whose lead byte is kept without all its followers.
        std::int64_t lead = n - 1;
        const auto byte = [&](std::int64_t i) { return static_cast<unsigned char>(title[i]); };
        while (lead > 0 && lead > n - 4 && (byte(lead) & 0xC0) == 0x80) --lead;
        const unsigned char first = byte(lead);
        const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (first >= 0xC0 && lead + length > n) n = lead;
    }
    while (n > 0 && title[static_cast<std::size_t>(n - 1)] == ' ') --n;
    title[static_cast<std::size_t>(n)] = '\0';
}

bool StartsWithTitleKey(TitleBytes& bytes, std::int64_t p, std::int64_t end) {
    static constexpr char key[] = "title:";
    for (int i = 0; key[i] != '\0'; ++i) {
        if (p + i >= end) return false;
        const int ch = bytes.At(p + i);
        const int lower = (ch >= 'A' && ch <= 'Z') ? ch - 'A' + 'a' : ch;
        if (lower != key[i]) return false;
    }
    return true;
}

// The text from its first shown byte after p to the line's end; false when nothing shows.
bool TextFrom(TitleBytes& bytes, std::int64_t p, std::int64_t end, TitlePlace& place) {
    for (; p < end; ++p) {
        if (IsShown(bytes.At(p))) {
            place = {p, end};
            return true;
        }
    }
    return false;
}

// What the line is; for a "Title:" line or a comment, place receives its text.
LineKind Classify(TitleBytes& bytes, const Line& line, TitlePlace& place) {
    bool inSet = true;
    bool hasWall = false;
    std::int64_t first = -1;  // the first byte that is not a space or tab
    for (std::int64_t p = line.start; p < line.end; ++p) {
        const int ch = bytes.At(p);
        if (ch < 0) break;
        if (CellCodeOf(static_cast<unsigned char>(ch)) < 0) inSet = false;
        if (ch == '#') hasWall = true;
        if (first < 0 && !IsSpace(ch)) first = p;
        if (!inSet && first >= 0) break;  // neither a level row nor blank: enough is known
    }
    // As the level files read rows: a line over the longest row is none.
    if (inSet && hasWall && line.end - line.start <= MAX_ROW_LENGTH) return LineKind::LEVEL_ROW;
    if (first < 0) return LineKind::BLANK;
    std::int64_t p = first;
    if (bytes.At(p) == ';') {
        while (p < line.end && (bytes.At(p) == ';' || IsSpace(bytes.At(p)))) ++p;
        return TextFrom(bytes, p, line.end, place) ? LineKind::COMMENT : LineKind::OTHER;
    }
    if (!StartsWithTitleKey(bytes, p, line.end)) return LineKind::OTHER;
    return TextFrom(bytes, p + 6, line.end, place) ? LineKind::TITLE : LineKind::OTHER;
}

// The line after a line break at offset (CR LF is one break).
std::int64_t PastLineBreak(TitleBytes& bytes, std::int64_t offset) {
    if (bytes.At(offset) == '\r' && bytes.At(offset + 1) == '\n') return offset + 2;
    return offset + 1;
}

// The line directly above the line that starts at start; false at the file's start or when
// its first byte lies beyond limit.
bool LineAbove(TitleBytes& bytes, std::int64_t start, std::int64_t limit, Line& line) {
    if (start <= 0) return false;
    std::int64_t lineBreak = start - 1;
    if (bytes.At(lineBreak, true) == '\n' && lineBreak > 0 && bytes.At(lineBreak - 1, true) == '\r')
        --lineBreak;
    std::int64_t p = lineBreak;
    for (; p > 0; --p) {
        if (p <= limit) return false;
        const int ch = bytes.At(p - 1, true);
        if (ch < 0 || IsLineBreak(ch)) break;
    }
    line.start = p;
    line.end = lineBreak;
    return true;
}

// The line that starts at start; false at the file's end. A line running past limit ends
// there (cut): cut is then set and the search goes no further.
bool LineAt(TitleBytes& bytes, std::int64_t start, std::int64_t limit, Line& line, bool& cut) {
    if (bytes.At(start) < 0) return false;
    std::int64_t p = start;
    for (int ch = bytes.At(p); ch >= 0 && !IsLineBreak(ch); ch = bytes.At(++p)) {
        if (p >= limit) {
            cut = true;
            break;
        }
    }
    line.start = start;
    line.end = p;
    return true;
}

}  // namespace

void ReadLevelTitle(LevelSet& set, TitlePeek& peek) {
    set.title[0] = '\0';
    const LevelWindow& w = set.window;
    if (w.readFailed || w.levelEnd < w.levelStart) return;
    TitleBytes bytes(set, peek);
    TitlePlace place;

    // After the block: its paragraph, to a blank line, the next block or the end.
    TitlePlace after;
    bool haveAfter = false;
    bool sharedWithNext = false;
    bool cut = false;
    Line line;
    const std::int64_t afterLimit = w.levelEnd + 1 + TITLE_SCAN_LIMIT;
    for (std::int64_t p = w.levelEnd + 1; bytes.At(p) >= 0 && !cut;) {
        p = PastLineBreak(bytes, p);
        if (!LineAt(bytes, p, afterLimit, line, cut)) break;
        const LineKind kind = Classify(bytes, line, place);
        if (kind == LineKind::BLANK) break;
        if (kind == LineKind::LEVEL_ROW) {
            sharedWithNext = true;
            break;
        }
        if (kind == LineKind::TITLE && !haveAfter) {
            after = place;
            haveAfter = true;
        }
        p = line.end;
    }
    if (haveAfter && !sharedWithNext) {
        CopyTitle(bytes, after, set.title);
        return;
    }

    // Before the block, up to the previous block: the paragraph directly above it for a
    // "Title:" line, and every line for the comment nearest to the block.
    TitlePlace comment;
    bool haveComment = false;
    bool inParagraph = true;
    const std::int64_t beforeLimit = w.levelStart - TITLE_SCAN_LIMIT;
    for (line.start = w.levelStart; LineAbove(bytes, line.start, beforeLimit, line);) {
        const LineKind kind = Classify(bytes, line, place);
        if (kind == LineKind::LEVEL_ROW) break;
        if (kind == LineKind::BLANK) inParagraph = false;
        if (kind == LineKind::TITLE && inParagraph) {
            CopyTitle(bytes, place, set.title);
            return;
        }
        if (kind == LineKind::COMMENT && !haveComment) {
            comment = place;
            haveComment = true;
        }
        if (haveComment && !inParagraph) break;
    }
    if (haveAfter)
        CopyTitle(bytes, after, set.title);
    else if (haveComment)
        CopyTitle(bytes, comment, set.title);
}

}  // namespace ruk
