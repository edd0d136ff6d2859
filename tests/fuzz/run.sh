#!/usr/bin/env bash
# Fuzzes the language-file reader, the requirements parser, the command-line splitter and switch
# parser, and the report file's encoder (libFuzzer, clang, ASan, UBSan).
#   tests/fuzz/run.sh short   15 s per fuzzer; part of ./test.sh
#   tests/fuzz/run.sh long    10 min per fuzzer, larger inputs; run by hand before a release
# Crashes are kept under build/fuzz/artifacts/; the grown corpora under build/fuzz/corpus-*.
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
mode="${1:-short}"
case "$mode" in
    short) seconds=15; max_len=8192 ;;
    long)  seconds=600; max_len=1200000 ;;
    *) echo "usage: $0 short|long" >&2; exit 2 ;;
esac

build="$ROOT/build/fuzz"
cmake -S tests/fuzz -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j2 >/dev/null
mkdir -p "$build/artifacts"

status=0
run() {
    local name=$1 seeds=$2
    local corpus="$build/corpus-$name"
    mkdir -p "$corpus"
    cp -n "$ROOT/tests/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
    for seed in $seeds; do cp -n "$seed" "$corpus/" 2>/dev/null || true; done
    echo "fuzz $name: $seconds s"
    if ! "$build/fuzz_$name" "$corpus" -dict="$ROOT/tests/fuzz/$name.dict" -max_total_time="$seconds" \
            -max_len="$max_len" -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix="$build/artifacts/$name-" 2>"$build/$name.log"; then
        tail -40 "$build/$name.log" >&2
        echo "fuzz $name: FAILED (log: $build/$name.log)" >&2
        status=1
    else
        grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$name.log" | sed "s/^/  /"
    fi
}
run language "$(ls "$ROOT"/data/localization/*/*.ini)"
run requirements "$ROOT/data/requirements.ini"
run command_line ""
run report_text ""
exit $status
