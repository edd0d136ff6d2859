#!/usr/bin/env bash
# Start-up time of the launcher against this platform's floor, side by side in one run under the
# same Wine. The player sees two moments: the progress window appearing and the launcher window
# (the one with the Launch button, id 1024) appearing. The detection floor is a program that does
# only what the launcher's run cannot skip (bench/startup/BareDialog.cpp): the graphics query from
# its first instruction, the common controls and a progress window (id 1026) meanwhile, the
# processor benchmark after the query, then the dialog. Four figures, each the median of
# per-round ratios:
#   start to the progress window shown     / the floor's          at most 1.10
#   start to the launcher window           / the floor's dialog   at most 1.05
# at 96 DPI, and the same two at 144 DPI (LogPixels 144 for those rounds).
# The programs take turns in every round, each round starting with the next one, so that they
# meet the same load; the machine's load is printed with the figures, which only a quiet machine
# gives as they are.
#   bench/startup/run.sh [--before STAGE] [ROUNDS]   (default 20 rounds per scale, after one
#                                                    warm-up round)
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
# NAME_total (start to the window) and NAME_shown (start to the progress window shown).
time_start() {
    local out
    out=$(cd "$2" && wine "$driver" startup --id 1024 --during 1026 --close 4 "$3")
    [[ $round -gt 0 ]] || return 0
    local -n total="$1_total" progress="$1_shown"
    total+=("$(field shown_ms <<<"$out")")
    progress+=("$(field during_shown_ms <<<"$out")")
}

# start_program PROGRAM SUFFIX: times PROGRAM into the arrays named PROGRAM SUFFIX.
start_program() {
    case "$1" in
        after) time_start "after$2" "$stage" Launcher.exe ;;
        before) time_start "before$2" "$before" Launcher.exe ;;
        detection) time_start "detection$2" "$floors" bare_detection.exe ;;
    esac
}

# run_rounds SUFFIX PROGRAMS...: a warm-up round and $rounds timed ones, taking turns.
run_rounds() {
    local suffix="$1" programs=("${@:2}") name n k
    for name in "${programs[@]}"; do declare -g -a "${name}${suffix}_total=()" "${name}${suffix}_shown=()"; done
    n=${#programs[@]}
    for round in $(seq 0 "$rounds"); do
        for k in $(seq 0 $((n - 1))); do start_program "${programs[$(((round + k) % n))]}" "$suffix"; done
    done
}

set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
load() { uptime | sed 's/.*load average: //'; }

launchers=(after)
[[ -n $before ]] && launchers+=(before)
load_96=$(load)
set_dpi 96
run_rounds "" "${launchers[@]}" detection
load_144=$(load)
set_dpi 144
run_rounds _144 "${launchers[@]}" detection
set_dpi 96
load_end=$(load)

# each OP A B: the per-round results of A OP B for two arrays of equal length.
each() {
    local -n a="$2" b="$3"
    for k in "${!a[@]}"; do awk -v x="${a[$k]}" -v y="${b[$k]}" -v op="$1" \
        'BEGIN { printf "%.4f\n", op == "-" ? x - y : x / y }'; done
}
row() { printf '  %-46s %s\n' "$1" "$(stats "${@:2}")"; }
# ratios LABEL TARGET LOAD RATIOS...: their median and range, the load they were taken under and,
# with a TARGET, whether the median meets it.
ratios() {
    printf '%s\n' "${@:4}" | sort -n | awk -v l="$1" -v t="$2" -v load="$3" '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "  %-46s %.3f (per round %.3f .. %.3f)", l, m, v[1], v[NR]
        if (t != "") printf "; at most %.2f: %s", t, m <= t ? "met" : "NOT met"
        printf "; load %s\n", load }'
}

echo "start-up, $rounds rounds per scale (ms)                          min   median      max"
echo "detection floor"
row "start to its progress window" "${detection_shown[@]}"
row "start to its dialog" "${detection_total[@]}"
row "start to its progress window, 144 DPI" "${detection_144_shown[@]}"
row "start to its dialog, 144 DPI" "${detection_144_total[@]}"
report() {  # LABEL NAME
    local -n total="$2_total" shown="$2_shown" total144="$2_144_total" shown144="$2_144_shown"
    local progress progress144 with with144
    mapfile -t progress < <(each / "$2_shown" detection_shown)
    mapfile -t progress144 < <(each / "$2_144_shown" detection_144_shown)
    mapfile -t with < <(each / "$2_total" detection_total)
    mapfile -t with144 < <(each / "$2_144_total" detection_144_total)
    echo "$1"
    row "start to the progress window shown" "${shown[@]}"
    row "start to the launcher window" "${total[@]}"
    row "start to the progress window shown, 144 DPI" "${shown144[@]}"
    row "start to the launcher window, 144 DPI" "${total144[@]}"
    ratios "progress window / the floor's" 1.10 "$load_96" "${progress[@]}"
    ratios "launcher window / the floor's dialog" 1.05 "$load_96" "${with[@]}"
    ratios "progress window / the floor's, 144 DPI" 1.10 "$load_144" "${progress144[@]}"
    ratios "launcher window / the floor's dialog, 144 DPI" 1.05 "$load_144" "${with144[@]}"
}
report "this build ($stage)" after
if [[ -n $before ]]; then
    report "before ($before)" before
    mapfile -t change < <(each / after_total before_total)
    ratios "this build / before, start to the window" "" "$load_96" "${change[@]}"
    mapfile -t change < <(each / after_144_total before_144_total)
    ratios "  at 144 DPI" "" "$load_144" "${change[@]}"
fi
echo "load average (1, 5, 15 min): $load_96 at the start, $load_144 at 144 DPI, $load_end at the end"
