# End-to-end scenarios of the settings sheet behind the launcher's Settings button. Sourced by
# run.sh after scenarios.sh.

# Opens the settings sheet from the launcher window shown now; sets SHEET. With --mouse the
# Settings button is clicked with the real mouse, else the click is posted.
open_settings() {  # [--mouse]
    local launcher=$WIN
    if [[ ${1:-} == --mouse ]]; then mouse_click "$launcher" 3; else click "$launcher" 3; fi
    wait_kind settings
    SHEET=$WIN
    WIN=$launcher
}

# Waits until the sheet has closed and the watcher has seen it go, so that the next opening is
# not mistaken for it.
await_sheet_closed() {  # WHAT
    drv wait --ids 12321 --exe Launcher.exe --gone --timeout 20 >/dev/null || fail "the sheet is still shown after $1"
    wait_for 10 watcher_saw_hidden "$SHEET" || fail "the watcher did not see the sheet close after $1"
}

# The control that shows that a page of the sheet is the shown one, by page index.
PAGE_MARKS=(1104 1100 101)

wait_control() {  # HWND ID WHAT: waits until the control (on a page: the shown page's) exists
    wait_for 10 drv_quiet text "$1" "$2" || fail "$3 is not shown"
}

drv_quiet() { drv "$@" >/dev/null 2>&1; }

watcher_saw_hidden() { tr -d '\r' <"$WATCH_LOG" | grep -q "^hidden [0-9]* $1\$"; }  # HWND

show_page() {  # INDEX: the sheet's page INDEX shown, by the sheet's own message
    drv page "$SHEET" "$1" || fail "could not show page $1"
    wait_control "$SHEET" "${PAGE_MARKS[$1]}" "page $1"
}

# The sheet's three pages photographed in turn as PNG files named <prefix>-page<N>.png; the
# first one is shown again at the end.
shoot_pages() {  # PREFIX
    local page
    for page in 0 1 2; do
        show_page "$page"
        drv shot "$SHEET" "$(winpath "$SCEN/page.bmp")" || fail "no screenshot of page $page"
        convert "$SCEN/page.bmp" "$SHOTS/$1-page$((page + 1)).png" || fail "could not convert the screenshot"
    done
    show_page 0
}

# Every stored value of both keys, one NAME=TYPE:VALUE per line, the default marker left out.
stored_settings() {
    { drv reg-list "$ENGINE_KEY"; drv reg-list "$LAUNCHER_KEY"; } | tr -d '\r' | grep -v '^DefaultSetting=' | sort
}

# A resolution the display offers that the stored one is not: the smallest of 800x600 or 1024x768.
other_resolution() {
    local stored
    stored="$(reg_get "$ENGINE_KEY" ScreenResolutionWidth | tr -d '\r' | awk '{ print $2 }')x$(reg_get "$ENGINE_KEY" ScreenResolutionHeight | tr -d '\r' | awk '{ print $2 }')"
    for r in 800x600 1024x768; do
        [[ $r != "$stored" ]] && { echo "$r"; return; }
    done
}

# Settings → resolution, quality, vertical sync and German → OK: the registry holds them, and the
# next run speaks German. The pages are photographed in English on the first run and in German
# on the second.
scenario_settings_ok() {
    launcher_start
    wait_kind launcher
    open_settings
    shoot_pages en
    local res stored_width
    res=$(other_resolution)
    stored_width=$(reg_get "$ENGINE_KEY" ScreenResolutionWidth | tr -d '\r')
    drv select "$SHEET" 1104 "$res" || fail "no item $res in the resolution list"
    drv slider "$SHEET" 1070 3 || fail "could not move the quality slider"
    drv check "$SHEET" 1106 1 || fail "could not tick vertical sync"
    show_page 1
    drv select "$SHEET" 1100 "$(lang_text LANG_GERMAN)" || fail "no German in the language list"
    wait_reg "$LAUNCHER_KEY" DefaultSetting "dword 0"
    expect_reg "$ENGINE_KEY" ScreenResolutionWidth "$stored_width"
    click "$SHEET" 1
    await_sheet_closed OK
    expect_reg "$ENGINE_KEY" ScreenResolutionWidth "dword ${res%x*}"
    expect_reg "$ENGINE_KEY" ScreenResolutionHeight "dword ${res#*x}"
    expect_reg "$LAUNCHER_KEY" VisualQualityLvl "dword 3"
    expect_reg "$ENGINE_KEY" TerrainGeometryDetails "dword 10"
    expect_reg "$ENGINE_KEY" SLShadowUsingTwoViewports "dword 0"
    expect_reg "$LAUNCHER_KEY" VerticalSync_lvl "dword 1"
    expect_reg "$ENGINE_KEY" VerticalSync "dword 1"
    expect_reg "$ENGINE_KEY" LNG_Language "dword 3"
    expect_reg "$LAUNCHER_KEY" LNG_Language "dword 3"
    expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 0"
    drv text "$WIN" >/dev/null || fail "the launcher closed with the sheet"
    quit_launcher
    expect_no_game_started

    launcher_start
    wait_kind launcher
    expect_eq "$(window_title "$WIN")" "$(lang_text IDS_LAUNCHER_TITLE DEU)" "launcher title in German"
    open_settings
    expect_eq "$(control_text "$SHEET" 1)" "$(lang_text IDS_OK_BUTTON DEU)" "OK button in German"
    expect_eq "$(control_text "$SHEET" 12321)" "$(lang_text IDS_DEFAULT_SETTING_BUTTON DEU)" "Default button in German"
    shoot_pages de
    click "$SHEET" 2
    await_sheet_closed Cancel
    quit_launcher
}

