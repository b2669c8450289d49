// The solver's process (see solver_process.h). The only file that knows how Linux keeps its
// processes: groups, the reaper role, /proc.
#include "process/solver_process.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <thread>
#include <unordered_map>
#include <vector>

#include "solver/job_file.h"

namespace ruk {

namespace {

struct ProcessEntry {
    pid_t pid = 0;
    pid_t parent = 0;
    unsigned long long start = 0;  // clock ticks since boot
    bool zombie = false;
};

bool ReadEntry(pid_t pid, ProcessEntry& entry) {
    char path[48];
    std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return false;
    char text[1024];
    const std::size_t size = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    text[size] = '\0';
    // The command name may hold anything, also ")": the fields start after the last one.
    char* rest = nullptr;
    for (char* p = text; *p != '\0'; ++p)
        if (*p == ')') rest = p + 1;
    if (rest == nullptr) return false;
    char state = 0;
    int parent = 0;
    unsigned long long start = 0;
    // state ppid pgrp session tty_nr tpgid flags minflt cminflt majflt cmajflt utime stime
    // cutime cstime priority nice num_threads itrealvalue starttime
    if (std::sscanf(
            rest, " %c %d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
            &state, &parent, &start) != 3)
        return false;
    entry = {pid, static_cast<pid_t>(parent), start, state == 'Z'};
    return true;
}

std::vector<ProcessEntry> AllProcesses() {
    std::vector<ProcessEntry> all;
    DIR* dir = ::opendir("/proc");
    if (dir == nullptr) return all;
    while (const dirent* item = ::readdir(dir)) {
        char* end = nullptr;
        const long pid = std::strtol(item->d_name, &end, 10);
        ProcessEntry entry;
        if (*end == '\0' && pid > 0 && ReadEntry(static_cast<pid_t>(pid), entry))
            all.push_back(entry);
    }
    ::closedir(dir);
    return all;
}

// The processes below this one that started no earlier than runStart: the run's, wherever
// they moved to; this program starts no other processes while a run lasts.
std::vector<ProcessEntry> RunProcesses(unsigned long long runStart) {
    const std::vector<ProcessEntry> all = AllProcesses();
    std::unordered_map<pid_t, pid_t> parents;
    for (const ProcessEntry& entry : all) parents[entry.pid] = entry.parent;
    const pid_t self = ::getpid();
    std::vector<ProcessEntry> run;
    for (const ProcessEntry& entry : all) {
        if (entry.start < runStart || entry.pid == self) continue;
        pid_t up = entry.parent;
        // A bounded walk: the snapshot is not atomic and could, in theory, hold a loop.
        for (int step = 0; step < 4096 && up > 1 && up != self; ++step) {
            const auto found = parents.find(up);
            up = found == parents.end() ? 0 : found->second;
        }
        if (up == self) run.push_back(entry);
    }
    return run;
}

// Reads the run's error output until its last writer has gone, or, once stop is set, until it
// pauses, keeping only its last keep bytes in tail: a solver can write without end. tail has
// room for twice keep and a piece, so it never grows here.
void ReadErrorTail(int fd, std::size_t keep, std::string& tail, const std::atomic<bool>& stop) {
    char piece[1 << 16];
    for (int afterStop = 0; afterStop < 64;) {
        pollfd wait{fd, POLLIN, 0};
        const int ready = ::poll(&wait, 1, 50);
        if (stop) ++afterStop;
        if (ready < 0 && errno != EINTR) break;
        if (ready <= 0) {
            if (stop) break;
            continue;
        }
        const ssize_t got = ::read(fd, piece, sizeof piece);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        if (tail.size() > keep && tail.size() + static_cast<std::size_t>(got) > 2 * keep)
            tail.erase(0, tail.size() - keep);
        tail.append(piece, static_cast<std::size_t>(got));
    }
    ::close(fd);
}

}  // namespace

SolverProcess::SolverProcess() {
    // Once for the program: orphans of a run then come to us instead of to init, so they can
    // be found and ended. Failing (an old kernel) leaves the group and the direct line.
    static const bool reaper = ::prctl(PR_SET_CHILD_SUBREAPER, 1) == 0;
    (void)reaper;
    // The solver talks through its files; its error output comes to this program (see Start),
    // the rest goes nowhere.
    process_.setStandardInputFile(QProcess::nullDevice());
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
}

SolverProcess::~SolverProcess() {
    Stop();
}

bool SolverProcess::Start(const std::string& script, const std::string& folder,
                          const std::string& errorPath) {
    KeepErrorTail();  // an earlier run's, should it still be read
    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0) return false;
    const pid_t player = ::getpid();
    // The folder goes to chdir as bytes: a name that is not valid UTF-8 would not survive a
    // QString. The script is named relative to it for the same reason.
    process_.setChildProcessModifier([folder, player, writeEnd = errorPipe[1]] {
        // A group of its own: one signal then reaches the shell, the solver and their children.
        ::setsid();
        // Killed with the player, even by a signal that leaves it no time to end the run; the
        // solver keeps this, as the script's shell becomes it.
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != player) ::_exit(127);  // the player died before the line above
        // Over the null device Qt gave it: the error output goes to the reader of its tail.
        ::dup2(writeEnd, STDERR_FILENO);
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
    });
    const std::string prefix = folder + "/";
    const std::string name =
        script.compare(0, prefix.size(), prefix) == 0 ? script.substr(prefix.size()) : script;
    process_.start("/bin/sh", {QFile::decodeName(name.c_str())});
    const bool started = process_.waitForStarted(5000);
    ::close(errorPipe[1]);  // the run's processes hold the only writing ends now
    if (!started) {
        ::close(errorPipe[0]);
        return false;
    }
    errorPath_ = errorPath;
    errorTail_.clear();
    errorTail_.reserve(2 * ERROR_TAIL_BYTES + (1 << 16));
    stopReading_ = false;
    errorReader_ = std::thread(ReadErrorTail, errorPipe[0], ERROR_TAIL_BYTES, std::ref(errorTail_),
                               std::cref(stopReading_));
    pid_ = process_.processId();
    ProcessEntry shell;
    // A shell already gone leaves no start time: then every process below ours is the run's.
    runStart_ = ReadEntry(static_cast<pid_t>(pid_), shell) ? shell.start : 0;
    running_ = true;
    swept_ = false;
    return true;
}

