#!/usr/bin/env bash
# Benchmark of the detection library under Wine: builds the Windows preset, then
#  1. in one process: the processor benchmark alone and RunTests, 10 times each;
#  2. RunTests once in each of 10 fresh processes, as the launcher runs it.
# Prints medians, extremes and the score's max/min. Targets: RunTests in a fresh process at most
# 300 ms median, benchmark at most 100 ms, score max/min at most 1.10 with the same hardware
# class every run.
#   bench/detection/run.sh [--before DIR]
# --before DIR also runs the fresh-process part with detection_bench.exe from DIR (an earlier
# build, with its sorvane_rd.dll and requirements.ini beside it), alternating with this build's
# in the same runs, so both meet the same load.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
before=""
if [[ "${1:-}" == --before ]]; then
    before="$(realpath "${2:?--before needs a folder with detection_bench.exe}")"
    [[ -f $before/detection_bench.exe ]] || { echo "no detection_bench.exe in $before" >&2; exit 2; }
fi
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target detection_bench >/dev/null
export LC_ALL=C.UTF-8
source tools/wine-env.sh
wine_env_start "$ROOT/build/wine-bench"
trap wine_env_stop EXIT
after="$ROOT/build/windows/bench/detection"
cd "$after"
wine detection_bench.exe once >/dev/null  # the first start of a prefix pays for its set-up

echo "== one process, 10 runs"
wine detection_bench.exe 10

# One fresh process in folder $1; appends "ms score" to the arrays <$2>_times and <$2>_scores.
run_once() {
    local ms score
    read -r ms score < <(cd "$1" && wine detection_bench.exe once | tr -d "\r") || {
        echo "a run in $1 gave no figures" >&2
        exit 1
    }
    local -n times="$2_times" scores="$2_scores"
    times+=("$ms")
    scores+=("$score")
    printf '%3d  %-6s %8.2f ms  score %s\n' "$3" "$2" "$ms" "$score"
}

echo
echo "== fresh process per run"
after_times=() after_scores=() before_times=() before_scores=()
for i in $(seq 10); do
    # Alternating which of the two goes first.
    if [[ -n $before && $((i % 2)) -eq 0 ]]; then run_once "$before" before "$i"; fi
    run_once "$after" after "$i"
    if [[ -n $before && $((i % 2)) -eq 1 ]]; then run_once "$before" before "$i"; fi
done
summary() {
    python3 - "$1" "${@:2}" <<'PY'
import statistics, sys
label, args = sys.argv[1], sys.argv[2:]
cut = args.index('--')
times = [float(x) for x in args[:cut]]
scores = [float(x) for x in args[cut + 1:]]
def hw_class(s):  # as the program derives it from the score
    return "high" if s <= 1.0 else "medium" if s <= 1.8 else "low"
median = statistics.median(times)
classes = {hw_class(s) for s in scores}
print(f"{label}")
print(f"  RunTests median {median:.2f} ms  min {min(times):.2f}  max {max(times):.2f}"
      f"  (target at most 300 ms: {'met' if median <= 300 else 'NOT met'})")
print(f"  score median {statistics.median(scores):.3f}  max/min {max(scores) / min(scores):.3f}"
      f"  (target at most 1.10: {'met' if max(scores) / min(scores) <= 1.10 else 'NOT met'})")
print(f"  hardware class {'/'.join(sorted(classes))}"
      f"  (the same in every run: {'yes' if len(classes) == 1 else 'NO'})")
PY
}
echo
summary "this build ($after)" "${after_times[@]}" -- "${after_scores[@]}"
if [[ -n $before ]]; then
    summary "before ($before)" "${before_times[@]}" -- "${before_scores[@]}"
fi
echo "load: $(uptime | sed 's/.*load average/load average/')"
