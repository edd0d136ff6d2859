# End-to-end scenarios: one function each, run by run.sh in a fresh prefix where the installer has
# installed the program with the stand-in game ($STAGE is the install folder), with a capable
# adapter.

needs_launcher() { [[ $1 == harness ]] && echo no || echo yes; }

# --- shared steps ---------------------------------------------------------------------------

demand_more_than_machine() { requirements_demand_more "$(requirements_file "$STAGE")" || fail "no requirements file to edit"; }

expect_no_window_shown() {
    [[ -z $(shown_kinds) ]] || fail "a silent run showed windows: $(shown_kinds)"
}

expect_kinds() {  # EXPECTED...: the kinds of window the run showed, in order
    expect_eq "$(shown_kinds)" "$*" "windows shown"
}

expect_no_kind() {  # KIND
    [[ " $(shown_kinds) " != *" $1 "* ]] || fail "a $1 window was shown (windows: $(shown_kinds))"
}

expect_no_game_started() {
    [[ ! -f $GAME_RECORD ]] || fail "the game was started: $(cat "$GAME_RECORD")"
}

expect_reg() {  # KEY NAME EXPECTED
    local value
    value=$(reg_get "$1" "$2") || exit 1
    expect_eq "$value" "$3" "$2 under $1"
}

reg_is() { SEEN=$(reg_get "$1" "$2") && [[ $SEEN == "$3" ]]; }  # KEY NAME VALUE (SEEN: the value)

wait_reg() {  # KEY NAME EXPECTED: the value becomes EXPECTED within 10 s
    wait_for 10 reg_is "$@" || fail "$2 under $1: expected '$3', still '$SEEN' after 10s"
}

# Quit the launcher window that is shown now and check the run ended cleanly.
quit_launcher() {
    click "$WIN" 4
    launcher_end
    expect_exit_zero
}

# The resolution the hardware defaults choose for a pixel budget from the modes Wine offers:
# 640x480, or 800-1920 by 600-1200, first of each size; the largest not above the budget, the
# first of equals; the first mode when none fits.
expected_resolution() {  # BUDGET
    drv modes | tr -d '\r' | awk -v budget="$1" '
        $1 == "current" { next }
        ($1 == 640 && $2 == 480) || ($1 >= 800 && $1 <= 1920 && $2 >= 600 && $2 <= 1200) {
            if (seen[$1 "x" $2]++) next
            if (first == "") first = $1 " " $2
            if ($1 * $2 <= budget && $1 * $2 > best) { best = $1 * $2; choice = $1 " " $2 }
        }
        END { print (choice != "" ? choice : first) }'
}

# The desktop is 1280x1024, not wide, so the budgets are those of a 4:3-or-narrower desktop.
budget_for_class() {  # CLASS
    case "$1" in 0) echo 480000 ;; 1) echo 786432 ;; *) echo 1310720 ;; esac
}