void SolverProcess::KeepErrorTail() {
    if (!errorReader_.joinable()) return;
    stopReading_ = true;
    errorReader_.join();
    const std::size_t keep = std::min(errorTail_.size(), ERROR_TAIL_BYTES);
    WriteJobFile(errorPath_, errorTail_.substr(errorTail_.size() - keep));
    errorTail_.clear();
}

void SolverProcess::EndRunProcesses(int waitMs) {
    if (swept_) return;
    swept_ = true;
    if (pid_ > 0) ::kill(static_cast<pid_t>(-pid_), SIGKILL);
    const pid_t self = ::getpid();
    const pid_t shell = static_cast<pid_t>(pid_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (true) {
        bool left = false;
        for (const ProcessEntry& entry : RunProcesses(runStart_)) {
            if (entry.pid == shell) {
                // QProcess waits for its own child; taking its status here would hide the end.
                if (!entry.zombie) ::kill(entry.pid, SIGKILL);
            } else if (!entry.zombie) {
                ::kill(entry.pid, SIGKILL);
                left = true;
            } else if (entry.parent == self) {
                ::waitpid(entry.pid, nullptr, WNOHANG);  // an orphan that came to us
            } else {
                left = true;  // its parent is going; then it comes to us
            }
        }
        if (!left || std::chrono::steady_clock::now() >= deadline) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

bool SolverProcess::Ended() {
    if (!running_) return true;
    if (process_.state() == QProcess::NotRunning || process_.waitForFinished(0)) {
        running_ = false;
        // Anything the run left behind goes with it.
        EndRunProcesses(1000);
        KeepErrorTail();
    }
    return !running_;
}

bool SolverProcess::WaitForEnd(int ms) {
    if (running_) process_.waitForFinished(ms);
    return Ended();
}

void SolverProcess::Stop() {
    if (!running_) return;
    EndRunProcesses(2000);
    process_.waitForFinished(3000);
    running_ = false;
    KeepErrorTail();
}

}  // namespace ruk
