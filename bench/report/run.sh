#!/usr/bin/env bash
# Benchmark of the report tree under Wine: builds the Windows preset, then paints the list with
# 1,000 rows through its back buffer and adds 1,000 rows and removes them all, on a shown window
# of a virtual display. Prints medians. Targets: paint <= 16 ms, add + remove all <= 20 ms.
#   bench/report/run.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target report_bench >/dev/null
source tools/wine-env.sh
export LC_ALL=C.UTF-8
wine_env_start "$ROOT/build/wine-bench-report"
trap wine_env_stop EXIT
cd build/windows/bench/report
wine report_bench.exe "${1:-30}"
