// The program folder and the fallback settings folder (see program_folder.h).
#include "settings/program_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string_view>
#include <system_error>

namespace ruk {
namespace {

namespace fs = std::filesystem;

// The folder of a file named by an absolute path, with links and dot components resolved
// where they can be.
std::string FolderOf(const fs::path& file) {
    std::error_code ec;
    fs::path resolved = fs::weakly_canonical(file, ec);
    if (ec) resolved = file.lexically_normal();
    const fs::path folder = resolved.parent_path();
    if (folder.empty()) return "";
    std::string text = folder.string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return text;
}

std::string ReadSelfLink() {
    std::string buffer(256, '\0');
    // The link's length is unknown in advance; grow until it fits, within reason.
    while (buffer.size() <= 65536) {
        const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (n < 0) return "";
        if (static_cast<std::size_t>(n) < buffer.size()) {
            buffer.resize(static_cast<std::size_t>(n));
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
    return "";
}

// A bare program name was found through PATH, as the shell does it.
std::string SearchPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    if (!path) return "";
    std::string_view rest = path;
    while (true) {
        const std::size_t colon = rest.find(':');
        std::string folder(rest.substr(0, colon));
        if (folder.empty()) folder = ".";
        const fs::path candidate = fs::path(folder) / name;
        std::error_code ec;
        if (fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0) {
            return fs::absolute(candidate, ec).string();
        }
        if (colon == std::string_view::npos) return "";
        rest.remove_prefix(colon + 1);
    }
}

// Creating and removing a file of our own is the only sure test: permission bits say nothing
// about read-only mounts, and root passes access() checks on folders it can't write to.
bool CanCreateFileIn(const std::string& folder) {
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (int attempt = 0; attempt < 10; ++attempt) {
        const std::string probe = folder + "/.ruk-probe-" + std::to_string(::getpid()) + "-" +
                                  std::to_string(counter++) + "-" + std::to_string(random());
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(probe.c_str());
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// The config folder, created (private to the user) when missing; "" when it can't be used.
std::string UsableConfigFolder(const fs::path& folder) {
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        if (!fs::create_directories(folder, ec)) return "";
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    const std::string text = folder.string();
    return CanCreateFileIn(text) ? text : "";
}

}  // namespace

std::string ExecutableFolder(const char* argv0) {
    const std::string self = ReadSelfLink();
    if (!self.empty() && self.front() == '/') return FolderOf(self);
    if (!argv0 || !*argv0) return "";
    const std::string name = argv0;
    std::error_code ec;
    if (name.find('/') == std::string::npos) {
        const std::string found = SearchPath(name);
        return found.empty() ? "" : FolderOf(found);
    }
    const fs::path absolute = fs::absolute(name, ec);
    return ec ? "" : FolderOf(absolute);
}

std::string WorkingFolder(const std::string& programFolder) {
    if (!programFolder.empty() && CanCreateFileIn(programFolder)) return programFolder;
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/') {
        const std::string folder = UsableConfigFolder(fs::path(configHome) / "ruk");
        if (!folder.empty()) return folder;
    }
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') {
        const std::string folder = UsableConfigFolder(fs::path(home) / ".config" / "ruk");
        if (!folder.empty()) return folder;
    }
    return programFolder;
}

std::string UserConfigFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome && configHome[0] == '/') return (fs::path(configHome) / "ruk").string();
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return (fs::path(home) / ".config" / "ruk").string();
    return "";
}

std::vector<std::string> SkinPaths(const std::string& programFolder,
                                   const std::string& workingFolder) {
    std::vector<std::string> paths;
    for (const std::string& folder : {programFolder, UserConfigFolder(), workingFolder}) {
        if (folder.empty()) continue;
        const std::string path = folder + "/ruk_skin.bmp";
        if (std::find(paths.begin(), paths.end(), path) == paths.end()) paths.push_back(path);
    }
    return paths;
}

}  // namespace ruk