expect_defaults_for_class() {  # CLASS
    local res w h
    res=$(expected_resolution "$(budget_for_class "$1")")
    w=${res% *} h=${res#* }
    expect_reg "$LAUNCHER_KEY" VisualQualityLvl "dword $1"
    expect_reg "$ENGINE_KEY" ScreenResolutionWidth "dword $w"
    expect_reg "$ENGINE_KEY" ScreenResolutionHeight "dword $h"
    expect_reg "$ENGINE_KEY" AspectRatioOverride "dword $((w * 100 / h))"
    # A few rows of the chosen preset column, the ones that differ between every level.
    local terrain=(70 50 30) shader=(50 37 24) draw=(1 6 8)
    expect_reg "$ENGINE_KEY" TerrainGeometryDetails "dword ${terrain[$1]}"
    expect_reg "$ENGINE_KEY" CharacterShaderLODCoefficient "dword ${shader[$1]}"
    expect_reg "$ENGINE_KEY" ShadowDrawDistance "dword ${draw[$1]}"
    expect_reg "$LAUNCHER_KEY" VerticalSync_lvl "dword 0"
    expect_reg "$ENGINE_KEY" VerticalSync "dword 0"
    expect_reg "$LAUNCHER_KEY" AspectRatioOverrideCHKB "dword 0"
    expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 1"
    expect_reg "$LAUNCHER_KEY" LauncherVersion "dword 4"
    expect_reg "$ENGINE_KEY" AlternateVerticalSync "dword $(( $(drv cpus | tr -d '\r') > 1 ? 1 : 0 ))"
    expect_reg "$ENGINE_KEY" AlternateVerticalSyncThreshold "dword 0"
}

# --- the harness itself (runs before the program exists) -------------------------------------

scenario_harness() {
    note "the prefix holds the installed game"
    expect_reg "$TARNHOLM_HKLM" Version "sz 1.0"
    expect_reg "$TARNHOLM_HKLM" InstallDir "sz $GAME_DIR_WIN"
    expect_reg "$TARNHOLM_HKLM" Executable "sz $GAME_DIR_WIN\\Tarnholm.exe"

    note "registry values written, read back and deleted"
    drv reg-set 'HKCU\Software\Velmora\Probe' Number dword 0x421 || fail "reg-set dword"
    drv reg-set 'HKCU\Software\Velmora\Probe' Text sz "a b" || fail "reg-set sz"
    expect_reg 'HKCU\Software\Velmora\Probe' Number "dword 1057"
    expect_reg 'HKCU\Software\Velmora\Probe' Text "sz a b"
    drv reg-del 'HKCU\Software\Velmora\Probe' Number
    expect_reg 'HKCU\Software\Velmora\Probe' Number absent
    drv reg-del 'HKCU\Software\Velmora'
    expect_eq "$(drv reg-key 'HKCU\Software\Velmora' | tr -d '\r')" absent "deleted key"

    note "the stand-in game records how the shell would start it"
    local out
    out=$(drv run --cwd "$GAME_DIR_WIN" "$GAME_DIR_WIN\\Tarnholm.exe" /fullscreen | tr -d '\r')
    expect_eq "$(grep '^exit=' <<<"$out")" "exit=0" "exit code of the stand-in game"
    wait_game_record "$GAME_RECORD"
    expect_eq "$(game_record_value "$GAME_RECORD" directory)" "$GAME_DIR_WIN" "working directory of the game"
    expect_eq "$(game_record_value "$GAME_RECORD" commandline)" "\"$GAME_DIR_WIN\\Tarnholm.exe\" /fullscreen" \
        "command line of the game"

    note "a dialog program driven through the watcher: found by its ids, ended by Escape, then by Quit"
    [[ -f $BARE_DIALOG ]] || fail "missing $BARE_DIALOG"
    mkdir -p "$SCEN/bare"
    cp "$BARE_DIALOG" "$SCEN/bare/Launcher.exe"
    launcher_start --exe "$SCEN/bare/Launcher.exe"
    wait_kind launcher
    expect_eq "$(window_title "$WIN")" "Bare dialog" "title of the dialog"
    expect_eq "$(control_text "$WIN" 3)" "Settings" "text of control 3"
    drv key "$WIN" ESC || fail "key"
    launcher_end 20
    expect_exit_zero
    expect_kinds launcher
    ls "$SHOTS"/run1-*-launcher.png >/dev/null 2>&1 || fail "no screenshot of the dialog was kept"

    launcher_start --exe "$SCEN/bare/Launcher.exe"
    wait_kind launcher
    quit_launcher
}

# --- the switch table -----------------------------------------------------------------------

# No switch, requirements met: the progress window, then the launcher window in English.
scenario_plain_run() {
    launcher_start
    wait_kind launcher
    expect_eq "$(window_title "$WIN")" "$(lang_text IDS_LAUNCHER_TITLE)" "launcher title"
    expect_eq "$(control_text "$WIN" 1024)" "$(lang_text IDS_LAUNCH_BUTTON)" "Launch button"
    expect_eq "$(control_text "$WIN" 3)" "$(lang_text IDS_SETTING_BUTTON)" "Settings button"
    expect_eq "$(control_text "$WIN" 4)" "$(lang_text IDS_QUIT)" "Quit button"
    expect_eq "$(drv mutex "$MUTEX_NAME" | tr -d '\r')" exists "the single-instance mutex while running"
    quit_launcher
    expect_kinds progress launcher
    expect_reg "$LAUNCHER_KEY" ShowDetectionUI absent
    expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 1"
    expect_no_game_started
}

# No switch, failed check: report, then the warning. Box clear: asked again next time; box
# ticked: "ShowDetectionUI" = 0 and later runs go straight to the launcher, as they do for a
# value of any type or content.
scenario_failed_check() {
    demand_more_than_machine

    launcher_start
    wait_kind report
    expect_eq "$(control_text "$WIN" 1037)" "$(lang_text IDS_RESULT_FAILED)" "verdict of the report"
    click "$WIN" 1028
    wait_kind warning
    expect_eq "$(window_title "$WIN")" "" "warning title"
    expect_eq "$(control_text "$WIN" 1104)" "$(lang_text IDS_WARN_SYSTEM_INCOMPATIBLE)" "warning text"
    expect_eq "$(control_text "$WIN" 1103)" "$(lang_text IDS_DO_NOT_SHOW_AGAIN)" "check box label"
    expect_eq "$(control_text "$WIN" 1051)" "$(lang_text IDS_OK_BUTTON)" "OK button"
    click "$WIN" 1051
    wait_kind launcher
    expect_reg "$LAUNCHER_KEY" ShowDetectionUI absent
    quit_launcher

    launcher_start
    pass_report warning
    drv check "$WIN" 1103 1 || fail "could not tick the check box"
    click "$WIN" 1051
    wait_kind launcher
    expect_reg "$LAUNCHER_KEY" ShowDetectionUI "dword 0"
    quit_launcher

    launcher_start
    wait_kind launcher
    quit_launcher
    expect_kinds progress launcher

    drv reg-set "$LAUNCHER_KEY" ShowDetectionUI sz 1 || fail "reg-set"
    launcher_start
    wait_kind launcher
    quit_launcher
    expect_kinds progress launcher
}

# "/ForceDetectionUI": the report always, never the warning (even on a failed check), then the
# launcher window.
scenario_force_detection_ui() {
    demand_more_than_machine
    launcher_start /ForceDetectionUI
    pass_report launcher
    quit_launcher
    expect_no_kind warning
    expect_reg "$LAUNCHER_KEY" ShowDetectionUI absent
}

# "/OnlyDetection", alone and with "/ForceDetectionUI": the report and nothing after it.
scenario_only_detection() {
    demand_more_than_machine
    local switches
    for switches in /OnlyDetection "/ForceDetectionUI /OnlyDetection"; do
        # shellcheck disable=SC2086
        launcher_start $switches
        pass_report ended
        launcher_end
        expect_exit_zero
        expect_no_kind launcher
        expect_no_kind warning
    done
}

# The detected items as the report lists them: Ctrl+C copies the report, which names every
# item with its value and, for judged items, its status.
REPORT_ITEM_KEYS="DET_OS_NAME DET_CPU_NAME DET_CPUS_NAME DET_MEMORY_NAME DET_GPU_NAME DET_VIDMEM_NAME DET_D3D_NAME
DET_DISK_NAME DET_DISPLAY_NAME"

clipboard_filled() { SEEN=$(drv clipboard 2>/dev/null | tr -d '\r') && [[ -n $SEEN ]]; }

copy_report() {  # HWND: the report's text as the clipboard holds it after Ctrl+C
    drv key "$1" ctrl+c --input || fail "could not press Ctrl+C"
    wait_for 10 clipboard_filled || fail "the clipboard holds no report after Ctrl+C"
    echo "$SEEN"
}

pane_is() { SEEN=$(drv text "$1" | tr -d '\r' | head -n 1); [[ $SEEN == "$2" ]]; }  # HWND TITLE

wait_pane() {  # HWND TITLE: the info pane's first line becomes TITLE
    wait_for 10 pane_is "$@" || fail "the info pane shows '$SEEN', expected '$2'"
}

rect_of() { drv rect "$@" | tr -d '\r'; }  # HWND [ID] [--client]: "left top right bottom"

moved() { [[ $(rect_of "$1" "$2") != "$3" ]]; }  # HWND ID RECT: the control is no longer at RECT

outer_size_is() {  # HWND W H (SEEN: "WxH")
    local l t r b
    read -r l t r b <<<"$(rect_of "$1")"
    SEEN="$((r - l))x$((b - t))"
    [[ $SEEN == "$2x$3" ]]
}

wait_outer_size() {  # HWND W H WHAT: the window's outer size becomes W x H
    wait_for 10 outer_size_is "$1" "$2" "$3" || fail "$4: the window is $SEEN, expected $2x$3"
}

# "/OnlyDetection" on a machine below the requirements: the report names every detected item
# with its status, keys on the tree move the selection and the pane follows it, OK ends the run
# with 0 and no launcher.
scenario_report_contents() {
    demand_more_than_machine
    launcher_start /OnlyDetection
    wait_kind report
    expect_eq "$(control_text "$WIN" 1037)" "$(lang_text IDS_RESULT_FAILED)" "verdict text"
    expect_eq "$(control_text "$WIN" 1012)" "$(lang_text IDS_INFO)" "information text"
    expect_eq "$(control_text "$WIN" 1043)" "$(lang_text IDS_HELP)" "help link"
    expect_eq "$(control_text "$WIN" 1028)" "$(lang_text IDS_OK_BUTTON)" "OK button"

    local text key name items=0
    text=$(copy_report "$WIN")
    sed 's/^/  | /' <<<"$text"
    expect_eq "$(head -n 1 <<<"$text")" "$(lang_text IDS_RESULT_FAILED)" "first line of the copied report"
    grep -qxF "$(lang_text IDS_REQUIREMENT)" <<<"$text" || fail "the copied report has no heading"
    for key in $REPORT_ITEM_KEYS; do
        name=$(lang_text "$key")
        grep -qF "$name: " <<<"$text" || fail "the report lists no '$name'"
        items=$((items + 1))
    done
    expect_eq "$(grep -c ': ' <<<"$text")" "$items" "item lines in the copied report"
    grep -F "$(lang_text DET_MEMORY_NAME): " <<<"$text" | grep -qF " - $(lang_text IDS_REPORT_STATUS_FAILED) - " ||
        fail "memory is not reported below the minimum"

    local list pane lines
    list=$(drv find "$WIN" 100 | tr -d '\r') || fail "the report has no tree list"
    pane=$(drv find "$WIN" 65535 | tr -d '\r') || fail "the report has no info pane"
    lines=$(grep ': ' <<<"$text" | sed 's/: .*//')
    wait_pane "$pane" "Your system at a glance"
    drv key "$list" DOWN || fail "key"
    wait_pane "$pane" "$(lang_text IDS_REQUIREMENT)"
    drv key "$list" DOWN || fail "key"
    wait_pane "$pane" "$(head -n 1 <<<"$lines")"
    drv key "$list" END || fail "key"
    wait_pane "$pane" "$(tail -n 1 <<<"$lines")"
    drv key "$list" UP || fail "key"
    wait_pane "$pane" "$(tail -n 2 <<<"$lines" | head -n 1)"
    drv shot "$WIN" "$(winpath "$SCEN/selected.bmp")" && convert "$SCEN/selected.bmp" "$SHOTS/report-en-selected.png"

    click "$WIN" 1028
    launcher_end
    expect_exit_zero
    expect_kinds progress report
}

# Resizing the report: the tree grows with the window, OK keeps its distance to the bottom
# right corner, the help link stays centred, and the window cannot shrink below its first size.
scenario_report_resize() {
    launcher_start /ForceDetectionUI
    wait_kind report
    local l t r b w0 h0
    read -r l t r b <<<"$(rect_of "$WIN")"
    w0=$((r - l)) h0=$((b - t))
    local client0 tree0 ok0 link0
    client0=$(rect_of "$WIN" --client)
    tree0=$(rect_of "$WIN" 101)
    ok0=$(rect_of "$WIN" 1028)
    link0=$(rect_of "$WIN" 1043)
    drv resize "$WIN" $((w0 + 120)) $((h0 + 60)) || fail "could not resize the report"
    wait_outer_size "$WIN" $((w0 + 120)) $((h0 + 60)) "the report after growing it"
    # OK is laid out last: once it has moved, the other controls have too.
    wait_until 10 "OK did not move with the grown report" moved "$WIN" 1028 "$ok0"
    local client1 tree1 ok1 link1
    client1=$(rect_of "$WIN" --client)
    tree1=$(rect_of "$WIN" 101)
    ok1=$(rect_of "$WIN" 1028)
    link1=$(rect_of "$WIN" 1043)
    drv shot "$WIN" "$(winpath "$SCEN/resized.bmp")" && convert "$SCEN/resized.bmp" "$SHOTS/report-resized.png"
    local cr0 cb0 cr1 cb1
    read -r _ _ cr0 cb0 <<<"$client0"
    read -r _ _ cr1 cb1 <<<"$client1"
    local dx=$((cr1 - cr0)) dy=$((cb1 - cb0))
    expect_eq "$dx $dy" "120 60" "growth of the client area"
    local a b2 c d a1 b1 c1 d1
    read -r a b2 c d <<<"$tree0"
    read -r a1 b1 c1 d1 <<<"$tree1"
    expect_eq "$((c1 - a1)) $((d1 - b1))" "$((c - a + dx)) $((d - b2 + dy))" "size of the tree"
    read -r a b2 c d <<<"$ok0"
    read -r a1 b1 c1 d1 <<<"$ok1"
    expect_eq "$a1 $b1 $((c1 - a1))" "$((a + dx)) $((b2 + dy)) $((c - a))" "place and width of OK"
    read -r a b2 c d <<<"$link0"
    read -r a1 b1 c1 d1 <<<"$link1"
    local want=$(((a + c) / 2 + cr1 / 2 - cr0 / 2)) got=$(((a1 + c1) / 2))
    (( got - want <= 1 && want - got <= 1 )) || fail "the help link is not centred: $got, expected $want"
    expect_eq "$b1" "$((b2 + dy))" "top of the help link"

    drv resize "$WIN" 100 100 || fail "could not resize the report"
    wait_outer_size "$WIN" "$w0" "$h0" "the report's smallest size"

    click "$WIN" 1028
    wait_kind launcher
    quit_launcher
}

# The report in German: verdict, link and the copied report's status words.
scenario_report_german() {
    demand_more_than_machine
    drv reg-set "$ENGINE_KEY" LNG_Language dword 3 || fail "reg-set"
    launcher_start /OnlyDetection
    wait_kind report
    expect_eq "$(control_text "$WIN" 1037)" "$(lang_text IDS_RESULT_FAILED DEU)" "German verdict"
    expect_eq "$(control_text "$WIN" 1043)" "$(lang_text IDS_HELP DEU)" "German help link"
    local text list
    text=$(copy_report "$WIN")
    grep -F "$(lang_text DET_MEMORY_NAME DEU): " <<<"$text" | grep -qF " - $(lang_text IDS_REPORT_STATUS_FAILED DEU) - " ||
        fail "memory is not reported below the minimum in German: $text"
    list=$(drv find "$WIN" 100 | tr -d '\r') || fail "the report has no tree list"
    drv key "$list" DOWN,DOWN,DOWN || fail "key"
    # Down to the group row, its first item, its second.
    wait_pane "$(drv find "$WIN" 65535 | tr -d '\r')" "$(grep ': ' <<<"$text" | sed 's/: .*//' | sed -n 2p)"
    drv shot "$WIN" "$(winpath "$SCEN/selected.bmp")" && convert "$SCEN/selected.bmp" "$SHOTS/report-de-selected.png"
    click "$WIN" 1028
    launcher_end
    expect_exit_zero
}

# "/silent" alone, with the other switches and as the start of a longer word: no window at all,
# defaults refreshed. The match is case-sensitive: "/SILENT" is no switch.
scenario_silent() {
    demand_more_than_machine
    local switches
    for switches in /silent "/ForceDetectionUI /silent /OnlyDetection" /silently; do
        # shellcheck disable=SC2086
        launcher_start $switches
        launcher_end
        expect_exit_zero
        expect_no_window_shown
    done
    expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 1"
    expect_reg "$LAUNCHER_KEY" ShowDetectionUI absent

    launcher_start /SILENT
    pass_report warning
    click "$WIN" 1051
    wait_kind launcher
    quit_launcher
}

# --- hardware defaults on a clean profile ---------------------------------------------------

silent_run() {
    launcher_start /silent
    launcher_end
}

# A low-class adapter (GeForce 8500 GT) with 128 MB: level 0, 800x600 when offered, low textures.
# Stored defaults are kept on later runs.
scenario_hardware_defaults_low() {
    set_adapter 0x10de 0x0421 128
    launcher_start /silent
    launcher_end
    expect_exit_zero
    expect_defaults_for_class 0
    expect_reg "$LAUNCHER_KEY" Texture_lvl "dword 0"
    expect_reg "$ENGINE_KEY" DegradedTextures "dword 1"

    drv reg-set "$LAUNCHER_KEY" VisualQualityLvl dword 3 || fail "reg-set"
    launcher_start /silent
    launcher_end
    expect_reg "$LAUNCHER_KEY" VisualQualityLvl "dword 3"
}

# A high-class adapter (GeForce 8800 GTX) with 768 MB: level 2, full textures. Wine's Direct3D
# only reports adapters it knows, and it knows none of the medium class, so the medium branch is
# covered by the unit tests. The processors here score far below the 1.0 limit at rest; the class
# is the smaller of the adapter's and the processor's, so the run measures with any load paused.
scenario_hardware_defaults_high() {
    set_adapter 0x10de 0x0191 768
    load_paused silent_run
    expect_exit_zero
    expect_defaults_for_class 2
    expect_reg "$LAUNCHER_KEY" Texture_lvl "dword 1"
    expect_reg "$ENGINE_KEY" DegradedTextures "dword 0"
}

# --- the launcher window --------------------------------------------------------------------

# Starts the launcher, clicks Launch and expects the game's first start: "Executable" with
# "/fullscreen", in "InstallDir".
launch_and_expect_game() {
    launcher_start
    wait_kind launcher
    click "$WIN" 1024
    launcher_end
    expect_exit_zero
    wait_game_record "$GAME_RECORD" 1
    expect_eq "$(game_record_value "$GAME_RECORD" commandline)" "\"$GAME_DIR_WIN\\Tarnholm.exe\" /fullscreen" \
        "command line of the game"
    expect_eq "$(game_record_value "$GAME_RECORD" directory)" "$GAME_DIR_WIN" "working directory of the game"
}

# Launch starts "Executable" with "/fullscreen" in "InstallDir", by click and by Enter.
scenario_launch() {
    launch_and_expect_game
    local game
    game=$(drv wait --exe Tarnholm.exe --timeout 20 | cut -d' ' -f1) || fail "the game shows no window"
    drv shot "$game" "$(winpath "$SCEN/game.bmp")" && convert "$SCEN/game.bmp" "$SHOTS/game.png"

    launcher_start
    wait_kind launcher
    drv key "$WIN" ENTER || fail "key"
    launcher_end
    expect_exit_zero
    wait_game_record "$GAME_RECORD" 2
    expect_eq "$(game_record_value "$GAME_RECORD" commandline 2)" "\"$GAME_DIR_WIN\\Tarnholm.exe\" /fullscreen" \
        "command line of the game started by Enter"
}

# A 32-bit installer on 64-bit Windows writes its record into the 32-bit registry view only: the
# launcher still starts the game from that record and keeps the settings under its version.
scenario_launch_32bit_installer_record() {
    drv reg-del "$TARNHOLM_HKLM" || fail "reg-del"
    local name value
    for name in Version InstallDir Executable; do
        case $name in
            Version) value=2.5 ;;
            InstallDir) value="$GAME_DIR_WIN" ;;
            Executable) value="$GAME_DIR_WIN\\Tarnholm.exe" ;;
        esac
        wine reg add "$TARNHOLM_HKLM" /v "$name" /t REG_SZ /d "$value" /reg:32 /f >"$SCEN/reg.log" 2>&1 ||
            fail "reg add /reg:32 $name"
    done
    local in64
    in64=$(reg_get "$TARNHOLM_HKLM" Version)
    [[ $in64 == absent* ]] || fail "the record is still in the 64-bit view: $in64"
    launch_and_expect_game
    expect_reg 'HKCU\Software\Velmora\Tarnholm\2.5\Launcher' LauncherVersion "dword 4"
}

