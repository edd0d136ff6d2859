#!/usr/bin/env bash
# One long launcher run: the settings sheet opened, its pages shown in turn (the report last) and
# the sheet cancelled, 300 times (or ROUNDS); the launcher's private bytes and handle count
# (GetProcessMemoryInfo, GetProcessHandleCount) before the first round and after every third.
# Targets: private bytes at the end within 2 % of those after the first third, handles unchanged.
#   bench/session/run.sh [ROUNDS]
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
rounds="${1:-300}"
source bench/startup/prefix.sh
launcher_pid=
stop() {
    [[ -n $launcher_pid ]] && kill "$launcher_pid" 2>/dev/null
    wine_env_stop
}
trap stop EXIT
bench_prefix "$ROOT/build/bench-session"

(cd "$stage" && exec wine Launcher.exe) >/dev/null 2>&1 &
launcher_pid=$!
echo "load before: $(uptime | sed 's/.*load average/load average/')"
wine "$ROOT/build/windows/bench/session/session_bench.exe" "$rounds"
echo "load after:  $(uptime | sed 's/.*load average/load average/')"
wait "$launcher_pid" || true
launcher_pid=
