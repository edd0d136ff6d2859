# End-to-end scenarios driven as a player drives the program: real mouse clicks at a control's
# place and keys typed to whatever has the focus (SendInput), never posted messages, so that the
# focus moves as it does for a person. Sourced by run.sh after scenarios.sh.

REPORT_LIST=100    # the tree's list window, inside the placeholder 1001
REPORT_PANE=65535  # the info pane under it

# row_point N: a point on the caption of row N of the report's list (the group row is 0), in
# the list's client coordinates; rows are 21 pixels high.
row_point() { echo "40,$(($1 * 21 + 10))"; }

# item_caption N: the caption of the Nth detected item, as the report lists them (1 first).
item_caption() {
    local keys
    read -ra keys <<<"$(echo $REPORT_ITEM_KEYS)"
    lang_text "${keys[$1 - 1]}"
}

report_pane() { drv find "$1" $REPORT_PANE | tr -d '\r'; }  # HWND

window_gone() { ! drv rect "$1" >/dev/null 2>&1; }  # HWND (a window that is busy still answers this)

# keys_in_open_window HWND PANE TITLE WHAT: after keys typed to HWND, its pane shows TITLE while
# the window stays open (keys are handled in order, so the pane's change shows that the keys
# before it have been handled too).
keys_in_open_window() {
    wait_for 10 pane_or_closed "$@" || fail "$4: the info pane shows '$SEEN', expected '$3'"
    [[ $SEEN != closed ]] || fail "$4: the window closed"
}

pane_or_closed() {  # HWND PANE TITLE: the pane shows TITLE, or the window closed (SEEN=closed)
    window_gone "$1" && { SEEN=closed; return 0; }
    pane_is "$2" "$3"
}

# --- the report -----------------------------------------------------------------------------

# A click on a row gives the list the keyboard: Down keys then move the selection, and the pane
# follows it row by row. A double click on the group row folds its items away and another brings
# them back: a click where an item was selects nothing, then that item again.
scenario_input_report_row_click() {
    launcher_start /OnlyDetection
    wait_kind report
    local pane
    pane=$(report_pane "$WIN") || fail "the report has no info pane"
    mouse_click "$WIN" $REPORT_LIST --at "$(row_point 2)"
    wait_pane "$pane" "$(item_caption 2)"
    wait_focus "$WIN" $REPORT_LIST "after a click on a row"
    local n
    for n in 3 4 5; do
        type_keys "$WIN" DOWN
        wait_pane "$pane" "$(item_caption $n)"
    done

    mouse_click "$WIN" $REPORT_LIST --at "$(row_point 0)" --double
    wait_pane "$pane" "$(lang_text IDS_REQUIREMENT)"
    mouse_click "$WIN" $REPORT_LIST --at "$(row_point 2)"
    wait_pane "$pane" "Your system at a glance"
    mouse_click "$WIN" $REPORT_LIST --at "$(row_point 0)" --double
    mouse_click "$WIN" $REPORT_LIST --at "$(row_point 2)"
    wait_pane "$pane" "$(item_caption 2)"
    mouse_click "$WIN" 1028
    launcher_end
    expect_exit_zero
    expect_kinds progress report
}

# The list can be reached with Tab: from OK the focus goes to the list. Escape with the focus
# on OK closes the report.
scenario_input_report_tab() {
    launcher_start /OnlyDetection
    wait_kind report
    tab_to "$WIN" 1028
    local round
    round=$(tab_round "$WIN")
    note "Tab from OK: $round"
    [[ ${round%% *} == "$REPORT_LIST" ]] || fail "Tab from OK does not reach the list; the focus went round: $round"
    tab_to "$WIN" 1028
    type_keys "$WIN" ESC
    launcher_end
    expect_exit_zero
    expect_kinds progress report
}

# Escape while the list has the focus stays in the list: the report stays open and the list
# goes on taking keys. A click on the list's scroll bar gives it the focus.
scenario_input_report_escape() {
    launcher_start /OnlyDetection
    wait_kind report
    local pane width height
    pane=$(report_pane "$WIN") || fail "the report has no info pane"
    read -r _ _ width height <<<"$(rect_of "$WIN" $REPORT_LIST --client)"
    # The scroll bar's lower arrow, right of the client area.
    mouse_click "$WIN" $REPORT_LIST --at "$((width + 8)),$((height - 8))"
    wait_focus "$WIN" $REPORT_LIST "after a click on the list's scroll bar"
    # Down with nothing selected selects the first row, the group.
    type_keys "$WIN" ESC,DOWN
    keys_in_open_window "$WIN" "$pane" "$(lang_text IDS_REQUIREMENT)" "Escape with the focus in the list"
    expect_eq "$(focused_id "$WIN")" $REPORT_LIST "the focus after Escape in the list"
    mouse_click "$WIN" 1028
    launcher_end
    expect_exit_zero
}

# --- the settings sheet ---------------------------------------------------------------------