# Without "Executable" the game is the current directory's Ostrel_Release_Win32.exe, started
# there.
scenario_launch_fallback() {
    drv reg-del "$TARNHOLM_HKLM" Executable || fail "reg-del"
    local cwd="$SCEN/current dir"
    mkdir -p "$cwd"
    cp "$FAKEGAME" "$cwd/Ostrel_Release_Win32.exe"
    launcher_start --cwd "$cwd"
    wait_kind launcher
    click "$WIN" 1024
    launcher_end
    expect_exit_zero
    wait_game_record "$cwd/started.txt"
    expect_eq "$(game_record_value "$cwd/started.txt" directory)" "$(winpath "$cwd")" "working directory of the game"
    expect_eq "$(game_record_value "$cwd/started.txt" module)" "$(winpath "$cwd")\\Ostrel_Release_Win32.exe" \
        "the game started"
    [[ $(game_record_value "$cwd/started.txt" commandline) == *" /fullscreen" ]] || fail "no /fullscreen"
    expect_no_game_started
}

# Escape and Quit both end the run, without starting the game.
scenario_escape_and_quit() {
    launcher_start
    wait_kind launcher
    drv key "$WIN" ESC || fail "key"
    launcher_end
    expect_exit_zero
    expect_kinds progress launcher

    launcher_start
    wait_kind launcher
    quit_launcher
    expect_no_game_started
}

