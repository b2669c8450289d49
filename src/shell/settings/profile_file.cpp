// The INI module: reading and writing one key of a profile file (see profile_file.h).
#include "settings/profile_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>

namespace ruk {
namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

enum class LoadResult { OK, MISSING, REFUSED };

// Reads the whole file when it is a regular file within the cap. Anything else (a directory, a
// FIFO that would block, a device, a huge file) is refused rather than read.
LoadResult LoadFile(const std::string& path, std::string& text) {
    text.clear();
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found) return LoadResult::MISSING;
    if (status.type() != fs::file_type::regular) return LoadResult::REFUSED;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > PROFILE_SIZE_CAP) return LoadResult::REFUSED;

    std::ifstream in(path, std::ios::binary);
    if (!in) return LoadResult::REFUSED;
    // The file may have grown since the size was taken: read in chunks and stop past the cap.
    char chunk[65536];
    for (;;) {
        in.read(chunk, sizeof chunk);
        const std::streamsize got = in.gcount();
        if (got > 0) text.append(chunk, static_cast<std::size_t>(got));
        if (text.size() > PROFILE_SIZE_CAP) return LoadResult::REFUSED;
        if (!in) break;
    }
    if (in.bad()) return LoadResult::REFUSED;
    return LoadResult::OK;
}

// What one pass over the file finds out about [section] and its key.
struct Location {
    bool sectionFound = false;
    bool keyFound = false;
    std::size_t lineBegin = 0, lineContentEnd = 0;  // the key's line, without its line break
    std::size_t valueBegin = 0, valueEnd = 0;       // the key's value, blanks trimmed
    std::size_t insertAt = 0;       // just past the last non-blank line of the section
    bool insertNeedsBreak = false;  // that line is the file's last and has no line break
};

Location Locate(const std::string& text, std::string_view section, std::string_view key) {
    Location found;
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t contentEnd = text.find_first_of("\r\n", pos);
        std::size_t end;
        if (contentEnd == std::string::npos) {
            contentEnd = end = text.size();
        } else {
            end = contentEnd + 1;
            if (text[contentEnd] == '\r' && end < text.size() && text[end] == '\n') ++end;
        }
        const std::string_view line = Trim(std::string_view(text).substr(pos, contentEnd - pos));
        if (!line.empty() && line.front() == '[') {
            const std::size_t close = line.find(']');
            if (close != std::string_view::npos) {
                if (inSection) return found;  // the section ended without the key
                if (SameName(Trim(line.substr(1, close - 1)), section)) {
                    inSection = found.sectionFound = true;
                    found.insertAt = end;
                    found.insertNeedsBreak = end == contentEnd;
                }
                pos = end;
                continue;
            }
        }
        if (inSection && !line.empty()) {
            found.insertAt = end;
            found.insertNeedsBreak = end == contentEnd;
            const std::size_t equals = line.find('=');
            if (line.front() != ';' && equals != std::string_view::npos &&
                SameName(Trim(line.substr(0, equals)), key)) {
                found.keyFound = true;
                found.lineBegin = pos;
                found.lineContentEnd = contentEnd;
                const std::string_view value = Trim(line.substr(equals + 1));
                found.valueBegin = static_cast<std::size_t>(value.data() - text.data());
                found.valueEnd = found.valueBegin + value.size();
                return found;
            }
        }
        pos = end;
    }
    return found;
}

std::string LineBreakOf(const std::string& text) {
    const std::size_t at = text.find_first_of("\r\n");
    if (at != std::string::npos && text[at] == '\r' && at + 1 < text.size() &&
        text[at + 1] == '\n') {
        return "\r\n";
    }
    return "\n";
}

bool HasAny(std::string_view s, std::string_view chars) {
    return s.find_first_of(chars) != std::string_view::npos;
}

