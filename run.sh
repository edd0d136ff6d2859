#!/usr/bin/env bash
# Builds what is missing, stages the program and starts it under Wine in a prefix prepared as
# the game's installer would, with the given switches:
#   ./run.sh [/silent] [/ForceDetectionUI] [/OnlyDetection]
# With $DISPLAY set the windows appear on that desktop. Without it the program runs on a virtual
# display: a screenshot of the screen is saved every $TARNHOLM_SHOT_SECONDS (default 2) into
# build/screenshots/run/, and the program is ended after $TARNHOLM_RUN_SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$PWD
launcher="$ROOT/build/stage/Launcher.exe"
prefix="$ROOT/build/wine-run"

./tools/install-deps.sh
[[ -f build/windows/build.ninja ]] || cmake --preset windows >/dev/null
cmake --build --preset windows -j2

if [[ ! -f $launcher ]]; then
    echo "run.sh: $launcher does not exist: the program (target Launcher) is not part of this build yet." >&2
    exit 1
fi

headless=0
[[ -z "${DISPLAY:-}" ]] && headless=1
source tools/wine-env.sh
wine_env_start "$prefix"
trap wine_env_stop EXIT
game_dir=$(tools/prefix.sh "$prefix")
echo "run.sh: prefix $prefix, game folder $game_dir"

cd "$ROOT/build/stage"
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
while kill -0 "$pid" 2>/dev/null && (( SECONDS - start < limit )); do
    n=$((n + 1))
    import -window root "$shots/$(printf %03d $n).png" 2>/dev/null || true
    sleep "$interval"
done
if kill -0 "$pid" 2>/dev/null; then
    echo "run.sh: still running after ${limit}s; ending it"
    wineserver -k
fi
set +e
wait "$pid"
rc=$?
set -e
echo "run.sh: Launcher.exe exited with code $rc; $n screenshots:"
ls -1 "$shots"/*.png 2>/dev/null || true
if [[ -f "$prefix/drive_c/Program Files/Velmora/Tarnholm/started.txt" ]]; then
    echo "run.sh: the game was started:"
    cat "$prefix/drive_c/Program Files/Velmora/Tarnholm/started.txt"
fi
exit $rc
