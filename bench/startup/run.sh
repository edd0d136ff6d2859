#!/usr/bin/env bash
# Start-up time of the launcher against the bare dialog program, side by side in one run under
# the same Wine: from process creation to the window with the Launch button (id 1024) shown. The
# detection run is timed as the life of the progress window (id 1026) and taken out of the
# launcher's figure for the first target. A third program, the bare one with the common controls
# and a progress window before its dialog, shows what that shape of program costs by itself.
# Targets, on medians:
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

# One start of the launcher staged in $1; appends to the arrays named <$2>_total, <$2>_detection
# and <$2>_progress (start to the progress window shown).
time_launcher() {
    local out
    out=$(cd "$1" && wine "$driver" startup --id 1024 --during 1026 --close 4 Launcher.exe)
    [[ $3 -gt 0 ]] || return 0
    local -n total="$2_total" detection="$2_detection" progress="$2_progress"
    total+=("$(field shown_ms <<<"$out")")
    progress+=("$(field during_shown_ms <<<"$out")")
    detection+=("$(awk -v a="$(field during_shown_ms <<<"$out")" -v b="$(field during_gone_ms <<<"$out")" \
        'BEGIN { print (a >= 0 && b >= 0) ? b - a : 0 }')")
}

# The bare program with the common controls and a progress window first, timed as the launcher:
# start to its dialog, less the progress window's life.
two_windows="$(dirname "$bare")/bare_two_windows.exe"
time_two_windows() {
    local out
    out=$(cd "$(dirname "$two_windows")" && wine "$driver" startup --id 1024 --during 1026 --close 4 \
        "$(basename "$two_windows")")
    awk -v t="$(field shown_ms <<<"$out")" -v a="$(field during_shown_ms <<<"$out")" \
        -v b="$(field during_gone_ms <<<"$out")" 'BEGIN { print (a >= 0 && b >= 0) ? t - (b - a) : t }'
}

two_ms=() bare_ms=() after_total=() after_detection=() after_progress=() before_total=() before_detection=() before_progress=()
for i in $(seq 0 "$runs"); do
    out=$(cd "$(dirname "$bare")" && wine "$driver" startup --id 1024 --close 4 "$(basename "$bare")")
    [[ $i -gt 0 ]] && bare_ms+=("$(field shown_ms <<<"$out")")
    out=$(time_two_windows)
    [[ $i -gt 0 ]] && two_ms+=("$out")
    # Alternating which of the two goes first, so neither always follows the bare program.
    if [[ -n $before && $((i % 2)) -eq 0 ]]; then time_launcher "$before" before "$i"; fi
    time_launcher "$stage" after "$i"
    if [[ -n $before && $((i % 2)) -eq 1 ]]; then time_launcher "$before" before "$i"; fi
done

minus() { local -n a="$1" b="$2"; for k in "${!a[@]}"; do awk -v x="${a[$k]}" -v y="${b[$k]}" 'BEGIN { print x - y }'; done; }

bare_median=$(median "${bare_ms[@]}")
report() {  # label, array prefix
    local -n total="$2_total" detection="$2_detection" progress="$2_progress"
    local net post
    mapfile -t net < <(minus "$2_total" "$2_detection")
    echo "$1"
    printf '  launcher, start to window                   %s\n' "$(stats "${total[@]}")"
    printf '  detection run (progress window shown)       %s\n' "$(stats "${detection[@]}")"
    printf '  launcher without the detection run          %s\n' "$(stats "${net[@]}")"
    # Where that goes: up to the progress window (libraries, the first window), and after it.
    printf '    start to the progress window shown        %s\n' "$(stats "${progress[@]}")"
    mapfile -t post < <(minus net "$2_progress")
    printf '    progress window gone to the launcher      %s\n' "$(stats "${post[@]}")"
    awk -v n="$(median "${net[@]}")" -v t="$(median "${total[@]}")" -v b="$bare_median" \
        -v w="$(median "${two_ms[@]}")" 'BEGIN {
        r = n / b; limit = 1.3 * b + 250
        printf "  without detection: %.2f x bare (target at most 1.30: %s); %.2f x the two-window program\n",
            r, r <= 1.3 ? "met" : "NOT met", n / w
        printf "  with detection:    %.0f ms = %.2f x bare; target at most 1.3 x bare + 250 = %.0f ms: %s\n",
            t, t / b, limit, t <= limit ? "met" : "NOT met" }'
}

echo "start-up to the window shown, $runs runs each (ms)      min   median      max"
printf '  bare dialog                                 %s\n' "$(stats "${bare_ms[@]}")"
printf '  bare, common controls and a progress window first, without its life\n'
printf '                                              %s   = %s x bare\n' "$(stats "${two_ms[@]}")" \
    "$(awk -v w="$(median "${two_ms[@]}")" -v b="$bare_median" 'BEGIN { printf "%.2f", w / b }')"
report "this build ($stage)" after
if [[ -n $before ]]; then
    report "before ($before)" before
fi
echo "load: $(uptime | sed 's/.*load average/load average/')"
