#!/usr/bin/env bash
# Start-up time of the launcher against this platform's floors, side by side in one run under the
# same Wine: from process creation to the window with the Launch button (id 1024) shown. The
# floors are programs that do only what the launcher's run cannot skip (bench/startup/BareDialog.cpp):
#   two-window floor   the common controls, a progress window (id 1026), then the dialog
#   detection floor    the same, the progress window living while the graphics query runs
# The programs take turns in every round, each round starting with the next one, so that they
# meet the same load; the ratios are taken per round and their median counts. Targets:
#   start to the launcher window, with the detection run   at most 1.10 x the detection floor
#   the same less the progress window's life                at most 1.10 x the two-window floor
#                                                            (less its progress window's life)
#   bench/startup/run.sh [--before STAGE] [ROUNDS]   (default 20 rounds, after one warm-up round)
# --before STAGE also times the program staged in STAGE (a build of an earlier version, laid out
# as build/stage) in the same rounds.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
before=""
if [[ "${1:-}" == --before ]]; then
    before="$(realpath "${2:?--before needs a staged program folder}")"
    shift 2
    [[ -f $before/Launcher.exe ]] || { echo "no Launcher.exe in $before" >&2; exit 2; }
fi
rounds="${1:-20}"
(( rounds >= 15 )) || echo "note: fewer than 15 rounds; the medians will move between runs" >&2
source bench/startup/prefix.sh
trap wine_env_stop EXIT
bench_prefix "$ROOT/build/bench-startup"
floors="$(dirname "$bare")"

# time_start NAME DIR EXE: one start of DIR/EXE; past the warm-up round ($round 0) appends to
# NAME_total (start to the window), NAME_shown (start to the progress window shown) and NAME_life
# (the progress window's life).
time_start() {
    local out shown gone
    out=$(cd "$2" && wine "$driver" startup --id 1024 --during 1026 --close 4 "$3")
    [[ $round -gt 0 ]] || return 0
    shown=$(field during_shown_ms <<<"$out") gone=$(field during_gone_ms <<<"$out")
    local -n total="$1_total" progress="$1_shown" life="$1_life"
    total+=("$(field shown_ms <<<"$out")")
    progress+=("$shown")
    life+=("$(awk -v a="$shown" -v b="$gone" 'BEGIN { print (a >= 0 && b >= a) ? b - a : 0 }')")
}

programs=(after two detection)
[[ -n $before ]] && programs+=(before)
start_program() {
    case "$1" in
        after) time_start after "$stage" Launcher.exe ;;
        before) time_start before "$before" Launcher.exe ;;
        two) time_start two "$floors" bare_two_windows.exe ;;
        detection) time_start detection "$floors" bare_detection.exe ;;
    esac
}
for name in "${programs[@]}"; do declare -a "${name}_total=()" "${name}_shown=()" "${name}_life=()"; done

load_before=$(uptime | sed 's/.*load average: //')
for round in $(seq 0 "$rounds"); do
    n=${#programs[@]}
    for k in $(seq 0 $((n - 1))); do start_program "${programs[$(((round + k) % n))]}"; done
done
load_after=$(uptime | sed 's/.*load average: //')

# each OP A B: the per-round results of A OP B for two arrays of equal length.
each() {
    local -n a="$2" b="$3"
    for k in "${!a[@]}"; do awk -v x="${a[$k]}" -v y="${b[$k]}" -v op="$1" \
        'BEGIN { printf "%.4f\n", op == "-" ? x - y : x / y }'; done
}
row() { printf '  %-44s %s\n' "$1" "$(stats "${@:2}")"; }
# ratios LABEL TARGET RATIOS...: their median and range; with a TARGET, whether the median meets it.
ratios() {
    printf '%s\n' "${@:3}" | sort -n | awk -v l="$1" -v t="$2" '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "  %-44s %.3f (per round %.3f .. %.3f)", l, m, v[1], v[NR]
        if (t != "") printf "; target at most %.2f: %s", t, m <= t ? "met" : "NOT met"
        printf "\n" }'
}

mapfile -t two_net < <(each - two_total two_life)
echo "start-up, $rounds rounds (ms)                                  min   median      max"
echo "floors"
row "detection floor, start to its dialog" "${detection_total[@]}"
row "  start to its progress window shown" "${detection_shown[@]}"
row "  graphics query (progress window's life)" "${detection_life[@]}"
# What the query beside the first window costs the figure without detection.
mapfile -t detection_net < <(each - detection_total detection_life)
mapfile -t detection_without < <(each / detection_net two_net)
ratios "  less that life / two-window floor" "" "${detection_without[@]}"
row "two-window floor, less its progress window" "${two_net[@]}"
report() {  # LABEL NAME
    local -n total="$2_total" shown="$2_shown" life="$2_life"
    local net post with without
    mapfile -t net < <(each - "$2_total" "$2_life")
    mapfile -t post < <(each - net "$2_shown")
    mapfile -t with < <(each / "$2_total" detection_total)
    mapfile -t without < <(each / net two_net)
    echo "$1"
    row "start to the launcher window" "${total[@]}"
    row "  start to the progress window shown" "${shown[@]}"
    row "  detection run (progress window's life)" "${life[@]}"
    row "  progress window gone to the launcher" "${post[@]}"
    row "without the detection run" "${net[@]}"
    ratios "with detection / detection floor" 1.10 "${with[@]}"
    ratios "without / two-window floor" 1.10 "${without[@]}"
}
report "this build ($stage)" after
if [[ -n $before ]]; then
    report "before ($before)" before
    mapfile -t change < <(each / after_total before_total)
    ratios "this build / before, start to the window" "" "${change[@]}"
fi
echo "load average (1, 5, 15 min): $load_before at the start, $load_after at the end"
