#!/usr/bin/env bash
# One long launcher run: the settings sheet opened, its pages shown in turn (the report last) and
# the sheet cancelled, 300 times (or ROUNDS); the launcher's private bytes and handle count
# (GetProcessMemoryInfo, GetProcessHandleCount) before the first round and after every third.
# Targets: private bytes at the end within 2 % of those after the first third, handles unchanged.
#   bench/session/run.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
source bench/startup/prefix.sh
trap wine_env_stop EXIT
bench_prefix "$ROOT/build/bench-session"
echo "load before: $(uptime | sed 's/.*load average/load average/')"
wine "$ROOT/build/windows/bench/session/session_bench.exe" "Z:${stage//\//\\}\\Launcher.exe" "${1:-300}"
echo "load after:  $(uptime | sed 's/.*load average/load average/')"
