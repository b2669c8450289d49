#!/usr/bin/env bash
# Runs the player on a tall level under a real window manager (openbox) on virtual screens of
# the common sizes, prints where the window's frame lies and whether it is inside the screen,
# and saves a screenshot of each screen as docs/fit-WxH.png. Needs xvfb, openbox, x11-utils,
# xdotool and imagemagick (Debian packages); none of them is needed to build or test RUK.
#   scripts/fit_screenshots.sh [--ruk PATH] [--out DIR] [FILE [LEVEL]]
# Exits non-zero when a frame leaves its screen or the window does not come up.
set -euo pipefail
cd "$(dirname "$0")/.."

ruk=build/src/ruk
out=docs
while [ $# -gt 0 ]; do
    case "$1" in
        --ruk) ruk=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        *) break ;;
    esac
done
file=${1:-levels/ruk-samples.txt}
level=${2:-22}  # the samples' tallest level: 50 rows, more than most screens show

for tool in xvfb-run openbox xwininfo xprop xdotool import; do
    command -v "$tool" >/dev/null || { echo "fit_screenshots: $tool is missing" >&2; exit 2; }
done
[ -x "$ruk" ] || { echo "fit_screenshots: no player at $ruk (build it first)" >&2; exit 2; }
mkdir -p "$out"
ruk=$(realpath "$ruk")
file=$(realpath "$file")
out=$(realpath "$out")

# One screen: openbox first, then the player; report the frame, take the picture.
shoot() {
    local width=$1 height=$2 png=$3
    local home
    home=$(mktemp -d)  # a settings folder of its own: no remembered zoom or window
    HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
        xvfb-run -a -s "-screen 0 ${width}x${height}x24" bash -c '
        openbox >/dev/null 2>&1 &
        sleep 1
        "$0" "$1" "$2" >/dev/null 2>&1 &
        player=$!
        id=""
        for _ in $(seq 50); do
            id=$(xdotool search --name "^RUK " 2>/dev/null | head -n 1) && [ -n "$id" ] && break
            sleep 0.2
        done
        sleep 2  # the first fit runs once the frame is known
        status=0
        if [ -z "$id" ]; then
            echo "no window came up"
            status=1
        else
            x=$(xwininfo -id "$id" | awk "/Absolute upper-left X/ {print \$4}")
            y=$(xwininfo -id "$id" | awk "/Absolute upper-left Y/ {print \$4}")
            w=$(xwininfo -id "$id" | awk "/Width:/ {print \$2}")
            h=$(xwininfo -id "$id" | awk "/Height:/ {print \$2}")
            read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | tr -d "," |
                awk "{print \$3, \$4, \$5, \$6}")
            fx=$((x - l)); fy=$((y - t)); fw=$((w + l + r)); fh=$((h + t + b))
            verdict=inside
            if [ "$fx" -lt 0 ] || [ "$fy" -lt 0 ] || [ $((fx + fw)) -gt "$3" ] ||
                [ $((fy + fh)) -gt "$4" ]; then
                verdict=OUTSIDE
                status=1
            fi
            echo "client ${w}x${h}+${x}+${y} frame ${fw}x${fh}+${fx}+${fy}" \
                "(extents l=$l r=$r t=$t b=$b): $verdict"
        fi
        import -window root "$5"
        kill "$player" 2>/dev/null || true
        exit $status
    ' "$ruk" "$file" "$level" "$width" "$height" "$png"
    local status=$?
    rm -rf "$home"
    return $status
}

failed=0
for size in 1366x768 1600x900 1920x1080 2560x1440; do
    png=$out/fit-$size.png
    printf '%s: ' "$size"
    shoot "${size%x*}" "${size#*x}" "$png.full.png" || failed=1
    # Small enough to keep in the repository: half size, few colours.
    convert "$png.full.png" -resize 50% -colors 64 -strip "$png"
    rm -f "$png.full.png"
done
exit $failed
