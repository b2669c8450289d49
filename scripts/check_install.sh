#!/bin/bash
# Installs a built tree into a scratch prefix and checks what a desktop needs: the three
# programs side by side and stripped of debug information, the sample levels, the launcher
# entry, the MIME type of level files and the icon; the installed player answers --version
# (its version and the caption's) and --help without a display.
#   scripts/check_install.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check_install.sh BUILD_DIR}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/ruk-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
fail() {
    echo "install: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/ruk bin/pushbot42 bin/ruk-tool share/applications/ruk.desktop \
    share/mime/packages/ruk.xml share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/ruk.png; do
    [ -f "$prefix/$file" ] || fail "$file missing"
done
for program in ruk pushbot42 ruk-tool; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"
    if command -v readelf >/dev/null; then
        sections=$(readelf -S "$prefix/bin/$program")
        [[ $sections != *.debug_info* ]] || fail "bin/$program keeps its debug information"
    fi
done
for levels in ruk-samples.txt ruk-samples-solutions.txt; do
    cmp -s "$prefix/share/ruk/levels/$levels" "$(dirname "$0")/../levels/$levels" || fail "share/ruk/levels/$levels missing or changed"
done
"$prefix/bin/ruk-tool" levels "$prefix/share/ruk/levels/ruk-samples.txt" --count >/dev/null ||
    fail "the installed sample levels do not read"

version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/ruk" --version) || fail "ruk --version failed"
[[ $version == "ruk "*$'\n''RUK (Rukplayer) v'* ]] || fail "ruk --version printed '$version'"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/ruk" --help | grep -q '^Usage: ruk \[FILE \[LEVEL\]\]$' ||
    fail "ruk --help printed no usage line"

entry=$prefix/share/applications/ruk.desktop
grep -qx 'Exec=ruk %f' "$entry" || fail "the entry does not open files with ruk"
grep -qx 'Icon=ruk' "$entry" || fail "the entry names another icon"
grep -qx 'Exec=ruk --resume' "$entry" || fail "the entry has no action that resumes the last game"
mime=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$entry")
grep -q "type=\"$mime\"" "$prefix/share/mime/packages/ruk.xml" || fail "the entry's MIME type '$mime' is not defined"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop-file-validate refused the entry"
fi
files=$(find "$prefix" -type f | wc -l)
if command -v update-mime-database >/dev/null; then
    update-mime-database "$prefix/share/mime" 2>/dev/null
    for glob in '*.sok' '*.xsb'; do
        grep -qxF "$mime:$glob" <(cut -d: -f2- "$prefix/share/mime/globs2") || fail "$glob is not $mime"
    done
fi
echo "install: $files files, ruk answers '${version//$'\n'/ / }'"
