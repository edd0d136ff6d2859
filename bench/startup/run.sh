#!/usr/bin/env bash
# Start-up time of the launcher against the bare dialog program, side by side in one run under
# the same Wine: from process creation to the window with the Launch button (id 1024) shown. The
# detection run is timed separately as the life of the progress window (id 1026) and taken out
# of the launcher's figure. Target: the launcher without the detection run within 1.3 times the
# bare dialog's time.
#   bench/startup/run.sh [RUNS]      (default 10, after one warm-up run of each)
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
runs="${1:-10}"
[[ -f build/windows/build.ninja ]] || cmake --preset windows >/dev/null
cmake --build --preset windows -j2 >/dev/null

driver="$ROOT/build/windows/tools/driver/driver.exe"
bare="$ROOT/build/windows/bench/startup/bare_dialog.exe"
stage="$ROOT/build/stage"
prefix="$ROOT/build/bench-startup"

source tools/wine-env.sh
rm -rf "$prefix"
wine_env_start "$prefix" 2>/dev/null
trap wine_env_stop EXIT
tools/prefix.sh "$prefix" >/dev/null
# Straight to the launcher window: a capable adapter, and no report or warning even if this
# machine falls short of the requirements.
wine "$driver" - <<'EOF'
reg-set "HKCU\Software\Wine\Direct3D" VideoPciVendorID dword 0x1002
reg-set "HKCU\Software\Wine\Direct3D" VideoPciDeviceID dword 0x9400
reg-set "HKCU\Software\Wine\Direct3D" VideoMemorySize sz 1024
reg-set "HKCU\Software\Velmora\Tarnholm\1.0\Launcher" ShowDetectionUI dword 0
EOF

have_launcher=0
[[ -f $stage/Launcher.exe ]] && have_launcher=1

field() { tr ' ' '\n' | tr -d '\r' | awk -F= -v k="$1" '$1 == k { print $2 }'; }

bare_ms=() launcher_ms=() detection_ms=()
for i in $(seq 0 "$runs"); do
    out=$(cd "$(dirname "$bare")" && wine "$driver" startup --id 1024 --close 4 "$(basename "$bare")")
    [[ $i -gt 0 ]] && bare_ms+=("$(field shown_ms <<<"$out")")
    if [[ $have_launcher -eq 1 ]]; then
        out=$(cd "$stage" && wine "$driver" startup --id 1024 --during 1026 --close 4 Launcher.exe)
        if [[ $i -gt 0 ]]; then
            launcher_ms+=("$(field shown_ms <<<"$out")")
            detection_ms+=("$(awk -v a="$(field during_shown_ms <<<"$out")" -v b="$(field during_gone_ms <<<"$out")" \
                'BEGIN { print (a >= 0 && b >= 0) ? b - a : 0 }')")
        fi
    fi
done

stats() {  # values... -> "min median max"
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%8.1f %8.1f %8.1f", v[1], m, v[NR] }'
}

echo "start-up to the window shown, $runs runs each (ms)      min   median      max"
printf '  bare dialog                                  %s\n' "$(stats "${bare_ms[@]}")"
if [[ $have_launcher -eq 0 ]]; then
    echo "build/stage/Launcher.exe is not built: only the reference was measured." >&2
    exit 1
fi
net=()
for i in "${!launcher_ms[@]}"; do net+=("$(awk -v a="${launcher_ms[$i]}" -v b="${detection_ms[$i]}" 'BEGIN { print a - b }')"); done
printf '  launcher                                     %s\n' "$(stats "${launcher_ms[@]}")"
printf '  detection run (progress window shown)        %s\n' "$(stats "${detection_ms[@]}")"
printf '  launcher without the detection run           %s\n' "$(stats "${net[@]}")"
median() { stats "$@" | awk '{ print $2 }'; }
awk -v n="$(median "${net[@]}")" -v b="$(median "${bare_ms[@]}")" 'BEGIN {
    r = n / b
    printf "ratio of medians: %.2f (target at most 1.30: %s)\n", r, r <= 1.3 ? "met" : "NOT met" }'
