# End-to-end scenarios of the program in a contrast theme, as a player with low vision chooses
# one: the theme's system colours set (driver colours), and the program's high-contrast question
# answered "on" by the contrast test library (tools/contrast), which the driver loads into the
# program as it starts; Wine itself never answers "on". Sourced by run.sh after scenarios_dpi.sh.
#
# In a theme every window is measured (driver measure): at least CONTRAST_THEME_SHARE % of its
# pixels are exactly one of the theme's colours, and at most CONTRAST_OTHER_SHARE % are neither
# one of them nor a blend of two (a smoothed text edge); then it is compared with its reference
# picture, <window>-<language>-contrast-<theme>.png. The themes: dark (white on black, yellow
# links) and light (black on white, blue links), their colours in tools/driver/Themes.cpp.
#   E2E_CONTRAST_MEASURE_ONLY=1 tests/e2e/run.sh contrast_look_dark
# only measures and tells the shares, for seeing how far a window is from its theme.

CONTRAST_LIBRARY="$E2E_BUILD/tools/contrast/contrast.dll"
CONTRAST_THEME_SHARE=75
CONTRAST_OTHER_SHARE=1

# contrast_theme THEME: the theme's colours set for every window (the colours before it saved for
# contrast_switch off), and every program started from now on with the library answering "on".
contrast_theme() {
    drv colours set "$1" --save "$(winpath "$SCEN/colours-before.txt")" || fail "could not set the colours of $1"
    CONTRAST_THEME=$1
}

contrast_answer() { drv contrast-answer --exe Launcher.exe | tr -d '\r'; }

# contrast_switch on THEME | off: high contrast switched while the program runs, as Windows does
# it: the answer and the colours changed, and every window told (WM_SETTINGCHANGE, WM_SYSCOLORCHANGE).
# The colours change second when going on and first when going off, so that whichever message a
# window acts on last, it finds the final state.
contrast_switch() {
    if [[ $1 == on ]]; then
        drv contrast on --theme "$2" --exe Launcher.exe || fail "could not switch high contrast on"
        drv colours set "$2" --save "$(winpath "$SCEN/colours-before.txt")" || fail "could not set the colours of $2"
        [[ $(contrast_answer) == "on "* ]] || fail "the program's answer after switching on: $(contrast_answer)"
    else
        drv colours restore "$(winpath "$SCEN/colours-before.txt")" || fail "could not restore the colours"
        drv contrast off --exe Launcher.exe || fail "could not switch high contrast off"
        expect_eq "$(contrast_answer)" off "the program's answer after switching off"
    fi
}

# A message box's icon is the system's picture, in colour whatever the theme: it is left out of
# the box's measure.
BOX_ICON=1088

# contrast_shares NAME HWND [THEME [MASKS]]: measures the window against the theme (the present
# one unless given) leaving out the masks, tells the shares and whether they are within the
# limits (exit code).
contrast_shares() {
    local out theme others
    drv park || fail "could not move the pointer out of the way"
    out=$(drv measure "$2" "${3:-$CONTRAST_THEME}" --mask "${4:-}" | tr -d '\r') || fail "could not measure $1"
    read -r _ theme _ _ _ others <<<"$(head -n1 <<<"$out")"
    note "$1 in ${3:-$CONTRAST_THEME}: ${theme}% theme colours, ${others}% neither theme nor blend$(tail -n +2 <<<"$out" |
        awk '{ printf "%s%s %s%%", sep ? sep : " (commonest: ", $2, $3; sep = ", " } END { if (sep) print ")" }')"
    awk -v t="$theme" -v o="$others" -v tl="$CONTRAST_THEME_SHARE" -v ol="$CONTRAST_OTHER_SHARE" \
        'BEGIN { exit !(t >= tl && o <= ol) }'
}

# contrast_expect NAME HWND: the window is drawn in the theme.
contrast_expect() {
    local mask=""
    [[ $1 == box-* ]] && mask=$BOX_ICON
    contrast_shares "$1" "$2" "$CONTRAST_THEME" "$mask" || [[ ${E2E_CONTRAST_MEASURE_ONLY:-0} == 1 ]] ||
        fail "$1 is not drawn in theme $CONTRAST_THEME (at least $CONTRAST_THEME_SHARE% in its colours," \
            "at most $CONTRAST_OTHER_SHARE% in others)"
}

