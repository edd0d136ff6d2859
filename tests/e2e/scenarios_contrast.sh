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

# Held back until the program draws in the theme's colours; delete the line to make them part of
# the suite (and make their reference pictures with run.sh --update-references first).
E2E_HELD_BACK+=(contrast_look_dark contrast_look_light contrast_switch)

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

# contrast_shares NAME HWND [THEME]: measures the window against the theme (the present one
# unless given), tells the shares and whether they are within the limits (exit code).
contrast_shares() {
    local out theme others
    drv park || fail "could not move the pointer out of the way"
    out=$(drv measure "$2" "${3:-$CONTRAST_THEME}" | tr -d '\r') || fail "could not measure $1"
    read -r _ theme _ _ _ others <<<"$(head -n1 <<<"$out")"
    note "$1 in ${3:-$CONTRAST_THEME}: ${theme}% theme colours, ${others}% neither theme nor blend;" \
        "commonest others: $(tail -n +2 <<<"$out" | awk '{ printf "%s%s %s%%", sep, $2, $3; sep = ", " }')"
    awk -v t="$theme" -v o="$others" -v tl="$CONTRAST_THEME_SHARE" -v ol="$CONTRAST_OTHER_SHARE" \
        'BEGIN { exit !(t >= tl && o <= ol) }'
}

# contrast_expect NAME HWND: the window is drawn in the theme.
contrast_expect() {
    contrast_shares "$1" "$2" || [[ ${E2E_CONTRAST_MEASURE_ONLY:-0} == 1 ]] ||
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

# High contrast switched on and off while the report is open, and again while the launcher and
# the sheet on its report page are: each window redrawn in the theme, then in its skin as
# scenario look_english shows it, with no restart.
scenario_contrast_switch() {
    drv reg-set "$ENGINE_KEY" LNG_Language dword 1 || fail "reg-set"
    set_adapter 0x10de 0x0421 128
    demand_more_than_machine
    CONTRAST_THEME=dark
    CONTRAST_ANSWER=off launcher_start
    wait_kind report
    contrast_switch on dark
    contrast_look report-en-contrast-dark "$WIN" "$(report_masks "$WIN")"
    contrast_switch off
    look_at report-en "$WIN" "$(report_masks "$WIN")"
    click "$WIN" 1028
    wait_kind warning
    click "$WIN" 1051
    wait_kind launcher
    open_settings
    show_page 2
    contrast_switch on dark
    contrast_look settings-report-en-contrast-dark "$SHEET" "$(report_masks "$SHEET")"
    contrast_expect "the launcher behind the sheet" "$WIN"
    contrast_switch off
    look_at settings-report-en "$SHEET" "$(report_masks "$SHEET")"
    click "$SHEET" 2
    await_sheet_closed Cancel
    look_at launcher-en "$WIN"
    quit_launcher
}

# The harness itself, which works before the program draws in a theme: the colours set and
# restored, the library's answer seen through the launcher's own import, and the measure telling
# a window that the system draws in the theme from one that it does not.
scenario_contrast_harness() {
    local before
    before=$(drv colours | tr -d '\r')
    contrast_theme dark
    expect_eq "$(drv colours | tr -d '\r')" "$(drv colours of dark | tr -d '\r')" "the system colours in theme dark"

    launcher_start
    wait_kind launcher
    contrast_shares "today's launcher" "$WIN"
    expect_eq "$(contrast_answer)" "on High Contrast Black" "the launcher's answer when started"
    drv contrast off --exe Launcher.exe || fail "could not switch high contrast off"
    expect_eq "$(contrast_answer)" off "the launcher's answer after switching off"
    drv contrast on --theme light --exe Launcher.exe || fail "could not switch high contrast on"
    expect_eq "$(contrast_answer)" "on High Contrast White" "the launcher's answer after switching on"
    quit_launcher

    [[ -f $BARE_DIALOG ]] || fail "missing $BARE_DIALOG"
    mkdir -p "$SCEN/bare"
    cp "$BARE_DIALOG" "$SCEN/bare/Launcher.exe"
    CONTRAST_THEME='' launcher_start --exe "$SCEN/bare/Launcher.exe"
    wait_kind launcher
    contrast_shares "the system's dialog" "$WIN" dark ||
        fail "a dialog the system draws in the theme does not measure as drawn in it"
    drv colours restore "$(winpath "$SCEN/colours-before.txt")" || fail "could not restore the colours"
    expect_eq "$(drv colours | tr -d '\r')" "$before" "the system colours restored"
    ! contrast_shares "the system's dialog in the usual colours" "$WIN" dark ||
        fail "a dialog in the usual colours measures as drawn in theme dark"
    quit_launcher
}
