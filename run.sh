#!/usr/bin/env bash
# Builds what is missing, installs the program with its installer (the build that carries the
# stand-in game) silently into a Wine prefix and starts the installed Launcher.exe there, as the
# Start menu's shortcut would, with the given switches:
#   ./run.sh [/silent] [/ForceDetectionUI] [/OnlyDetection]
# With $DISPLAY set the windows appear on that desktop. Without it the program runs on a virtual
# display: a screenshot of the screen is saved every $TARNHOLM_SHOT_SECONDS (default 2) into
# build/screenshots/run/, and after $TARNHOLM_RUN_SECONDS (default 60) the program is ended as a
# player would end it (Quit, or closing the window that is open); its own exit code is reported.
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
setup="$ROOT/build/windows/installer/standin/TarnholmSetup.exe"
prefix="$ROOT/build/wine-run"
game_dir="$prefix/drive_c/Program Files/Velmora/Tarnholm"
launcher="$game_dir/Launcher.exe"

./tools/install-deps.sh
[[ -f build/windows/build.ninja ]] || cmake --preset windows >/dev/null
cmake --build --preset windows -j2

if [[ ! -f $setup ]]; then
    echo "run.sh: $setup does not exist: build the windows preset first (the program and its installer; nsis installed)." >&2
    exit 1
fi

headless=0
[[ -z "${DISPLAY:-}" ]] && headless=1
source tools/wine-env.sh
wine_env_start "$prefix"
trap wine_env_stop EXIT
# Installing over an earlier run's installation replaces the program and keeps the settings.
set +e
wine "$setup" /S >/dev/null 2>&1
rc=$?
set -e
if [[ $rc -ne 0 ]]; then
    echo "run.sh: the installer ended with exit code $rc" >&2
    exit 1
fi
echo "run.sh: installed into $game_dir (prefix $prefix)"

cd "$game_dir"
if [[ $headless -eq 0 ]]; then
    set +e
    wine "$launcher" "$@"
    rc=$?
    set -e
    echo "run.sh: Launcher.exe exited with code $rc"
    exit $rc
fi

shots="$ROOT/build/screenshots/run"
rm -rf "$shots"
mkdir -p "$shots"
echo "run.sh: no display; running on a virtual one, screenshots go to $shots"
wine "$launcher" "$@" &
pid=$!
limit="${TARNHOLM_RUN_SECONDS:-60}" interval="${TARNHOLM_SHOT_SECONDS:-2}"
start=$SECONDS n=0
shot() { n=$((n + 1)); import -window root "$shots/$(printf %03d $n).png" 2>/dev/null || true; }
while kill -0 "$pid" 2>/dev/null && (( SECONDS - start < limit )); do
    shot
    sleep "$interval"
done
if kill -0 "$pid" 2>/dev/null; then
    echo "run.sh: still running after ${limit}s; ending it as a player would"
    shot
    source "$ROOT/tools/close-launcher.sh"
    if ! close_launcher "$pid" "$ROOT/build/windows/tools/driver/driver.exe"; then
        echo "run.sh: Launcher.exe did not end when its windows were closed; stopping Wine" >&2
        wineserver -k
    fi
fi
set +e
wait "$pid"
rc=$?
set -e
echo "run.sh: Launcher.exe exited with code $rc; $n screenshots:"
ls -1 "$shots"/*.png 2>/dev/null || true
if [[ -f "$game_dir/started.txt" ]]; then
    echo "run.sh: the game was started:"
    cat "$game_dir/started.txt"
fi
exit $rc
