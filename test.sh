#!/usr/bin/env bash
# Installs what is missing, builds both presets and runs the tests.
#   ./test.sh          everything
#   ./test.sh unit     unit tests (native, then the same suites under Wine)
#   ./test.sh win      Windows-only tests under Wine
#   ./test.sh e2e      the staged program under Wine on a virtual display
#   ./test.sh fuzz     short fuzzing runs of the parsers (native, clang)
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
kind="${1:-all}"
case "$kind" in all|unit|win|e2e|fuzz) ;; *) echo "usage: $0 [unit|win|e2e|fuzz]" >&2; exit 2 ;; esac

./tools/install-deps.sh

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j"$(nproc)"
}

status=0
run_native() {
    build native
    ctest --preset native -L unit -j"$(nproc)" || status=1
}

run_fuzz() {
    if [[ -f tests/fuzz/run.sh ]]; then
        tests/fuzz/run.sh short || status=1
    fi
}

run_windows() {
    local labels="$1"
    build windows
    source tools/wine-env.sh
    local prefix="$ROOT/build/wine-test"
    rm -rf "$prefix"
    wine_env_start "$prefix"
    trap wine_env_stop EXIT
    ctest --preset windows -L "$labels" || status=1
    wine_env_stop
    trap - EXIT
}

case "$kind" in
    all)  run_native; run_fuzz; run_windows 'unit|win|e2e' ;;
    unit) run_native; run_windows 'unit' ;;
    win)  run_windows 'win' ;;
    e2e)  run_windows 'e2e' ;;
    fuzz) run_fuzz ;;
esac

if [[ $status -eq 0 ]]; then echo "test.sh: all passed"; else echo "test.sh: FAILURES" >&2; fi
exit $status