# edit_quality: on the video page, a click on the quality slider, then Home or End, whichever
# changes the stored level; sets QUALITY to the level chosen.
edit_quality() {
    mouse_click "$SHEET" 1070
    if [[ $(reg_get "$LAUNCHER_KEY" VisualQualityLvl | tr -d '\r') == "dword 0" ]]; then
        type_keys "$SHEET" END
        QUALITY=3
    else
        type_keys "$SHEET" HOME
        QUALITY=0
    fi
}

click_page() {  # INDEX: a click on the page's tab
    mouse_click "$SHEET" 12320 --tab "$1"
    wait_control "$SHEET" "${PAGE_MARKS[$1]}" "page $1 after a click on its tab"
}

next_page() {  # INDEX: Ctrl+Tab to the next page, which is the page INDEX
    type_keys "$SHEET" ctrl+TAB
    wait_control "$SHEET" "${PAGE_MARKS[$1]}" "page $1 after Ctrl+Tab"
}

# choose_language: on the language page, the list opened with a click and its last language,
# Italian (6), taken with End and Enter.
choose_language() {
    mouse_click "$SHEET" 1100
    type_keys "$SHEET" END,ENTER
    wait_for 10 control_is "$SHEET" 1100 "$(lang_text LANG_ITALIAN)" ||
        fail "the language list shows '$(control_text "$SHEET" 1100)' after End and Enter"
}

# Enter on each page, reached with a click on its tab, is the sheet's OK: the edit made before
# it is stored.
scenario_input_settings_enter() {
    launcher_start
    wait_kind launcher

    note "video page"
    open_settings --mouse
    edit_quality
    type_keys "$SHEET" ENTER
    await_sheet_closed "Enter on the video page"
    expect_reg "$LAUNCHER_KEY" VisualQualityLvl "dword $QUALITY"

    note "language page"
    open_settings --mouse
    click_page 1
    choose_language
    type_keys "$SHEET" ENTER
    await_sheet_closed "Enter on the language page"
    expect_reg "$ENGINE_KEY" LNG_Language "dword 6"

    note "report page"
    open_settings --mouse
    edit_quality
    click_page 2
    type_keys "$SHEET" ENTER
    await_sheet_closed "Enter on the report page"
    expect_reg "$LAUNCHER_KEY" VisualQualityLvl "dword $QUALITY"
    quit_launcher
}

# The same from the keyboard: Ctrl+Tab to the page, Tab to a control on it, and Enter is still
# the sheet's OK. On the report page the focus is on the help link, in the page but not in the
# list.
scenario_input_settings_keyboard_enter() {
    launcher_start
    wait_kind launcher

    note "report page, the focus on the help link"
    open_settings --mouse
    edit_quality
    next_page 1
    next_page 2
    tab_to "$SHEET" 1043
    type_keys "$SHEET" ENTER
    await_sheet_closed "Enter on the report page"
    expect_reg "$LAUNCHER_KEY" VisualQualityLvl "dword $QUALITY"

    note "language page"
    open_settings --mouse
    next_page 1
    choose_language
    type_keys "$SHEET" ENTER
    await_sheet_closed "Enter on the language page"
    expect_reg "$ENGINE_KEY" LNG_Language "dword 6"
    quit_launcher
}

# On the report page the list keeps Enter while it has the focus: the sheet stays open, nothing
# is stored, and the list goes on taking keys. Escape there is still the sheet's Cancel.
scenario_input_settings_report_list() {
    launcher_start
    wait_kind launcher
    local before pane
    before=$(stored_settings)
    open_settings --mouse
    edit_quality
    click_page 2
    pane=$(report_pane "$SHEET") || fail "the report page has no info pane"
    mouse_click "$SHEET" $REPORT_LIST --at "$(row_point 2)"
    wait_pane "$pane" "$(item_caption 2)"
    wait_focus "$SHEET" $REPORT_LIST "after a click on a row of the report page"
    type_keys "$SHEET" ENTER,DOWN
    keys_in_open_window "$SHEET" "$pane" "$(item_caption 3)" "Enter with the focus in the report's list"
    expect_eq "$(stored_settings)" "$before" "the stored settings after Enter in the list"
    type_keys "$SHEET" ESC
    await_sheet_closed "Escape in the report's list"
    expect_eq "$(stored_settings)" "$before" "the stored settings after Escape"
    quit_launcher
}

# Escape is the sheet's Cancel on the video and the language page: the edit is thrown away and
# every stored value stays as it was.
scenario_input_settings_escape() {
    launcher_start
    wait_kind launcher
    local before
    before=$(stored_settings)

    note "video page"
    open_settings --mouse
    edit_quality
    type_keys "$SHEET" ESC
    await_sheet_closed "Escape on the video page"
    expect_eq "$(stored_settings)" "$before" "the stored settings after Escape on the video page"

    note "language page"
    open_settings --mouse
    click_page 1
    choose_language
    type_keys "$SHEET" ESC
    await_sheet_closed "Escape on the language page"
    expect_eq "$(stored_settings)" "$before" "the stored settings after Escape on the language page"
    quit_launcher
}
