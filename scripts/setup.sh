#!/usr/bin/env bash
# Installs the Debian packages that building and testing RUK need, when any is missing.
# Sourced by run.sh and test.sh; uses apt-get as root, or through sudo.
set -euo pipefail

# The window needs Qt 6; xvfb and xauth give a virtual X server where there is no display, and
# the IPA Gothic face stands in for the program's font. clang and its runtime build the fuzz
# targets. SQLite keeps the player's progress. The install check validates the launcher entry
# with desktop-file-validate.
ruk_packages=(cmake g++ make libgtest-dev libbenchmark-dev qt6-base-dev libsqlite3-dev xvfb xauth
    fonts-ipafont-gothic clang libclang-rt-14-dev desktop-file-utils)

ruk_missing=()
for package in "${ruk_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        ruk_missing+=("$package")
    fi
done

if [ "${#ruk_missing[@]}" -gt 0 ]; then
    echo "Installing: ${ruk_missing[*]}"
    if [ "$(id -u)" -eq 0 ]; then
        ruk_apt=(apt-get)
    elif command -v sudo >/dev/null 2>&1; then
        ruk_apt=(sudo apt-get)
    else
        echo "Missing packages (${ruk_missing[*]}) and neither root nor sudo to install them." >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${ruk_apt[@]}" update -qq
    "${ruk_apt[@]}" install -y -qq --no-install-recommends "${ruk_missing[@]}"
fi

ruk_jobs=$(nproc 2>/dev/null || echo 2)

# Qt wants a private runtime folder; without one it warns on every start.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/ruk-runtime-$(id -u)"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
fi

# Configures and builds the player, tools, tests and benchmarks into build/.
ruk_build() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j"$ruk_jobs"
}
