// Job files opened without following links (see job_file.h).
#include "solver/job_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ruk {

JobFileReader::JobFileReader(const std::string& path, std::uint64_t sizeLimit) {
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer that may never come.
    fd_ = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        state_ = errno == ELOOP ? JobFileState::NOT_REGULAR : JobFileState::MISSING;
        return;
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        state_ = JobFileState::NOT_REGULAR;
        return;
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    state_ = size_ > sizeLimit ? JobFileState::TOO_LARGE : JobFileState::OPEN;
}

JobFileReader::~JobFileReader() {
    if (fd_ >= 0) ::close(fd_);
}

std::size_t JobFileReader::ReadAt(std::uint64_t offset, char* buffer, std::size_t count) const {
    if (state_ != JobFileState::OPEN || offset >= size_) return 0;
    if (count > size_ - offset) count = static_cast<std::size_t>(size_ - offset);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(fd_, buffer + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

bool WriteJobFile(const std::string& path, const std::string& bytes) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && (!S_ISREG(info.st_mode) || info.st_nlink > 1))
        ::unlink(path.c_str());
    // Should a link come back between the two calls, O_NOFOLLOW refuses it.
    const int fd = ::open(path.c_str(),
                          O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool written = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    for (std::size_t done = 0; written && done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0 && errno == EINTR) continue;
        written = put > 0;
        if (written) done += static_cast<std::size_t>(put);
    }
    return ::close(fd) == 0 && written;
}

}  // namespace ruk