# Settings → changes on both pages → Cancel, and again → Escape: every stored value is as it was
# before, byte for byte; only the default marker has become 0.
scenario_settings_cancel() {
    launcher_start
    wait_kind launcher
    local before
    before=$(stored_settings)
    [[ -n $before ]] || fail "nothing stored before the sheet opened"
    expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 1"
    for closer in cancel escape; do
        note "closing with $closer"
        open_settings
        local res
        res=$(other_resolution)
        drv select "$SHEET" 1104 "$res" || fail "no item $res in the resolution list of $SHEET"
        drv slider "$SHEET" 1070 3 || fail "slider"
        drv check "$SHEET" 1107 0 || fail "textures"
        drv check "$SHEET" 1105 1 || fail "widescreen"
        show_page 1
        # The sheet handles the choice before the closing click or key, which come after it in
        # its message queue.
        drv select "$SHEET" 1100 "$(lang_text LANG_ITALIAN)" || fail "no Italian"
        if [[ $closer == cancel ]]; then
            click "$SHEET" 2
        else
            drv key "$SHEET" ESC || fail "key"
        fi
        await_sheet_closed "$closer"
        expect_eq "$(stored_settings)" "$before" "the stored settings after $closer"
        expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 0"
    done
    # The model was loaded again: OK on an untouched sheet stores the same values.
    open_settings
    click "$SHEET" 1
    await_sheet_closed OK
    expect_eq "$(stored_settings)" "$before" "the stored settings after an untouched OK"
    quit_launcher
}

# --- a first run whose defaults cannot be stored ------------------------------------------------

# The Engine key is there before the first run (holding the player's German) and refuses writes:
# the hardware defaults cannot be stored, so after the progress window the player is told so in
# German, and the launcher opens all the same. Nothing is stored, not even the default marker,
# though the Launcher key takes writes. So every start chooses the defaults again: silent and
# /Report runs say nothing and end with exit code 2 (/Report writes its file), until the key
# takes writes and the next start stores the hardware defaults.
scenario_first_run_defaults_refused() {
    set_adapter 0x10de 0x0421 128 # low class, whatever the processor scores
    drv reg-set "$ENGINE_KEY" LNG_Language dword 3 || fail "reg-set"
    drv reg-lock "$ENGINE_KEY" || fail "could not make the Engine key refuse writes"
    local before box folder="$SCEN/prefix/drive_c/Check"
    before=$(drv reg-list "$ENGINE_KEY" | tr -d '\r')
    launcher_start
    box=$(drv wait --exe Launcher.exe --class '#32770' --title "$(lang_text IDS_ERROR DEU)" --timeout 60 | cut -d' ' -f1) ||
        fail "no message after a first run whose defaults were refused"
    expect_eq "$(box_text "$box")" "$(driver_escaped "$(lang_text IDS_DEFAULTS_NOT_SAVED DEU)")" "text of the message"
    click "$box" 1
    wait_kind launcher
    quit_launcher
    expect_kinds progress box launcher
    expect_eq "$(drv reg-list "$ENGINE_KEY" | tr -d '\r')" "$before" "the Engine key after the first run"
    expect_reg "$LAUNCHER_KEY" DefaultSetting absent
    expect_reg "$LAUNCHER_KEY" VisualQualityLvl absent

    note "silent and /Report runs choose the defaults again, say nothing and end with exit code 2"
    mkdir -p "$folder"
    launcher_start /silent
    launcher_end
    expect_eq "$LAUNCHER_RC" 2 "exit code of a silent run whose defaults were refused"
    expect_no_window_shown
    launcher_start --cwd "$folder" /Report check.txt
    launcher_end
    expect_eq "$LAUNCHER_RC" 2 "exit code of a /Report run whose defaults were refused"
    expect_no_window_shown
    [[ -s $folder/check.txt ]] || fail "no report file"
    expect_eq "$(drv reg-list "$ENGINE_KEY" | tr -d '\r')" "$before" "the Engine key after them"
    expect_reg "$LAUNCHER_KEY" DefaultSetting absent

    note "the key takes writes again: the next start stores the hardware defaults"
    drv reg-unlock "$ENGINE_KEY" || fail "could not unlock the Engine key"
    launcher_start /silent
    launcher_end
    expect_exit_zero
    expect_defaults_for_class 0
    expect_reg "$ENGINE_KEY" LNG_Language "dword 3"
}
