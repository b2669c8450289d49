#!/bin/bash
# Fails when an include crosses the layers the wrong way. The include roots already stop most
# of it at compile time; this also covers what one library cannot see about itself (board
# below engine and planner, the planner calling no engine operation) and Qt headers, which a
# core or shell file could reach through the system include path.
#   scripts/check_layers.sh [SOURCE_ROOT]
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
breaks=0

report() {
    echo "layering: $1: $2" >&2
    breaks=$((breaks + 1))
}

# Quoted includes of one file, one per line.
quoted() { sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$1"; }
angled() { sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' "$1"; }

# check FILE ALLOWED_ROOT... : every quoted include resolves beside FILE or under an allowed
# root, and no Qt header is named.
check() {
    local file=$1
    shift
    local inc found dir
    while read -r inc; do
        [ -z "$inc" ] && continue
        case "$inc" in ../* | */../*) report "$file" "\"$inc\" climbs out of its folder" ;; esac
        found=
        [ -f "$(dirname "$file")/$inc" ] && found=1
        for dir in "$@"; do [ -f "$dir/$inc" ] && found=1; done
        [ -z "$found" ] && report "$file" "\"$inc\" is not in a layer it may see"
    done < <(quoted "$file")
    while read -r inc; do
        case "$inc" in Q* | qt* | Qt*) report "$file" "<$inc> is Qt" ;; esac
    done < <(angled "$file")
}

sources() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) | sort; }

core=$root/src/core
shell=$root/src/shell
progress=$root/src/progress_store
for f in $(sources "$core"); do check "$f" "$core"; done
for f in $(sources "$shell"); do check "$f" "$core" "$progress" "$shell"; done
# The progress store sits below the shell: it sees the core, never the shell or the window.
for f in $(sources "$progress"); do check "$f" "$core" "$progress"; done
for f in $(sources "$root/src/ui"); do
    while read -r inc; do
        [ -f "$(dirname "$f")/$inc" ] || [ -f "$core/$inc" ] || [ -f "$shell/$inc" ] ||
            [ -f "$progress/$inc" ] || [ -f "$root/src/ui/$inc" ] ||
            report "$f" "\"$inc\" is not in a layer it may see"
    done < <(quoted "$f")
done
# The headless tools use the core and read the progress store; the bundled solver uses the
# core only.
for f in $(find "$root/tools" \( -path "$root/tools/gui" -o -path "$root/tools/pushbot42" \) -prune \
    -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sort); do
    check "$f" "$core" "$progress" "$root/tools"
done
for f in $(sources "$root/tools/pushbot42"); do check "$f" "$core" "$root/tools"; done

# Inside the core: the search primitives see only themselves; board sees board and search;
# the records see records, board and search; the planner includes no engine operation (it
# reads the play records through records/core_state.h, which the records rule keeps free of
# engine headers).
for f in $(sources "$core/search"); do
    while read -r inc; do
        case "$inc" in search/*) ;; *) report "$f" "search includes \"$inc\"" ;; esac
    done < <(quoted "$f")
done
for f in $(sources "$core/board"); do
    while read -r inc; do
        case "$inc" in board/* | search/*) ;; *) report "$f" "board includes \"$inc\"" ;; esac
    done < <(quoted "$f")
done
if [ -d "$core/records" ]; then
    for f in $(sources "$core/records"); do
        while read -r inc; do
            [ -f "$(dirname "$f")/$inc" ] && continue
            case "$inc" in
                records/* | board/* | search/*) ;;
                *) report "$f" "record includes \"$inc\"" ;;
            esac
        done < <(quoted "$f")
    done
fi
for f in $(sources "$core/planner"); do
    while read -r inc; do
        case "$inc" in engine/* | level_change.h | core_door.h) report "$f" "planner includes \"$inc\"" ;; esac
    done < <(quoted "$f")
done

# The shell and the window see the core only through its door and its records. The board's
# data headers count as records: they hold the level's plain structs (Board, Grids, LevelSet,
# EditorState, LevelModel, the cell codes) and pure lookups over them; the resets they also
# declare are called by the core only.
past_door() {
    case "$1" in
        core_door.h | records/*) return 1 ;;
        board/board.h | board/cell_code.h | board/grids.h | board/level_set.h) return 1 ;;
        board/editor_state.h | board/level_model.h) return 1 ;;
    esac
    return 0
}
# One pass over every file's quoted includes, as FILE:INCLUDE lines.
while IFS=: read -r f inc; do
    layer=shell
    case "$f" in "$root/src/ui/"*) layer=ui ;; esac
    [ -f "$(dirname "$f")/$inc" ] && continue
    [ -f "$core/$inc" ] && past_door "$inc" && report "$f" "$layer includes \"$inc\" past the door"
done < <(grep -rH --include='*.cpp' --include='*.h' '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' \
    "$shell" "$root/src/ui" 2>/dev/null | sed 's/^\([^:]*\):[^"]*"\([^"]*\)".*/\1:\2/' | sort)

if [ "$breaks" -ne 0 ]; then
    echo "layering: $breaks include(s) cross the layers the wrong way" >&2
    exit 1
fi
echo "layering: every include stays within its layers"
