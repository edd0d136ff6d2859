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

# The processor's value ("<name>, <speed> MHz") is the machine's own: its maker's name can be
# longer than any cell (up to 48 characters), and the row then ends in an ellipsis, as a list
# view's does. Every other text, the rows' captions included, must fit.
MACHINE_CUT_PATTERN='^tree 101 ".*, [0-9]+ MHz" is cut$'

expect_no_cut_text() {  # HWND WHAT [DPI]: at the DPI the window is at unless given
    local cut rc=0
    cut=$(drv cut-texts "$1" ${3:+--dpi "$3"} | tr -d '\r') || rc=$?
    ((rc <= 1)) || fail "$2 could not be checked for cut texts: $cut"
    cut=$(grep -Ev "$MACHINE_CUT_PATTERN" <<<"$cut") || true
    [[ -z $cut ]] || fail "cut texts in $2 at ${3:-$SCALE} DPI: ${cut//$'\n'/; }"
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

# dpi_report_languages DPI: the report in each language at that scale, its tree's rows too,
# without a cut text (German's captions are the longest).
dpi_report_languages() {
    SCALE=$1
    screen_dpi "$SCALE"
    set_adapter 0x10de 0x0421 128
    demand_more_than_machine
    local language
    for language in 1 3 4 5 6; do
        drv reg-set "$ENGINE_KEY" LNG_Language dword "$language" || fail "reg-set"
        launcher_start /OnlyDetection
        wait_kind report
        expect_no_cut_text "$WIN" "report in language $language"
        click "$WIN" 1028
        launcher_end
        expect_exit_zero
    done
}

scenario_dpi_120() { dpi_windows 120; dpi_report_languages 120; }
scenario_dpi_144() { dpi_windows 144; dpi_report_languages 144; }
scenario_dpi_192() { dpi_windows 192; dpi_report_languages 192; }

# Every window of scenario look_english and look_german at 144 and at 120 DPI, as
# <window>-<language>-144 and -120.
scenario_dpi_look_english() {
    screen_dpi 144
    REPORT_MASKS=dpi_report_masks look_windows 1 en -144
}
scenario_dpi_look_german() {
    screen_dpi 144
    REPORT_MASKS=dpi_report_masks look_windows 3 de -144
}
scenario_dpi_look_english_120() {
    screen_dpi 120
    REPORT_MASKS=dpi_report_masks look_windows 1 en -120
}
scenario_dpi_look_german_120() {
    screen_dpi 120
    REPORT_MASKS=dpi_report_masks look_windows 3 de -120
}

# The progress window at 144 DPI, caught as scenario look_progress catches it.
scenario_dpi_look_progress() {
    screen_dpi 144
    look_progress progress-144
}

# --- a window moved to a screen of another scale --------------------------------------------

# A moved window and the same window started at the new scale may differ in this many pixels
# (by more than the fuzz: smoothed edges of art drawn at a scale between two of its sizes), and
# each control's size by one pixel.
DPI_MOVE_FUZZ=12%
DPI_MOVE_SHARE=2

# move_shoot NAME HWND STAGE: the picture of the window's client area as $SCEN/NAME-STAGE.png and
# its geometry as $SCEN/NAME-STAGE.geometry. (Under Wine a moved window keeps the caption and
# frame of the scale it started at: only what the program draws is compared.)
move_shoot() {
    drv park || fail "could not move the pointer out of the way"
    drv shot "$2" "$(winpath "$SCEN/$1-$3.bmp")" || fail "no picture of $1"
    drv geometry "$2" | tr -d '\r' >"$SCEN/$1-$3.geometry" || fail "no geometry of $1"
    local client
    client=$(awk '$1 == "window" { print $5 "x" $6 "+" $7 "+" $8 }' "$SCEN/$1-$3.geometry")
    convert "$SCEN/$1-$3.bmp" -crop "$client" +repage -strip "$SCEN/$1-$3.png" ||
        fail "could not convert the picture of $1"
}

# move_window NAME HWND: the window, started at the scale it shows at now, told it moved to
# $SCALE_TO with the client area it has when started there; then compared with that.
move_window() {
    local size
    drv geometry "$2" | tr -d '\r' >"$SCEN/$1-before.geometry"
    size=$(awk '$1 == "window" { w = $5; h = $6 } END { print w, h }' "$SCEN/$1-started.geometry")
    size=$(awk -v want="$size" '$1 == "window" { split(want, c, " "); print c[1] + $2 - $5 "," c[2] + $3 - $6 }' \
        "$SCEN/$1-before.geometry")
    [[ $size == [0-9]*,[0-9]* ]] || fail "no size of $1 as started at $SCALE_TO DPI"
    drv dpi-move "$2" "$SCALE_TO" --size "$size" || fail "$1 did not take the move to $SCALE_TO DPI"
    expect_as_started "$1" "$2"
}

# expect_as_started NAME HWND: the window at $SCALE_TO looks as when started there: no text cut,
# every control as large to the pixel, and the pictures alike.
expect_as_started() {
    move_shoot "$1" "$2" moved
    expect_no_cut_text "$2" "$1 moved" "$SCALE_TO"
    local sizes
    sizes=$(paste -d' ' "$SCEN/$1-started.geometry" "$SCEN/$1-moved.geometry" | awk '
        $1 == "window" { next }
        $1 != $7 || $2 != $8 { print "control " $1 " is " $8 " " $7 " when moved"; next }
        ($5 - $11) ^ 2 > 1 || ($6 - $12) ^ 2 > 1 { print "control " $1 " (" $2 ") is " $11 "x" $12 " moved, " $5 "x" $6 " started" }')
    [[ $(wc -l <"$SCEN/$1-started.geometry") == $(wc -l <"$SCEN/$1-moved.geometry") ]] ||
        sizes+=" the moved window shows another number of controls"
    [[ -z $sizes ]] || fail "$1 moved from $SCALE_FROM to $SCALE_TO DPI: ${sizes//$'\n'/; }"
    local pixels total
    total=$(identify -format '%[fx:w*h]' "$SCEN/$1-started.png")
    pictures_match "$SCEN/$1-started.png" "$SCEN/$1-moved.png" "$DPI_MOVE_FUZZ" $((total * DPI_MOVE_SHARE / 100)) \
        "$SHOTS/$1-$SCALE_FROM-$SCALE_TO-diff.png" ||
        fail "$1 moved from $SCALE_FROM to $SCALE_TO DPI does not look as started there: $PICTURE_DIFFERENCE"
    pixels=${PICTURE_DIFFERENCE%% *}
    note "$1 moved $SCALE_FROM -> $SCALE_TO DPI: $pixels of $total pixels differ ($(awk -v p="$pixels" -v t="$total" 'BEGIN { printf "%.2f", 100 * p / t }')%)"
    cp "$SCEN/$1-moved.png" "$SHOTS/$1-$SCALE_FROM-$SCALE_TO.png"
}

# dpi_move_windows STAGE: each window of a failed check, as a player meets them, either
# photographed (STAGE started) or moved to $SCALE_TO and compared (STAGE moved).
dpi_move_windows() {
    set_adapter 0x10de 0x0421 128
    demand_more_than_machine
    launcher_start
    wait_kind report
    if [[ $1 == started ]]; then move_shoot report "$WIN" started; else move_window report "$WIN"; fi
    click "$WIN" 1028
    wait_kind warning
    if [[ $1 == started ]]; then move_shoot warning "$WIN" started; else move_window warning "$WIN"; fi
    click "$WIN" 1051
    wait_kind launcher
    if [[ $1 == started ]]; then move_shoot launcher "$WIN" started; else move_window launcher "$WIN"; fi
    open_settings
    local page
    for page in 0 1; do
        show_page "$page"
        if [[ $1 == started ]]; then
            move_shoot "settings-page$page" "$SHEET" started
        elif ((page == 0)); then
            move_window "settings-page$page" "$SHEET"
        else
            # The sheet was moved with its first page shown; the second shows at the new scale.
            expect_as_started "settings-page$page" "$SHEET"
        fi
    done
    click "$SHEET" 2
    await_sheet_closed Cancel
    quit_launcher
}

dpi_move() {  # FROM TO
    SCALE_FROM=$1 SCALE_TO=$2
    screen_dpi "$SCALE_TO"
    dpi_move_windows started
    screen_dpi "$SCALE_FROM"
    dpi_move_windows moved
}

scenario_dpi_move_96_144() { dpi_move 96 144; }
scenario_dpi_move_144_96() { dpi_move 144 96; }
scenario_dpi_move_120_192() { dpi_move 120 192; }