bool WriteAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes bytes to a fresh temporary file beside target and renames it over target. keepMode is
// the old file's permission bits, or -1 for a new file (which then gets 0666 less the umask).
bool ReplaceFile(const fs::path& target, const std::string& bytes, int keepMode) {
    static std::atomic<unsigned> counter{0};
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::random_device random;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = (folder / ("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) +
                          "-" + std::to_string(counter++) + "-" + std::to_string(random())))
                   .string();
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    keepMode < 0 ? 0666 : 0600);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    if (ok && keepMode >= 0) ::fchmod(fd, static_cast<mode_t>(keepMode));  // best effort
    ok = ok && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temp.c_str());
        return false;
    }
    // Make the rename itself durable; nothing to undo if the folder cannot be synced.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

}  // namespace

std::string GetProfileString(const std::string& path, const char* section, const char* key,
                             const char* defaultValue, int width) {
    std::string result = defaultValue ? defaultValue : "";
    std::string text;
    if (section && key && LoadFile(path, text) == LoadResult::OK) {
        const Location at = Locate(text, Trim(section), Trim(key));
        if (at.keyFound) {
            std::string_view value(text.data() + at.valueBegin, at.valueEnd - at.valueBegin);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front()) {
                value = value.substr(1, value.size() - 2);
            }
            result.assign(value);
        }
    }
    // What a C buffer of width chars would hold: up to a NUL, and room left for one.
    const std::size_t nul = result.find('\0');
    if (nul != std::string::npos) result.resize(nul);
    const std::size_t room = width > 1 ? static_cast<std::size_t>(width) - 1 : 0;
    if (result.size() > room) result.resize(room);
    return result;
}

bool WriteProfileString(const std::string& path, const char* section, const char* key,
                        const char* value) {
    if (!section || !key || !value) return false;
    const std::string_view sectionName = Trim(section);
    const std::string_view keyName = Trim(key);
    // Names or values that would read back as something else, or break the file's lines.
    if (sectionName.empty() || keyName.empty() || HasAny(section, "\r\n]") ||
        HasAny(key, "\r\n=") || keyName.front() == ';' || keyName.front() == '[' ||
        HasAny(value, "\r\n")) {
        return false;
    }

    std::string text;
    const LoadResult loaded = LoadFile(path, text);
    if (loaded == LoadResult::REFUSED) return false;

    fs::path target = path;
    int keepMode = -1;
    if (loaded == LoadResult::OK) {
        std::error_code ec;
        // Write through a symbolic link rather than replace the link with a plain file.
        if (fs::is_symlink(target, ec)) {
            target = fs::canonical(target, ec);
            if (ec) return false;
        }
        struct stat info {};
        if (::stat(target.c_str(), &info) != 0) return false;
        // A file marked read-only stays as it is, even for a user whom permissions don't bind.
        if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) return false;
        keepMode = static_cast<int>(info.st_mode & 07777);
    }

    const std::string lineBreak = LineBreakOf(text);
    const std::string keyLine = std::string(key) + "=" + value;
    const Location at = Locate(text, sectionName, keyName);
    std::string updated;
    if (at.keyFound) {
        if (std::string_view(text).substr(at.lineBegin, at.lineContentEnd - at.lineBegin) ==
            keyLine) {
            return true;  // already so; no need to rewrite the file
        }
        updated = text.substr(0, at.lineBegin) + keyLine + text.substr(at.lineContentEnd);
    } else if (at.sectionFound) {
        updated = text.substr(0, at.insertAt);
        if (at.insertNeedsBreak) updated += lineBreak;
        updated += keyLine + lineBreak;
        updated += text.substr(at.insertAt);
    } else {
        updated = text;
        if (!updated.empty() && updated.back() != '\n' && updated.back() != '\r') {
            updated += lineBreak;
        }
        updated += "[" + std::string(section) + "]" + lineBreak + keyLine + lineBreak;
    }
    return ReplaceFile(target, updated, keepMode);
}

int ProfileNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n' || text[i] == '\r')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Accumulate the magnitude in a wider type and stop growing it once past the int range.
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    long long magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) magnitude = limit;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace ruk
