// What appending a level to a text file needs to know of that file, read in pieces: its line
// end, and how its last line ends.
#pragma once

#include <cstddef>
#include <string>

namespace ruk {

enum class LineEnd { LF, CRLF, CR };

const char* LineEndText(LineEnd end);

class FileTail {
  public:
    // The file's next bytes.
    void Feed(const char* bytes, std::size_t size);

    // The file's own line end: its first one; LF for a file without any.
    LineEnd Ends() const;
    // A zero byte was read: the file is not text.
    bool HoldsZeroByte() const { return zeroByte_; }
    // What goes between the file and a level appended to it: an end for its last line when it
    // has none, then one blank line unless the file already ends with one; nothing for an
    // empty file.
    std::string Separator() const;

  private:
    bool empty_ = true;
    bool known_ = false;  // the first line end has been seen
    LineEnd first_ = LineEnd::LF;
    bool afterCr_ = false;
    bool lineHasText_ = false;    // the line being read holds more than blanks
    bool atLineStart_ = true;     // the last byte ended a line
    bool lastLineBlank_ = false;  // the last ended line held only blanks
    bool zeroByte_ = false;

    void LineEnded();
};

}  // namespace ruk
