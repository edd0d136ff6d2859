#!/usr/bin/env bash
# Start-up time of the launcher against the bare dialog program, side by side in one run under
# the same Wine: from process creation to the window with the Launch button (id 1024) shown. The
# detection run is timed as the life of the progress window (id 1026) and taken out of the
# launcher's figure for the first target. Targets, on medians:
#   the launcher without the detection run  at most 1.30 x the bare dialog
#   the launcher with the detection run     at most 1.30 x the bare dialog + 250 ms
#   bench/startup/run.sh [--before STAGE] [RUNS]   (default 10 runs, after one warm-up run of each)
# --before STAGE also times the program staged in STAGE (a build of an earlier version, laid out
# as build/stage) in the same runs, alternating with this one, so both meet the same load.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
before=""
if [[ "${1:-}" == --before ]]; then
    before="$(realpath "${2:?--before needs a staged program folder}")"
    shift 2
    [[ -f $before/Launcher.exe ]] || { echo "no Launcher.exe in $before" >&2; exit 2; }
fi
runs="${1:-10}"
source bench/startup/prefix.sh
trap wine_env_stop EXIT
bench_prefix "$ROOT/build/bench-startup"

# One start of the launcher staged in $1; appends to the arrays named <$2>_total and <$2>_detection.
time_launcher() {
    local out
    out=$(cd "$1" && wine "$driver" startup --id 1024 --during 1026 --close 4 Launcher.exe)
    [[ $3 -gt 0 ]] || return 0
    local -n total="$2_total" detection="$2_detection"
    total+=("$(field shown_ms <<<"$out")")
    detection+=("$(awk -v a="$(field during_shown_ms <<<"$out")" -v b="$(field during_gone_ms <<<"$out")" \
        'BEGIN { print (a >= 0 && b >= 0) ? b - a : 0 }')")
}

bare_ms=() after_total=() after_detection=() before_total=() before_detection=()
for i in $(seq 0 "$runs"); do
    out=$(cd "$(dirname "$bare")" && wine "$driver" startup --id 1024 --close 4 "$(basename "$bare")")
    [[ $i -gt 0 ]] && bare_ms+=("$(field shown_ms <<<"$out")")
    # Alternating which of the two goes first, so neither always follows the bare program.
    if [[ -n $before && $((i % 2)) -eq 0 ]]; then time_launcher "$before" before "$i"; fi
    time_launcher "$stage" after "$i"
    if [[ -n $before && $((i % 2)) -eq 1 ]]; then time_launcher "$before" before "$i"; fi
done

minus() { local -n a="$1" b="$2"; for k in "${!a[@]}"; do awk -v x="${a[$k]}" -v y="${b[$k]}" 'BEGIN { print x - y }'; done; }

bare_median=$(median "${bare_ms[@]}")
report() {  # label, array prefix
    local -n total="$2_total" detection="$2_detection"
    local net
    mapfile -t net < <(minus "$2_total" "$2_detection")
    echo "$1"
    printf '  launcher, start to window                   %s\n' "$(stats "${total[@]}")"
    printf '  detection run (progress window shown)       %s\n' "$(stats "${detection[@]}")"
    printf '  launcher without the detection run          %s\n' "$(stats "${net[@]}")"
    awk -v n="$(median "${net[@]}")" -v t="$(median "${total[@]}")" -v b="$bare_median" 'BEGIN {
        r = n / b; limit = 1.3 * b + 250
        printf "  without detection: %.2f x bare (target at most 1.30: %s)\n", r, r <= 1.3 ? "met" : "NOT met"
        printf "  with detection:    %.0f ms = %.2f x bare; target at most 1.3 x bare + 250 = %.0f ms: %s\n",
            t, t / b, limit, t <= limit ? "met" : "NOT met" }'
}

echo "start-up to the window shown, $runs runs each (ms)      min   median      max"
printf '  bare dialog                                 %s\n' "$(stats "${bare_ms[@]}")"
report "this build ($stage)" after
if [[ -n $before ]]; then
    report "before ($before)" before
fi
echo "load: $(uptime | sed 's/.*load average/load average/')"
