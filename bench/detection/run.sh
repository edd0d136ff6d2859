#!/usr/bin/env bash
# Benchmark of the detection library under Wine: builds the Windows preset, then
#  1. in one process: the processor benchmark alone and RunTests, 10 times each;
#  2. RunTests once in each of 10 fresh processes, as the launcher runs it.
# Prints medians, extremes and the score's max/min. Targets: RunTests median <= 300 ms,
# benchmark <= 100 ms, score max/min <= 1.10 with the same hardware class every run.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target detection_bench >/dev/null
source tools/wine-env.sh
wine_env_start "$ROOT/build/wine-bench"
trap wine_env_stop EXIT
cd build/windows/bench/detection
wine detection_bench.exe once >/dev/null  # the first start of a prefix pays for its set-up

echo "== one process, 10 runs"
wine detection_bench.exe 10

echo
echo "== fresh process per run"
times=()
scores=()
for i in $(seq 10); do
    read -r ms score < <(wine detection_bench.exe once | tr -d "\r") || { echo "run $i gave no figures" >&2; exit 1; }
    printf '%3d  %8.2f ms  score %s\n' "$i" "$ms" "$score"
    times+=("$ms")
    scores+=("$score")
done
python3 - "${times[@]}" -- "${scores[@]}" <<'PY'
import statistics, sys
args = sys.argv[1:]
cut = args.index('--')
times = [float(x) for x in args[:cut]]
scores = [float(x) for x in args[cut + 1:]]
print(f"RunTests median {statistics.median(times):.2f} ms  min {min(times):.2f}  max {max(times):.2f}")
print(f"score median {statistics.median(scores):.3f}  max/min {max(scores) / min(scores):.3f}")
PY
