#!/bin/bash
# Shows that the layering check bites: on a copy of the sources, each wrong include below in
# turn must make it fail, and the untouched copy must pass.
#   scripts/check_layers_selftest.sh [SOURCE_ROOT]
set -u
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
check=$root/scripts/check_layers.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fresh() {
    rm -rf "$work/tree"
    mkdir -p "$work/tree"
    cp -r "$root/src" "$root/tools" "$work/tree/"
}

failures=0
fresh
if ! "$check" "$work/tree" >/dev/null 2>&1; then
    echo "selftest: the untouched sources fail the check" >&2
    failures=$((failures + 1))
fi

# FILE (under the copy) and the line to add at its top.
while IFS='|' read -r file line; do
    fresh
    printf '%s\n' "$line" | cat - "$work/tree/$file" >"$work/tree/$file.new"
    mv "$work/tree/$file.new" "$work/tree/$file"
    if "$check" "$work/tree" >/dev/null 2>&1; then
        echo "selftest: not caught: $line in $file" >&2
        failures=$((failures + 1))
    else
        echo "selftest: caught: $line in $file"
    fi
done <<'CASES'
src/core/board/placement.cpp|#include "engine/play_state.h"
src/core/board/level_file.h|#include "core_state.h"
src/core/search/box_sides.cpp|#include "board/board.h"
src/core/search/mark_map.h|#include "planner/planner_tables.h"
src/core/planner/box_targets.cpp|#include "engine/box_selection.h"
src/core/engine/playback.cpp|#include "settings/settings.h"
src/core/core_door.cpp|#include <QString>
src/shell/panel/status_panel.cpp|#include "render/board_renderer.h"
src/shell/settings/settings.h|#include <QtCore/QSettings>
src/progress_store/progress_store.cpp|#include "settings/settings.h"
src/progress_store/level_key.h|#include <QByteArray>
src/core/core_door.cpp|#include "progress_store.h"
src/progress_store/progress_store.cpp|#include "progress_keeping/progress_keeper.h"
tools/replay_command.cpp|#include "panel/status_panel.h"
tools/pushbot42/pushbot_search.cpp|#include "../../src/core/core_state.h"
tools/pushbot42/pushbot_search.cpp|#include "progress_store.h"
tools/progress_command.cpp|#include "settings/settings.h"
src/core/records/core_state.h|#include "engine/key_step.h"
src/core/records/planner_tables.h|#include "planner/fill_region.h"
src/shell/panel/status_panel.cpp|#include "engine/key_step.h"
src/shell/solver/solver_job.h|#include "textio/grid_text.h"
src/shell/panel/board_zoom.cpp|#include "board/level_file.h"
src/ui/window/main_window.cpp|#include "planner/unsolvable_check.h"
CASES

[ "$failures" -eq 0 ] || exit 1
echo "selftest: every wrong include was caught"
