# Sourced by run.sh and the e2e scenarios: ends a running launcher as a player would, so that it
# returns its own exit code rather than being killed.
#   close_launcher PID DRIVER [SECONDS]
# Closes the window in front (the settings, the report, the warning, an error box), and once the
# launcher window is the only one, clicks its Quit; the progress window goes by itself. After
# each step it waits for the program's windows to change (or the program to end) before the next
# one, and tries a step again that changed nothing in 5 s. Returns 0 when the process PID has
# ended within SECONDS (default 30), 1 when it still runs.
close_launcher() {
    local pid="$1" driver="$2" deadline=$((SECONDS + ${3:-30})) shown hwnd ids launcher other acted step_end
    launcher_windows() { wine "$driver" windows --exe Launcher.exe 2>/dev/null | tr -d '\r'; }
    while kill -0 "$pid" 2>/dev/null; do
        (( SECONDS < deadline )) || return 1
        shown=$(launcher_windows)
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
        done < <(awk '{ for (i = 2; i <= NF; i++) if ($i ~ /^ids=/) print $1, substr($i, 5) }' <<<"$shown")
        acted=0
        if [[ -n $other ]]; then
            wine "$driver" close "$other" >/dev/null 2>&1 && acted=1
        elif [[ -n $launcher ]]; then
            wine "$driver" click "$launcher" 4 >/dev/null 2>&1 && acted=1
        fi
        if [[ $acted == 0 ]]; then
            sleep 0.1
            continue
        fi
        step_end=$((SECONDS + 5))
        while kill -0 "$pid" 2>/dev/null && (( SECONDS < step_end )) && [[ $(launcher_windows) == "$shown" ]]; do
            sleep 0.1
        done
    done
}