# contrast_look NAME HWND [MASKS]: the window drawn in the theme, and as its reference picture.
contrast_look() {
    contrast_expect "$1" "$2"
    [[ ${E2E_CONTRAST_MEASURE_ONLY:-0} == 1 ]] || look_at "$@"
}

# Every window of scenario look_english, started in the theme.
scenario_contrast_look_dark() {
    contrast_theme dark
    LOOK_AT=contrast_look look_windows 1 en -contrast-dark
}
scenario_contrast_look_light() {
    contrast_theme light
    LOOK_AT=contrast_look look_windows 1 en -contrast-light
}

# switch_and_look NAME HWND [MASKS]: high contrast switched on, the window seen in theme dark;
# switched off, the window seen in its skin, as its reference NAME shows it.
switch_and_look() {
    contrast_switch on dark
    contrast_look "$1-contrast-dark" "${@:2}"
    contrast_switch off
    look_at "$@"
}

# High contrast switched on and off while the report is open, then the launcher, then the sheet
# over it on its report page: each window redrawn in the theme and back in its skin as scenario
# look_english shows it, with no restart. A switch made while the sheet hides the launcher
# reaches the launcher all the same.
scenario_contrast_switch() {
    drv reg-set "$ENGINE_KEY" LNG_Language dword 1 || fail "reg-set"
    set_adapter 0x10de 0x0421 128
    demand_more_than_machine
    CONTRAST_THEME=dark
    CONTRAST_ANSWER=off launcher_start
    wait_kind report
    switch_and_look report-en "$WIN" "$(report_masks "$WIN")"
    click "$WIN" 1028
    wait_kind warning
    click "$WIN" 1051
    wait_kind launcher
    switch_and_look launcher-en "$WIN"
    open_settings
    show_page 2
    switch_and_look settings-report-en "$SHEET" "$(report_masks "$SHEET")"
    contrast_switch on dark
    click "$SHEET" 2
    await_sheet_closed Cancel
    contrast_expect "the launcher, switched while the sheet hid it" "$WIN"
    contrast_switch off
    quit_launcher
}

# The harness itself, which works before the program draws in a theme: the measure telling a
# window that the system draws in the theme from one that it does not; the colours set and
# restored, for programs started later and in the running launcher; and the library's answer seen
# through the launcher's own import.
scenario_contrast_harness() {
    local before dark
    before=$(drv colours | tr -d '\r')
    dark=$(drv colours of dark | tr -d '\r')
    [[ -f $BARE_DIALOG ]] || fail "missing $BARE_DIALOG"
    mkdir -p "$SCEN/bare"
    cp "$BARE_DIALOG" "$SCEN/bare/Launcher.exe"
    launcher_start --exe "$SCEN/bare/Launcher.exe"
    wait_kind launcher
    ! contrast_shares "the system's dialog in the usual colours" "$WIN" dark ||
        fail "a dialog in the usual colours measures as drawn in theme dark"
    quit_launcher
    contrast_theme dark
    expect_eq "$(drv colours | tr -d '\r')" "$dark" "the system colours in theme dark"
    CONTRAST_THEME='' launcher_start --exe "$SCEN/bare/Launcher.exe"
    wait_kind launcher
    contrast_shares "the system's dialog" "$WIN" ||
        fail "a dialog the system draws in the theme does not measure as drawn in it"
    quit_launcher

    launcher_start
    wait_kind launcher
    contrast_shares "today's launcher" "$WIN"
    expect_eq "$(contrast_answer)" "on High Contrast Black" "the launcher's answer when started"
    expect_eq "$(drv colours --exe Launcher.exe | tr -d '\r')" "$dark" "the launcher's colours when started"
    drv contrast off --exe Launcher.exe || fail "could not switch high contrast off"
    expect_eq "$(contrast_answer)" off "the launcher's answer after switching off"
    drv colours restore "$(winpath "$SCEN/colours-before.txt")" || fail "could not restore the colours"
    expect_eq "$(drv colours | tr -d '\r')" "$before" "the system colours restored"
    expect_eq "$(drv colours --exe Launcher.exe | tr -d '\r')" "$before" "the launcher's colours restored"
    drv contrast on --theme light --exe Launcher.exe || fail "could not switch high contrast on"
    expect_eq "$(contrast_answer)" "on High Contrast White" "the launcher's answer after switching on"
    quit_launcher
}
