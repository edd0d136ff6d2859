# Sourced by test.sh, run.sh and the e2e scenarios: a private Wine prefix, wineserver and,
# when there is no display, a virtual X display.
#   wine_env_start <prefix-dir>   wine_env_stop

wine_env_start() {
    export WINEPREFIX="$1"
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export WINEARCH=win64
    if [[ -z "${DISPLAY:-}" ]]; then
        # Xvfb picks a free display number itself and writes it once it is listening: two
        # environments starting at the same moment never share one display.
        local numberFile
        numberFile=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
        TARNHOLM_XVFB_PID=$!
        local start=$SECONDS
        until [[ -s $numberFile ]]; do
            if (( SECONDS - start > 20 )) || ! kill -0 "$TARNHOLM_XVFB_PID" 2>/dev/null; then
                echo "wine-env: the virtual display did not start within 20 s" >&2
                break
            fi
            sleep 0.05
        done
        export DISPLAY=":$(head -n1 "$numberFile")"
        rm -f "$numberFile"
    fi
    mkdir -p "$WINEPREFIX"
    wineserver -p
    # Plain wineboot: a new prefix is made by the first program that Wine starts in it, and an
    # existing one is started as it is. "wineboot -i" starts a second service manager (in some
    # prefixes every start of the desktop then waits 10 s for a service that never starts), and
    # "wineboot -u" runs the whole prefix update again (8 s) on every start.
    wine wineboot >/dev/null 2>&1 || true
    # Wine's own TrueType fonts (Marlett draws the caption buttons, Tahoma the dialogs) are not
    # put into a new prefix by this Wine: without them captions show "0 1 r".
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
    if [[ -d /usr/share/wine/fonts && -d $fonts ]]; then
        for font in /usr/share/wine/fonts/*.ttf; do
            [[ -e $fonts/${font##*/} ]] || cp "$font" "$fonts/"
        done
    fi
    # Unmanaged windows close at once under Xvfb instead of waiting for a window manager.
    # Without it every GUI test is seconds slower; a new prefix's setup may still be writing its
    # registry, so the value is set until it is seen to hold.
    local since=$SECONDS
    until wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 &&
        wine reg query 'HKCU\Software\Wine\X11 Driver' /v Managed 2>/dev/null | grep -q 'REG_SZ *N'; do
        if (( SECONDS - since > 20 )); then
            echo "wine-env: could not set the X11 driver's Managed=N in $WINEPREFIX; windows will close slowly" >&2
            return 0
        fi
        sleep 0.1
    done
}

wine_env_stop() {
    wineserver -k 2>/dev/null || true
    # The display goes with the virtual X server that served it, so that a later start in the
    # same shell makes a new one instead of using a dead display.
    if [[ -n "${TARNHOLM_XVFB_PID:-}" ]]; then
        kill "$TARNHOLM_XVFB_PID" 2>/dev/null || true
        unset TARNHOLM_XVFB_PID DISPLAY
    fi
}
