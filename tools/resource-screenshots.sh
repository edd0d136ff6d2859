#!/usr/bin/env bash
# Screenshots of every window template of local.dll in every language, for a person to look at,
# in build/screenshots/resources/<language>/. Run by the build target that builds dlgview first:
#   cmake --build --preset windows --target resource_screenshots
#   tools/resource-screenshots.sh DLGVIEW.exe      (what the target runs)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
dlgview="${1:?usage: tools/resource-screenshots.sh DLGVIEW.exe}"
export LC_ALL=C.UTF-8
source "$ROOT/tools/wine-env.sh"
wine_env_start "$ROOT/build/wine-screenshots" 2>/dev/null
trap wine_env_stop EXIT
status=0
for lang in EN DEU FR ESM ITA; do
    if wine "$dlgview" "Z:$ROOT/build/screenshots/resources/$lang" "Z:$ROOT/data/localization/$lang/10-launcher.ini"; then
        echo "$lang: build/screenshots/resources/$lang/"
    else
        echo "$lang: dlgview could not write every screenshot" >&2
        status=1
    fi
done
exit $status
