#!/usr/bin/env bash
# Benchmark of the report tree under Wine: builds the Windows preset, then, on shown windows of a
# virtual display, paints the list through its back buffer with 1,000 rows and with 100,000 (at
# the top and further down) beside a plain GDI window that paints the same rows in view, each
# round repainting all of them in turn; then adds 1,000 rows and removes them all. Prints medians
# and the load. Targets: paint <= 16 ms; the 1,000-row paint at most 1.2 x the plain window's;
# add + remove all <= 20 ms. The 100,000-row paint should stay near the 1,000-row one.
# All of it at 96 DPI, then again at 144 (the prefix's LogPixels; the plain window's rows as
# high as the list's at that scale).
#   bench/report/run.sh [RUNS]   (default 60; under load use a few hundred)
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
echo "load before: $(uptime | sed 's/.*load average/load average/')"
for dpi in 96 144; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wine report_bench.exe "${1:-60}"
done
echo "load after:  $(uptime | sed 's/.*load average/load average/')"
