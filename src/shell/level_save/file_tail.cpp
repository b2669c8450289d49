// Reading a file's tail and line end (see file_tail.h).
#include "level_save/file_tail.h"

namespace ruk {

const char* LineEndText(LineEnd end) {
    switch (end) {
        case LineEnd::CRLF:
            return "\r\n";
        case LineEnd::CR:
            return "\r";
        case LineEnd::LF:
            break;
    }
    return "\n";
}

void FileTail::LineEnded() {
    lastLineBlank_ = !lineHasText_;
    lineHasText_ = false;
    atLineStart_ = true;
}

void FileTail::Feed(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const char ch = bytes[i];
        empty_ = false;
        if (ch == '\n') {
            if (!known_) first_ = afterCr_ ? LineEnd::CRLF : LineEnd::LF;
            known_ = true;
            // The CR before it has already ended the line.
            if (!afterCr_) LineEnded();
            afterCr_ = false;
            continue;
        }
        if (afterCr_ && !known_) {
            first_ = LineEnd::CR;
            known_ = true;
        }
        afterCr_ = ch == '\r';
        if (afterCr_) {
            LineEnded();
            continue;
        }
        if (ch == '\0') zeroByte_ = true;
        if (ch != ' ' && ch != '\t') lineHasText_ = true;
        atLineStart_ = false;
    }
}

LineEnd FileTail::Ends() const {
    if (!known_ && afterCr_) return LineEnd::CR;
    return first_;
}

std::string FileTail::Separator() const {
    if (empty_) return "";
    const std::string end = LineEndText(Ends());
    if (!atLineStart_) return lineHasText_ ? end + end : end;
    return lastLineBlank_ ? "" : end;
}

}  // namespace ruk
