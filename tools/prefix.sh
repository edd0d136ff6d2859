#!/usr/bin/env bash
# Prepares a Wine prefix the way the game's installer leaves a machine: the game folder with the
# game executable in it (our stand-in game), and HKLM SOFTWARE\Velmora\Tarnholm with "Version",
# "InstallDir" and "Executable".
#   tools/prefix.sh PREFIX [VERSION]
# Uses the running wineserver when WINEPREFIX already is PREFIX (run.sh, the e2e scenarios);
# otherwise starts one for the time it takes. Needs the windows build of tools/driver and
# tools/fakegame. Prints the game folder's Windows path.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
prefix="$(realpath -m "${1:?usage: tools/prefix.sh PREFIX [VERSION]}")"
version="${2:-1.0}"

TARNHOLM_GAME_DIR_WIN='C:\Program Files\Velmora\Tarnholm'
game_dir="$prefix/drive_c/Program Files/Velmora/Tarnholm"
driver="$ROOT/build/windows/tools/driver/driver.exe"
fakegame="$ROOT/build/windows/tools/fakegame/fakegame.exe"
for f in "$driver" "$fakegame"; do
    [[ -f $f ]] || { echo "prefix.sh: $f is missing (build the windows preset first)" >&2; exit 1; }
done

source "$ROOT/tools/wine-env.sh"
if [[ "${WINEPREFIX:-}" != "$prefix" ]]; then
    wine_env_start "$prefix"
    trap wine_env_stop EXIT
fi

mkdir -p "$game_dir"
cp "$fakegame" "$game_dir/Tarnholm.exe"
wine "$driver" - <<EOF
reg-set "HKLM\\SOFTWARE\\Velmora\\Tarnholm" Version sz "$version"
reg-set "HKLM\\SOFTWARE\\Velmora\\Tarnholm" InstallDir sz "$TARNHOLM_GAME_DIR_WIN"
reg-set "HKLM\\SOFTWARE\\Velmora\\Tarnholm" Executable sz "$TARNHOLM_GAME_DIR_WIN\\Tarnholm.exe"
EOF
echo "$TARNHOLM_GAME_DIR_WIN"