# --- start-up failures ----------------------------------------------------------------------

# Without local.dll beside the program: the "Error" box and nothing else, no mutex, no registry
# key. A local.dll in the current directory is not picked up instead.
scenario_missing_local_dll() {
    rm -f "$STAGE/local.dll"
    local cwd="$SCEN/planted"
    mkdir -p "$cwd"
    cp "$E2E_STAGE_SRC/local.dll" "$cwd/"
    launcher_start --cwd "$cwd"
    wait_kind box
    expect_eq "$(window_title "$WIN")" "Error" "caption of the box"
    expect_eq "$(box_text "$WIN")" "Unable to load local.dll" "text of the box"
    expect_eq "$(drv mutex "$MUTEX_NAME" | tr -d '\r')" absent "the mutex while the box is shown"
    expect_eq "$(drv reg-key 'HKCU\Software\Velmora' | tr -d '\r')" absent "the per-user key while the box is shown"
    click "$WIN" 1
    launcher_end
    expect_exit_zero
    expect_kinds box
    expect_eq "$(drv reg-key 'HKCU\Software\Velmora' | tr -d '\r')" absent "the per-user key after the run"
}

# A second instance ends at once with code 0 and shows nothing; the first runs on.
scenario_second_instance() {
    launcher_start
    wait_kind launcher
    local first=$WIN rc
    (cd "$STAGE" && timeout 60 wine "$STAGE/Launcher.exe") >"$SCEN/second.log" 2>&1
    rc=$?
    expect_eq "$rc" 0 "exit code of the second instance"
    local pids
    pids=$(awk '$1 == "shown" { for (i = 1; i <= NF; i++) if ($i ~ /^pid=/) print $i }' "$WATCH_LOG" | sort -u | wc -l)
    expect_eq "$pids" 1 "processes that showed windows"
    drv text "$first" >/dev/null || fail "the first instance's window is gone"
    WIN=$first
    quit_launcher
}

