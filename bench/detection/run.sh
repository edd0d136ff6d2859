#!/usr/bin/env bash
# Benchmark of the detection library under Wine: builds the Windows preset, then
#  1. in one process: the processor benchmark alone and RunTests, 10 times each;
#  2. RunTests once in each of 10 fresh processes, as the launcher runs it, taking turns with the
#     floor of a detection run: a fresh process that runs only the graphics query and then the
#     benchmark, by the library's own code.
# Prints medians, extremes and the score's max/min. Targets: RunTests in a fresh process at most
# 300 ms median, or, where Wine's graphics start-up alone takes longer, the detection run (from
# the application's creation, when its query starts) at most 1.05 times the floor (median of the
# per-run ratios); benchmark at most 100 ms; score max/min at most 1.10 with the same hardware
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

echo "load at the start: $(uptime | sed 's/.*load average/load average/')"
echo "== one process, 10 runs"
wine detection_bench.exe 10

# One fresh process in folder $1 with mode $4 (once, floor); appends its times and score to the
# arrays <$2>_times (RunTests), <$2>_whole (from the query's start) and <$2>_scores.
run_once() {
    local ms score whole
    read -r ms score whole < <(cd "$1" && wine detection_bench.exe "$4" | tr -d "\r") || {
        echo "a run in $1 gave no figures" >&2
        exit 1
    }
    local -n times="$2_times" scores="$2_scores" wholes="$2_whole"
    times+=("$ms")
    scores+=("$score")
    wholes+=("${whole:-$ms}")
    printf '%3d  %-6s %8.2f ms  score %s\n' "$3" "$2" "${whole:-$ms}" "$score"
}

echo
echo "== fresh process per run"
after_times=() after_scores=() after_whole=() before_times=() before_scores=() before_whole=()
floor_times=() floor_scores=() floor_whole=()
for i in $(seq 10); do
    # Alternating which goes first.
    if ((i % 2 == 0)); then
        run_once "$after" floor "$i" floor
        [[ -z $before ]] || run_once "$before" before "$i" once
    fi
    run_once "$after" after "$i" once
    if ((i % 2 == 1)); then
        [[ -z $before ]] || run_once "$before" before "$i" once
        run_once "$after" floor "$i" floor
    fi
done
summary() {
    local -n times="$2_times" scores="$2_scores" whole="$2_whole"
    python3 - "$1" "${times[@]}" -- "${scores[@]}" -- "${whole[@]}" -- "${floor_whole[@]}" <<'PY'
import statistics, sys
label, args = sys.argv[1], sys.argv[2:]
parts, part = [], []
for a in args:
    if a == '--':
        parts.append(part)
        part = []
    else:
        part.append(float(a))
parts.append(part)
times, scores, whole, floor = parts
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
ratio = statistics.median(w / f for w, f in zip(whole, floor))
print(f"  from the query's start {statistics.median(whole):.2f} ms, floor {statistics.median(floor):.2f} ms:"
      f" per-run ratio median {ratio:.3f} (target at most 1.05: {'met' if ratio <= 1.05 else 'NOT met'})")
PY
}
echo
summary "this build ($after)" after
if [[ -n $before ]]; then
    summary "before ($before)" before
fi
python3 - "${floor_whole[@]}" -- "${floor_scores[@]}" <<'PY'
import statistics, sys
cut = sys.argv.index('--')
times, scores = [float(x) for x in sys.argv[1:cut]], [float(x) for x in sys.argv[cut + 1:]]
print(f"floor (graphics query and benchmark only)\n  median {statistics.median(times):.2f} ms"
      f"  min {min(times):.2f}  max {max(times):.2f}; score max/min {max(scores) / min(scores):.3f}")
PY
echo "load: $(uptime | sed 's/.*load average/load average/')"
