// Saving a level atomically (see level_file_writer.h).
#include "level_save/level_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "level_save/file_tail.h"

namespace ruk {

namespace {

constexpr std::size_t CHUNK = 64 * 1024;
// Our own reasons, beside the errno values.
constexpr int NOT_TEXT = -1;
constexpr int BROKEN_LINK = -2;

std::string ReasonOf(int error) {
    switch (error) {
        case NOT_TEXT:
            return "it is not a text file";
        case BROKEN_LINK:
            return "it is a symbolic link to a file that is not there";
        case ENOSPC:
            return "no space left on the device";
        case EDQUOT:
            return "the disk quota is used up";
        case EFBIG:
            return "the file would grow past the size allowed";
        case EACCES:
        case EPERM:
            return "permission denied";
        case EROFS:
            return "the file system is read-only";
        case ENOENT:
            return "the folder does not exist";
        case ENOTDIR:
            return "a part of the path is not a folder";
        case EISDIR:
            return "it is a folder";
        case EINVAL:
            return "it is not a regular file";
        default:
            return std::strerror(error);
    }
}

// The mode a new file gets: read and write for all, less the process's umask (read without
// changing it, as another thread may be creating files).
mode_t NewFileMode() {
    mode_t mask = 022;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            mask = static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
    return 0666 & ~mask;
}

// errno on failure; a write that takes nothing counts as a full disk.
int WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return errno;
        if (written == 0) return ENOSPC;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

// The file the level goes to: path, or the file a symbolic link there names. errno on failure.
struct Target {
    std::string path;
    bool exists = false;
    struct stat info {};
};

int FindTarget(const std::string& path, Target& target) {
    target.path = path;
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0) return errno == ENOENT ? 0 : errno;
    if (S_ISLNK(entry.st_mode)) {
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved)) return errno == ENOENT ? BROKEN_LINK : errno;
        target.path = resolved;
    }
    if (::stat(target.path.c_str(), &target.info) != 0) return errno;
    if (S_ISDIR(target.info.st_mode)) return EISDIR;
    if (!S_ISREG(target.info.st_mode)) return EINVAL;
    // Renaming over a file needs only the folder's permission: a file the user may not write
    // is left alone all the same.
    if (::access(target.path.c_str(), W_OK) != 0) return errno;
    target.exists = true;
    return 0;
}

// A temporary file beside the target, removed unless it has taken the target's place.
class TempFile {
  public:
    explicit TempFile(const std::string& target) {
        const std::size_t slash = target.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
        path_ = folder + "." + name + ".saving-XXXXXX";
        fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
        if (fd_ >= 0) return;
        error_ = errno;
        path_.clear();
    }
    ~TempFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!path_.empty()) ::unlink(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int Fd() const { return fd_; }
    // errno when the file could not be made.
    int Error() const { return error_; }
    // Flushes the file to the disk and closes it. errno on failure.
    int Finish() {
        const int synced = ::fsync(fd_) == 0 ? 0 : errno;
        const int closed = ::close(fd_) == 0 ? 0 : errno;
        fd_ = -1;
        return synced != 0 ? synced : closed;
    }
    int RenameOver(const std::string& target) {
        if (::rename(path_.c_str(), target.c_str()) != 0) return errno;
        path_.clear();
        return 0;
    }

  private:
    std::string path_;
    int fd_ = -1;
    int error_ = 0;
};

// Copies the old file into the temporary one, reading its tail on the way. errno on failure.
int CopyOld(const std::string& path, int out, FileTail& tail) {
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return errno;
    std::string buffer(CHUNK, '\0');
    int error = 0;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error = errno;
        if (got <= 0) break;
        tail.Feed(buffer.data(), static_cast<std::size_t>(got));
        if (tail.HoldsZeroByte()) {
            error = NOT_TEXT;
            break;
        }
        error = WriteAll(out, buffer.data(), static_cast<std::size_t>(got));
        if (error != 0) break;
    }
    ::close(in);
    return error;
}

std::string LevelText(const std::vector<std::string>& lines, LineEnd end) {
    std::string text;
    for (const std::string& line : lines) text += line + LineEndText(end);
    return text;
}

// The new text written whole beside the target, then in its place. errno on failure.
int Rewrite(const Target& target, const std::vector<std::string>& lines) {
    TempFile temp(target.path);
    if (temp.Fd() < 0) return temp.Error();
    FileTail tail;
    if (target.exists) {
        if (const int error = CopyOld(target.path, temp.Fd(), tail)) return error;
    }
    const std::string text = tail.Separator() + LevelText(lines, tail.Ends());
    if (const int error = WriteAll(temp.Fd(), text.data(), text.size())) return error;
    if (target.exists) {
        // The owner is kept where we may set it (as root); the permissions always.
        if (::fchown(temp.Fd(), target.info.st_uid, target.info.st_gid) != 0) {
            // Not ours to give: the file then belongs to whoever saves it.
        }
        if (::fchmod(temp.Fd(), target.info.st_mode & 07777) != 0) return errno;
    } else if (::fchmod(temp.Fd(), NewFileMode()) != 0) {
        return errno;
    }
    if (const int error = temp.Finish()) return error;
    return temp.RenameOver(target.path);
}

// The rename reaches the disk with the folder's entry.
void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

LevelSaveResult SaveLevelLines(const std::string& path, const std::vector<std::string>& lines) {
    LevelSaveResult result;
    Target target;
    int error = FindTarget(path, target);
    if (error == 0) error = Rewrite(target, lines);
    if (error != 0) {
        result.message = "The level could not be saved to " + path + ": " + ReasonOf(error) + ".";
        return result;
    }
    SyncFolderOf(target.path);
    result.saved = true;
    result.appended = target.exists;
    return result;
}

}  // namespace ruk
