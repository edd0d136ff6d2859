# Sourced by run.sh and the e2e scenarios: ends a running launcher as a player would, so that it
# returns its own exit code rather than being killed.
#   close_launcher PID DRIVER [SECONDS]
# Closes the window in front (the settings, the report, the warning, an error box), and once the
# launcher window is the only one, clicks its Quit; the progress window goes by itself. Returns 0
# when the process PID has ended within SECONDS (default 30), 1 when it still runs.
close_launcher() {
    local pid="$1" driver="$2" deadline=$((SECONDS + ${3:-30})) hwnd ids launcher other
    while kill -0 "$pid" 2>/dev/null; do
        (( SECONDS < deadline )) || return 1
        launcher="" other=""
        while read -r hwnd ids; do
            ids=",$ids,"
            if [[ $ids == *,1026,* ]]; then
                continue
            elif [[ $ids == *,1024,* && $ids == *,4,* ]]; then
                launcher=$hwnd
            else
                other=$hwnd
            fi
        done < <(wine "$driver" windows --exe Launcher.exe 2>/dev/null | tr -d '\r' |
                 awk '{ for (i = 2; i <= NF; i++) if ($i ~ /^ids=/) print $1, substr($i, 5) }')
        if [[ -n $other ]]; then
            wine "$driver" close "$other" >/dev/null 2>&1 || true
        elif [[ -n $launcher ]]; then
            wine "$driver" click "$launcher" 4 >/dev/null 2>&1 || true
        fi
        sleep 1
    done
}
