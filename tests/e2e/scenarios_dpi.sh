# End-to-end scenarios of the program at the screen scales players use: 120, 144 and 192 DPI
# (LogPixels of the fresh prefix, read by each program when it starts). At each scale no shown
# text is cut; at 144 and 192 the art is drawn at the scale, not stretched (the icons' sizes at
# each scale are checked inside the program's process, tests/win/app); at 144 every window is compared with its reference
# picture (<window>-<language>-144.png, the progress window's progress-144.png). Sourced by run.sh after scenarios_look.sh.

# Stretched art repeats every other or every third column and row (a third of them at 144, half
# at 192); art drawn at the scale repeats only where the picture itself is flat, far below this.
DPI_REPEAT_LIMIT=10

screen_dpi() {  # DPI: the scale every program started from now on runs at
    drv reg-set 'HKCU\Control Panel\Desktop' LogPixels dword "$1" || fail "could not set LogPixels"
}

# dpi_report_masks HWND: the report's whole value column, whose height and rows follow the
# list's row height at this scale; captions, header and pane stay compared.
dpi_report_masks() {
    local left right width height
    read -r left _ right _ <<<"$(rect_of "$1" 101)"
    read -r _ _ width height <<<"$(rect_of "$1" 100 --client)"
    [[ -n $width ]] || fail "the report has no tree list"
    echo "100@$(((right - left) * 30 / 100 + 2)),0,$((width - 2)),$height"
}

expect_no_cut_text() {  # HWND WHAT
    local cut
    cut=$(drv cut-texts "$1" | tr -d '\r') || fail "cut texts in $2 at ${SCALE} DPI: ${cut//$'\n'/; }"
}

expect_art_drawn() {  # HWND WHAT [ID]: the window's (or control's) picture is not stretched art
    local columns rows
    read -r _ columns _ rows <<<"$(drv repeats "$1" ${3:-} | tr -d '\r')"
    [[ -n $rows ]] || fail "no picture of $2"
    note "$2 at ${SCALE} DPI: ${columns}% of columns and ${rows}% of rows repeat their neighbour"
    ((columns < DPI_REPEAT_LIMIT && rows < DPI_REPEAT_LIMIT)) ||
        fail "$2 at ${SCALE} DPI looks stretched: ${columns}% of columns, ${rows}% of rows repeat"
}

# dpi_windows DPI: every window of a failed check at that scale, each checked for cut texts and
# (above 120) stretched art.
dpi_windows() {
    SCALE=$1
    screen_dpi "$SCALE"
    set_adapter 0x10de 0x0421 128
    demand_more_than_machine
    launcher_start
    wait_kind report
    expect_no_cut_text "$WIN" report
    ((SCALE > 120)) && expect_art_drawn "$WIN" report
    click "$WIN" 1028
    wait_kind warning
    expect_no_cut_text "$WIN" warning
    click "$WIN" 1051
    wait_kind launcher
    expect_no_cut_text "$WIN" launcher
    ((SCALE > 120)) && expect_art_drawn "$WIN" launcher
    open_settings
    local page
    for page in 0 1 2; do
        show_page "$page"
        expect_no_cut_text "$SHEET" "settings page $page"
        ((SCALE > 120 && page < 2)) && expect_art_drawn "$SHEET" "settings page $page"
    done
    click "$SHEET" 2
    await_sheet_closed Cancel
    quit_launcher
}

scenario_dpi_120() { dpi_windows 120; }
scenario_dpi_144() { dpi_windows 144; }
scenario_dpi_192() { dpi_windows 192; }

# Every window of scenario look_english and look_german at 144 DPI, as <window>-<language>-144.
scenario_dpi_look_english() {
    screen_dpi 144
    REPORT_MASKS=dpi_report_masks look_windows 1 en -144
}
scenario_dpi_look_german() {
    screen_dpi 144
    REPORT_MASKS=dpi_report_masks look_windows 3 de -144
}

# The progress window at 144 DPI, caught as scenario look_progress catches it.
scenario_dpi_look_progress() {
    screen_dpi 144
    look_progress progress-144
}