# A requirements file the library cannot read: the "IDS_CHECKLOG" box captioned "IDS_ERROR",
# after the progress window has gone, and no launcher window.
scenario_broken_requirements() {
    requirements_break "$(requirements_file "$STAGE")" || fail "no requirements file to break"
    launcher_start
    wait_kind box
    expect_eq "$(window_title "$WIN")" "$(lang_text IDS_ERROR)" "caption of the box"
    expect_eq "$(box_text "$WIN")" "$(lang_text IDS_CHECKLOG)" "text of the box"
    [[ -z $(drv windows --exe Launcher.exe --ids 1026) ]] || fail "the progress window is still shown"
    click "$WIN" 1
    launcher_end
    expect_exit_zero
    expect_no_kind launcher
}

# The language file follows the stored engine language: 3 is German.
scenario_language_file() {
    [[ -f $STAGE/localization/DEU/interpreter_local.ini ]] || fail "no German language file staged"
    drv reg-set "$ENGINE_KEY" LNG_Language dword 3 || fail "reg-set"
    launcher_start
    wait_kind launcher
    expect_eq "$(window_title "$WIN")" "$(lang_text IDS_LAUNCHER_TITLE DEU)" "launcher title in German"
    expect_eq "$(control_text "$WIN" 1024)" "$(lang_text IDS_LAUNCH_BUTTON DEU)" "Launch button in German"
    quit_launcher
}
