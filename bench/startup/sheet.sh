#!/usr/bin/env bash
# Opening time of the settings sheet against the bare dialog program's start-up, side by side in
# one run under the same Wine: from the click on the launcher's Settings button to the sheet
# shown, and to the sheet with its first page painted; the bare dialog from process creation to
# its window shown. Target: the sheet painted within 1.3 times the bare dialog's time.
#   bench/startup/sheet.sh [RUNS]      (default 10, after one warm-up run of each)
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
runs="${1:-10}"
source bench/startup/prefix.sh
launcher_pid=
stop() {
    [[ -n $launcher_pid ]] && kill "$launcher_pid" 2>/dev/null
    wine_env_stop
}
trap stop EXIT
bench_prefix "$ROOT/build/bench-sheet"

(cd "$stage" && exec wine Launcher.exe) >/dev/null 2>&1 &
launcher_pid=$!
launcher=$(wine "$driver" wait --exe Launcher.exe --ids 1024,3,4 --timeout 120 | tr -d '\r' | awk '{ print $1 }')
[[ -n $launcher ]] || { echo "the launcher window did not appear" >&2; exit 1; }

bare_ms=() shown_ms=() painted_ms=()
for i in $(seq 0 "$runs"); do
    out=$(cd "$(dirname "$bare")" && wine "$driver" startup --id 1024 --close 4 "$(basename "$bare")")
    [[ $i -gt 0 ]] && bare_ms+=("$(field shown_ms <<<"$out")")
    out=$(wine "$driver" open-time "$launcher" 3 --id 12321)
    sheet=$(field hwnd <<<"$out")
    if [[ $i -gt 0 ]]; then
        shown_ms+=("$(field shown_ms <<<"$out")")
        painted_ms+=("$(field painted_ms <<<"$out")")
    fi
    wine "$driver" click "$sheet" 2 >/dev/null
    wine "$driver" wait --exe Launcher.exe --ids 12321 --gone --timeout 30 >/dev/null
done


echo "settings sheet against the bare dialog, $runs runs each (ms)      min   median      max"
printf '  bare dialog: start to window shown                  %s\n' "$(stats "${bare_ms[@]}")"
printf '  settings sheet: click to shown                      %s\n' "$(stats "${shown_ms[@]}")"
printf '  settings sheet: click to first page painted         %s\n' "$(stats "${painted_ms[@]}")"
awk -v s="$(median "${painted_ms[@]}")" -v b="$(median "${bare_ms[@]}")" 'BEGIN {
    r = s / b
    printf "ratio of medians (sheet painted / bare dialog): %.2f (target at most 1.30: %s)\n", r, r <= 1.3 ? "met" : "NOT met" }'
wine "$driver" click "$launcher" 4 >/dev/null || true
