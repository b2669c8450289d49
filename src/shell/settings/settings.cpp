// The settings read and written through the INI module (see settings.h).
#include "settings/settings.h"

#include "records/core_state.h"
#include "settings/profile_file.h"

namespace ruk {
namespace {

// Stored values of SELECT and GUARD that mean "never set": the default when the key is absent.
constexpr int NEVER_SET = 9;
constexpr int ZOOM_DEFAULT_TILE = 24;
constexpr const char* ZOOM_FIT = "FIT";

// Every number is read as a short string first, as the Windows player did with its fixed
// buffers, so a value that does not fit the width is cut before it is converted ("10" in a
// two-char buffer reads as 1).
int ReadNumber(const WorkingPaths& paths, const char* section, const char* key,
               const char* defaultValue, int width) {
    return ProfileNumber(GetProfileString(paths.settings, section, key, defaultValue, width));
}

void WriteNumber(const WorkingPaths& paths, const char* section, const char* key, int value) {
    WriteProfileString(paths.settings, section, key, std::to_string(value).c_str());
}

}  // namespace

WorkingPaths BuildWorkingPaths(const std::string& folder) {
    WorkingPaths paths;
    paths.folder = folder;
    paths.settings = folder + "/ruk.ini";
    paths.skin = folder + "/ruk_skin.bmp";
    paths.solverInput = folder + "/ruk_in.txt";
    paths.solverScript = folder + "/solver.sh";
    return paths;
}

Options LoadOptions(const WorkingPaths& paths) {
    Options options;
    options.instantMove = ReadNumber(paths, "OPTION", "IMOVE", "0", 2) != 0;
    const int guard = ReadNumber(paths, "OPTION", "GUARD", "9", 2);
    if (guard == NEVER_SET) {
        options.guardEnabled = true;
        SaveOptions(paths, options);
    } else {
        options.guardEnabled = guard != 0;
    }
    return options;
}

void SaveOptions(const WorkingPaths& paths, const Options& options) {
    WriteNumber(paths, "OPTION", "IMOVE", options.instantMove ? 1 : 0);
    WriteNumber(paths, "OPTION", "GUARD", options.guardEnabled ? 1 : 0);
}

int LoadReplaySlowdown(const WorkingPaths& paths) {
    const int slowdown = ReadNumber(paths, "OPTION", "SPEED", "1", 4);
    return IsReplaySlowdown(slowdown) ? slowdown : 1;
}

void SaveReplaySlowdown(const WorkingPaths& paths, int slowdown) {
    WriteNumber(paths, "OPTION", "SPEED", IsReplaySlowdown(slowdown) ? slowdown : 1);
}

ZoomSetting LoadZoom(const WorkingPaths& paths) {
    // Read whole and matched exactly: a value cut or half-read as a number would pick a size
    // nobody chose.
    const std::string value = GetProfileString(paths.settings, "OPTION", "ZOOM", "", 16);
    ZoomSetting zoom;
    zoom.fit = value == ZOOM_FIT;
    for (const char* tile : {"24", "48", "72", "96"})
        if (value == tile) zoom.tilePixels = ProfileNumber(value);
    zoom.chosen = zoom.fit || zoom.tilePixels != ZOOM_DEFAULT_TILE || value == "24";
    return zoom;
}

void SaveZoom(const WorkingPaths& paths, const ZoomSetting& zoom) {
    if (zoom.fit)
        WriteProfileString(paths.settings, "OPTION", "ZOOM", ZOOM_FIT);
    else
        WriteNumber(paths, "OPTION", "ZOOM", zoom.tilePixels);
}

SolverSettings LoadSolverSettings(const WorkingPaths& paths, SolverKind firstChoice) {
    SolverSettings settings;
    const int choice = ReadNumber(paths, "SOLVER", "SELECT", "9", 2);
    if (choice == NEVER_SET) {
        settings.solverChoice = firstChoice;
        settings.solverFileName = "pushbot42";
        settings.solverTimeLimit = 120;
        settings.autoPlayWhenSolved = AutoPlay::On;
        SaveSolverSettings(paths, settings);
        return settings;
    }
    settings.solverChoice = static_cast<SolverKind>(choice);
    settings.solverFileName = GetProfileString(paths.settings, "SOLVER", "SOLVER", "", 100);
    settings.solverTimeLimit = ReadNumber(paths, "SOLVER", "TIME", "0", 10);
    settings.autoPlayWhenSolved =
        static_cast<AutoPlay>(ReadNumber(paths, "SOLVER", "PLAY", "0", 2));
    return settings;
}

void SaveSolverSettings(const WorkingPaths& paths, const SolverSettings& settings) {
    WriteNumber(paths, "SOLVER", "SELECT", static_cast<int>(settings.solverChoice));
    WriteProfileString(paths.settings, "SOLVER", "SOLVER", settings.solverFileName.c_str());
    WriteNumber(paths, "SOLVER", "TIME", settings.solverTimeLimit);
    WriteNumber(paths, "SOLVER", "PLAY", static_cast<int>(settings.autoPlayWhenSolved));
}

}  // namespace ruk
