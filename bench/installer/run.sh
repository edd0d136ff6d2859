#!/usr/bin/env bash
# The installer's size and the time of a silent install and a silent uninstall under Wine, each
# from the command's start to the end of its last process (the uninstaller does its work in a
# copy of itself in the temporary folder), in one prefix with its wineserver running.
#   bench/installer/run.sh [RUNS]      (default 5, after one warm-up install and uninstall)
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
runs="${1:-5}"
[[ -f build/windows/build.ninja ]] || cmake --preset windows >/dev/null
cmake --build --preset windows -j2 >/dev/null

setup="$ROOT/build/TarnholmSetup.exe"
standin="$ROOT/build/windows/installer/standin/TarnholmSetup.exe"
driver="$ROOT/build/windows/tools/driver/driver.exe"
prefix="$ROOT/build/bench-installer"
for f in "$setup" "$standin" "$driver"; do
    [[ -f $f ]] || { echo "missing $f: the installer is not part of this build (is nsis installed?)" >&2; exit 1; }
done

export LC_ALL=C.UTF-8
source tools/wine-env.sh
rm -rf "$prefix"
wine_env_start "$prefix" 2>/dev/null
trap wine_env_stop EXIT
uninstaller="$prefix/drive_c/Program Files/Velmora/Tarnholm/Uninstall.exe"

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

install_ms=() uninstall_ms=()
for i in $(seq 0 "$runs"); do
    start=$(now_ms)
    wine "$standin" /S >/dev/null 2>&1 || { echo "the installer failed" >&2; exit 1; }
    installed=$(now_ms)
    wine "$uninstaller" /S >/dev/null 2>&1 || { echo "the uninstaller failed" >&2; exit 1; }
    wine "$driver" gone --exe Un.exe --timeout 60 >/dev/null
    uninstalled=$(now_ms)
    # The driver's own start is no part of the uninstall: a second call, which returns at once,
    # measures it.
    wine "$driver" gone --exe Un.exe --timeout 1 >/dev/null
    probe=$(($(now_ms) - uninstalled))
    [[ -e $uninstaller ]] && { echo "the uninstaller left its program behind" >&2; exit 1; }
    (( i == 0 )) && continue
    install_ms+=($((installed - start)))
    uninstall_ms+=($((uninstalled - installed - probe)))
done

echo "installer size: $(stat -c %s "$setup") bytes (build/TarnholmSetup.exe), with the stand-in game $(stat -c %s "$standin") bytes"
echo "silent install, $runs runs (ms): ${install_ms[*]}; median $(median "${install_ms[@]}")"
echo "silent uninstall, $runs runs (ms): ${uninstall_ms[*]}; median $(median "${uninstall_ms[@]}")"
