# End-to-end scenarios of the program's look: every window it shows, in each of the five
# languages, photographed and compared with its reference picture in tests/e2e/reference/
# (<window>-<language>.png). Sourced by run.sh after scenarios.sh.
#
# What the pictures may not show, because it differs from machine to machine or from moment to
# moment, is painted over (magenta), computed from the windows' own rectangles:
# - the progress window: its bar (1026), which moves as the tests finish;
# - the report, as a window and as the sheet's page: the value cells (value and status) of the
#   processor, memory and disk rows (processor name and speed score, installed memory, free
#   disk space). Row captions, the header row, the other rows, the pane and everything around
#   them are compared.

# The detected item rows of the report that are this machine's own, by language-file key.
MACHINE_ROWS="DET_CPU_NAME DET_MEMORY_NAME DET_DISK_NAME"

# report_masks HWND: the masks of the machine's own cells in the report (a window or the sheet
# that shows it as a page). The list (100) draws the group row first and the items below it,
# 21 pixels each, in the order of REPORT_ITEM_KEYS; a value cell runs from the divider, which the
# tree places at 30% of its width, to the list's inner right edge. A row scrolled out of view
# gets no mask.
report_masks() {
    local left right width divider key row=0 masks=""
    read -r left _ right _ <<<"$(rect_of "$1" 101)"
    read -r _ _ width _ <<<"$(rect_of "$1" 100 --client)"
    [[ -n $width ]] || fail "the report has no tree list"
    divider=$(((right - left) * 30 / 100))
    for key in $REPORT_ITEM_KEYS; do
        row=$((row + 1))
        [[ " $MACHINE_ROWS " == *" $key "* ]] || continue
        masks+="${masks:+;}100@$((divider + 2)),$((row * 21)),$((width - 2)),$((row * 21 + 20))"
    done
    echo "$masks"
}

# look_windows LANGUAGE-ID CODE [SUFFIX]: the windows of a failed check in that language: report,
# warning, launcher, the sheet's three pages; then the error box of a detection that cannot
# read its requirements. Pictures are named <window>-CODE[SUFFIX]; the report's cells are masked
# by the function REPORT_MASKS names (report_masks unless set); each window is looked at by the
# function LOOK_AT names (look_at unless set), given the name, the window and the masks.
look_windows() {
    local code=$2${3:-} masks=${REPORT_MASKS:-report_masks} look=${LOOK_AT:-look_at}
    drv reg-set "$ENGINE_KEY" LNG_Language dword "$1" || fail "reg-set"
    # The defaults the video page shows come from the hardware class, the smaller of the
    # adapter's and the processor's; the processor's follows its speed score, which moves with
    # the machine's load. A low-class adapter makes the class 0 however fast the processor is.
    set_adapter 0x10de 0x0421 128
    demand_more_than_machine
    launcher_start
    wait_kind report
    "$look" "report-$code" "$WIN" "$("$masks" "$WIN")"
    click "$WIN" 1028
    wait_kind warning
    "$look" "warning-$code" "$WIN"
    click "$WIN" 1051
    wait_kind launcher
    "$look" "launcher-$code" "$WIN"
    open_settings
    show_page 0
    "$look" "settings-video-$code" "$SHEET"
    show_page 1
    "$look" "settings-language-$code" "$SHEET"
    show_page 2
    "$look" "settings-report-$code" "$SHEET" "$("$masks" "$SHEET")"
    click "$SHEET" 2
    await_sheet_closed Cancel
    quit_launcher

    requirements_break "$(requirements_file "$STAGE")" || fail "no requirements file to break"
    launcher_start
    wait_kind box
    "$look" "box-error-$code" "$WIN"
    click "$WIN" 1
    launcher_end
    expect_exit_zero
}

scenario_look_english() { look_windows 1 en; }
scenario_look_german() { look_windows 3 de; }
scenario_look_french() { look_windows 4 fr; }
scenario_look_spanish() { look_windows 5 es; }
scenario_look_italian() { look_windows 6 it; }

# The progress window is on screen for a few hundredths of a second: the driver holds the program
# still in short steps until the window is shown and its painting is on the screen, and takes the
# picture then. Wine puts what a window has painted on the screen only when the window's thread
# next waits for messages, which the progress window's thread may not do before the window goes:
# then there is nothing to compare, and the step is skipped.
look_progress() {  # NAME: the picture's name
    drv freeze --exe Launcher.exe --id 1026 "$(winpath "$SCEN/progress.bmp")" --mask 1026 \
        >"$SCEN/freeze.log" 2>&1 &
    local freezer=$!
    launcher_start
    if wait "$freezer"; then
        expect_picture "$1" "$SCEN/progress.bmp"
    elif grep -q 'never reached the screen' "$SCEN/freeze.log"; then
        note "SKIPPED STEP: the progress window's painting did not reach the screen while it was shown"
        echo "the progress window was not on the screen while it was shown" >>"${E2E_SKIPS:-/dev/null}"
    else
        fail "the progress window was not caught: $(cat "$SCEN/freeze.log")"
    fi
    wait_kind launcher
    quit_launcher
}

scenario_look_progress() { look_progress progress; }

# Without local.dll the program can only say so, in English, before it knows any language.
scenario_look_missing_local_dll() {
    rm -f "$STAGE/local.dll"
    launcher_start
    wait_kind box
    look_at box-no-local-dll "$WIN"
    click "$WIN" 1
    launcher_end
    expect_exit_zero
}
