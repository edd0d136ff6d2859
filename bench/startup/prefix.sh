# Sourced by the start-up benchmarks: builds what is missing and prepares a Wine prefix in which
# the launcher goes straight to its window (a capable adapter, no report or warning even if this
# machine falls short of the requirements). Sets driver, bare, stage, field(), stats() and median().
#   bench_prefix <prefix-dir>     (run from the repository's root; wine_env_stop ends it)

bench_prefix() {
    local prefix="$1"
    [[ -f build/windows/build.ninja ]] || cmake --preset windows >/dev/null
    cmake --build --preset windows -j2 >/dev/null
    driver="$PWD/build/windows/tools/driver/driver.exe"
    bare="$PWD/build/windows/bench/startup/bare_dialog.exe"
    stage="$PWD/build/stage"
    [[ -f $stage/Launcher.exe ]] || { echo "build/stage/Launcher.exe is not built" >&2; exit 1; }
    export LC_ALL=C.UTF-8
    source tools/wine-env.sh
    rm -rf "$prefix"
    wine_env_start "$prefix" 2>/dev/null
    tools/prefix.sh "$prefix" >/dev/null
    wine "$driver" - <<'EOF2'
reg-set "HKCU\Software\Wine\Direct3D" VideoPciVendorID dword 0x1002
reg-set "HKCU\Software\Wine\Direct3D" VideoPciDeviceID dword 0x9400
reg-set "HKCU\Software\Wine\Direct3D" VideoMemorySize sz 1024
reg-set "HKCU\Software\Velmora\Tarnholm\1.0\Launcher" ShowDetectionUI dword 0
EOF2
}

# field KEY: the value of KEY=VALUE in the driver's output line on standard input.
field() { tr ' ' '\n' | tr -d '\r' | awk -F= -v k="$1" '$1 == k { print $2 }'; }

# stats VALUES...: "min median max" of the values; median VALUES...: the median alone.
stats() {  # values... -> "min median max"
    printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END {
        m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
        printf "%8.1f %8.1f %8.1f", v[1], m, v[NR] }'
}
median() { stats "$@" | awk '{ print $2 }'; }
