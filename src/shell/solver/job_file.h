// The solver's job files as this program opens them: never through a symbolic link, and only
// ever a regular file, so that a file the solver left in their place can neither be written
// through nor block or flood the reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ruk {

// The largest answer file read: far beyond any real solution, and within what the move
// history and the window can hold.
constexpr std::uint64_t ANSWER_SIZE_LIMIT = std::uint64_t{256} << 20;
constexpr std::uint64_t NO_SIZE_LIMIT = ~std::uint64_t{0};

enum class JobFileState { OPEN, MISSING, NOT_REGULAR, TOO_LARGE };

// A job file open for reading. A link, a FIFO, a device or a folder is NOT_REGULAR; the open
// never blocks. Reads stop at the size seen at the open, even when the file grows after it.
class JobFileReader {
  public:
    JobFileReader(const std::string& path, std::uint64_t sizeLimit);
    ~JobFileReader();
    JobFileReader(const JobFileReader&) = delete;
    JobFileReader& operator=(const JobFileReader&) = delete;

    JobFileState State() const { return state_; }
    std::uint64_t Size() const { return size_; }
    // Up to count bytes from offset; fewer at the end or on a read error.
    std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) const;

  private:
    int fd_ = -1;
    JobFileState state_ = JobFileState::MISSING;
    std::uint64_t size_ = 0;
};

// Writes the bytes as a regular file of its own at path: a link, a FIFO or a file with other
// names (a hard link) found there is removed first, never written through. False when the file
// cannot be written.
bool WriteJobFile(const std::string& path, const std::string& bytes);

}  // namespace ruk
