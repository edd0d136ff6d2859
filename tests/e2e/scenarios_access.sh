# End-to-end scenarios of what a screen reader hears (MSAA, read from the driver's process).
# Sourced by run.sh after scenarios.sh and scenarios_input.sh (REPORT_LIST, item_caption).

# hears HWND [ID]: the object's line and its children's, as the driver prints them.
hears() { drv access "$@" | tr -d '\r'; }

# expect_heard TEXT LINE WHAT: TEXT has a line that starts with LINE.
expect_heard() {
    grep -qF -- "$2" <<<"$1" || fail "$3: a screen reader does not hear '$2'; it hears:
$1"
}

# The report's list reads as an outline with one item per row: caption, value and the verdict
# in words. Down keys (real input) move the selection, and the reader hears the focus and the
# selection follow it. The help link reads as a link named by its text.
scenario_access_report() {
    demand_more_than_machine
    launcher_start /OnlyDetection
    wait_kind report
    local heard cpu memory rows
    heard=$(hears "$WIN" $REPORT_LIST) || fail "the report's list gives a screen reader nothing"
    sed 's/^/  | /' <<<"$heard"
    expect_heard "$heard" "outline name=\"$(window_title "$WIN")\"" "the list"
    expect_heard "$heard" "  1: outline-item name=\"$(lang_text IDS_REQUIREMENT)\" states=expanded,focusable,selectable" \
        "the group row"
    cpu=$(lang_text DET_CPU_NAME)
    expect_heard "$heard" ": outline-item name=\"$cpu\" value=\"" "the processor row"
    memory=$(grep -F "name=\"$(lang_text DET_MEMORY_NAME)\"" <<<"$heard")
    grep -qF "description=\"$(lang_text IDS_REPORT_STATUS_FAILED)\"" <<<"$memory" ||
        fail "the memory row is not heard as below the minimum: $memory"
    rows=$(grep -c ': outline-item ' <<<"$heard")
    expect_eq "$rows" "$(( $(wc -w <<<"$REPORT_ITEM_KEYS") + 1 ))" "rows heard"

    # Row 2 (the first item) clicked, then two Down keys: the reader follows to items 2 and 3.
    mouse_click "$WIN" $REPORT_LIST --at "$(row_point 1)"
    wait_pane "$(report_pane "$WIN")" "$(item_caption 1)"
    local events="$SCEN/events.log" watcher start
    drv access-events "$WIN" $REPORT_LIST --count 4 --timeout 30 >"$events" 2>&1 &
    watcher=$!
    wait_for 20 grep -q '^watching' "$events" || fail "the event watcher did not start: $(cat "$events")"
    type_keys "$WIN" DOWN
    type_keys "$WIN" DOWN
    wait "$watcher" || fail "the reader heard fewer than 4 events: $(cat "$events")"
    sed 's/^/  | /' "$events"
    local heard_events
    heard_events=$(tr -d '\r' <"$events" | awk '$1 != "watching" { sub(/:$/, "", $4); print $1, $4 }')
    # The events come asynchronously: their order between one row's focus and selection is free.
    expect_eq "$(LC_ALL=C sort <<<"$heard_events" | paste -sd' ')" \
        "focus child=3 focus child=4 selection child=3 selection child=4" "events heard on the Down keys"
    grep -q "^focus .*: outline-item name=\"$(item_caption 3)\" .*states=selected,focused," <(tr -d '\r' <"$events") ||
        fail "the focus event does not name the third item as selected and focused"

    heard=$(hears "$WIN" 1043) || fail "the help link gives a screen reader nothing"
    note "help link: $heard"
    expect_heard "$heard" "link name=\"$(lang_text IDS_HELP)\"" "the help link"
    expect_heard "$heard" "action=\"$(lang_text IDS_ACTION_OPEN)\"" "the help link's action"
    heard=$(hears "$WIN" 1028)
    expect_heard "$heard" "push-button name=\"$(lang_text IDS_OK_BUTTON)\"" "the OK button"

    click "$WIN" 1028
    launcher_end
    expect_exit_zero
}

# The settings sheet, in German: the quality slider reads as a slider whose value is the
# quality's name as the page's labels show it, the tab strip as page tabs named by their texts,
# and the actions are named in the player's language.
scenario_access_settings() {
    drv reg-set "$ENGINE_KEY" LNG_Language dword 3 || fail "reg-set"
    launcher_start
    wait_kind launcher
    open_settings
    local heard
    drv slider "$SHEET" 1070 0 || fail "could not move the quality slider"
    heard=$(hears "$SHEET" 1070) || fail "the quality slider gives a screen reader nothing"
    note "slider: $heard"
    expect_heard "$heard" "slider name=\"$(lang_text IDS_VIDEO_SETTING_QUALITY_LABEL DEU)\" value=\"$(lang_text VQL_LOW DEU)\"" \
        "the slider at its lowest"
    drv slider "$SHEET" 1070 3 || fail "could not move the quality slider"
    heard=$(hears "$SHEET" 1070)
    expect_heard "$heard" "value=\"$(lang_text VQL_VERY_HIGH DEU)\"" "the slider at its highest"

    heard=$(hears "$SHEET" 12320) || fail "the tab strip gives a screen reader nothing"
    sed 's/^/  | /' <<<"$heard"
    expect_heard "$heard" "page-tab-list " "the tab strip"
    expect_eq "$(grep -c ': page-tab name=' <<<"$heard")" 3 "tabs heard"
    grep -q '^  1: page-tab .*states=.*selected' <<<"$heard" || fail "the first tab is not heard as selected"
    expect_heard "$heard" "action=\"$(lang_text IDS_ACTION_SWITCH DEU)\"" "a tab's action"

    click "$SHEET" 2
    await_sheet_closed Cancel
    heard=$(hears "$WIN" 3)
    note "settings button: $heard"
    expect_heard "$heard" "push-button name=" "the launcher's settings button"
    expect_heard "$heard" "action=\"$(lang_text IDS_ACTION_PRESS DEU)\"" "the settings button's action"
    quit_launcher
}
