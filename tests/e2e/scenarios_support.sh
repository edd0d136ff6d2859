# End-to-end scenarios of what a support desk asks for and of the paths that must not report a
# success that did not happen: the system check as a file (/Report and the report's "Save
# report…"), settings the registry refuses, and the installer over an installed copy or while the
# launcher runs. Sourced by run.sh after scenarios.sh and scenarios_install.sh.

E2E_PREFIX_KIND[install_over_installed]=bare
E2E_PREFIX_KIND[install_while_running]=bare

# --- shared steps ---------------------------------------------------------------------------

# A text as the driver prints window texts: backslashes and quotes escaped, line breaks as \r, \n.
driver_escaped() {  # TEXT
    local text="$1"
    text=${text//\\/\\\\}
    text=${text//\"/\\\"}
    text=${text//$'\r'/\\r}
    text=${text//$'\n'/\\n}
    printf '%s' "$text"
}

# The file's text without its byte-order mark and carriage returns.
report_file_text() { sed -e '1s/^\xEF\xBB\xBF//' -e 's/\r$//' "$1"; }  # FILE

# The report file as a support desk gets it: UTF-8 with a byte-order mark, CR LF after every line
# and nothing else, the header (title, this launcher's version, the game's version and folder as
# the installer recorded them, today's date), a blank line, then the report: the verdict, the
# requirements heading and one line per detected item, all in the language of LANG-DIR.
expect_report_file() {  # FILE LANG-DIR
    local file="$1" lang="$2" text crs lfs version
    [[ -f $file ]] || fail "no report file $file"
    expect_eq "$(head -c 3 "$file" | xxd -p)" efbbbf "the file's first bytes (byte-order mark)"
    iconv -f UTF-8 -t UTF-8 "$file" >/dev/null 2>&1 || fail "the report file is not UTF-8"
    crs=$(tr -cd '\r' <"$file" | wc -c)
    lfs=$(tr -cd '\n' <"$file" | wc -c)
    expect_eq "$crs" "$lfs" "carriage returns and line feeds in the file"
    expect_eq "$(grep -c $'\r$' "$file")" "$lfs" "lines ending with CR LF"
    expect_eq "$(tail -c 2 "$file" | xxd -p)" 0d0a "the file's last bytes"
    text=$(report_file_text "$file")
    sed 's/^/  | /' <<<"$text" | head -n 20
    version=$(python3 "$E2E_ROOT/tests/e2e/peversion.py" "$STAGE/Launcher.exe" | sed -n "s/^FileVersion(fixed)=//p")
    expect_eq "$(sed -n 1p <<<"$text")" "$(lang_text IDS_REPORT_TITLE "$lang")" "title of the report file"
    expect_eq "$(sed -n 2p <<<"$text")" "$(lang_text IDS_REPORT_PROGRAM_VERSION "$lang"): $version" "launcher version line"
    expect_eq "$(sed -n 3p <<<"$text")" "$(lang_text IDS_REPORT_GAME_VERSION "$lang"): 1.0" "game version line"
    expect_eq "$(sed -n 4p <<<"$text")" "$(lang_text IDS_REPORT_GAME_FOLDER "$lang"): $GAME_DIR_WIN" "game folder line"
    local when
    when=$(sed -n 5p <<<"$text")
    [[ $when =~ ^"$(lang_text IDS_REPORT_DATE "$lang"): "([0-9]{4}-[0-9]{2}-[0-9]{2})\ [0-9]{2}:[0-9]{2}:[0-9]{2}\ UTC[+-][0-9]{2}:[0-9]{2}$ ]] ||
        fail "date line: '$when'"
    [[ ${BASH_REMATCH[1]} == "$(date +%Y-%m-%d)" || ${BASH_REMATCH[1]} == "$(date -d yesterday +%Y-%m-%d)" ]] ||
        fail "the report's date ${BASH_REMATCH[1]} is not today"
    expect_eq "$(sed -n 6p <<<"$text")" "" "blank line after the header"
    REPORT_BODY=$(sed -n '7,$p' <<<"$text")
    local verdict key
    verdict=$(sed -n 1p <<<"$REPORT_BODY")
    for key in IDS_RESULT_IDEAL IDS_RESULT_SUFFICIENT IDS_RESULT_FAILED ''; do
        [[ -z $key ]] && fail "the verdict '$verdict' is none of the verdicts of $lang"
        [[ $verdict == "$(lang_text "$key" "$lang")" ]] && { REPORT_VERDICT=$key; break; }
    done
    expect_eq "$(sed -n 3p <<<"$REPORT_BODY")" "$(lang_text IDS_REQUIREMENT "$lang")" "heading of the report"
    local items=0
    for key in $REPORT_ITEM_KEYS; do
        grep -qF "$(lang_text "$key" "$lang"): " <<<"$REPORT_BODY" || fail "the file lists no '$(lang_text "$key" "$lang")'"
        items=$((items + 1))
    done
    expect_eq "$(sed -n '4,$p' <<<"$REPORT_BODY" | wc -l)" "$items" "item lines in the report file"
}

# Every stored setting of both keys with the default marker (what a first run stores).
stored_with_marker() {
    { drv reg-list "$ENGINE_KEY"; drv reg-list "$LAUNCHER_KEY"; } | tr -d '\r' | sort
}

# --- /Report --------------------------------------------------------------------------------

# A support desk's request on a player's first start, in English: "/Report" with a relative name
# (with spaces, in a folder whose name is not ASCII) writes the file there, replacing an older
# one whole, shows no window and exits with 0; the first-run defaults are exactly what "/silent"
# stores. (A low-class adapter decides the hardware class whatever the processor benchmark
# measures, so that two runs choose the same defaults.)
scenario_report_file() {
    set_adapter 0x10de 0x0421 128
    local folder="$SCEN/prefix/drive_c/Support Desk/Tårnholm" name="Tarnholm system check.txt"
    mkdir -p "$folder"
    head -c 200000 /dev/zero | tr '\0' 'x' >"$folder/$name"
    launcher_start --cwd "$folder" /Report "$name"
    launcher_end
    expect_exit_zero
    expect_no_window_shown
    expect_report_file "$folder/$name" EN
    expect_eq "$(ls -A "$folder")" "$name" "files in the folder (no temporary file left)"
    expect_reg "$LAUNCHER_KEY" ShowDetectionUI absent
    local after_report
    after_report=$(stored_with_marker)
    expect_defaults_for_class 0

    note "the same first run with /silent stores the same"
    drv reg-del 'HKCU\Software\Velmora' || fail "reg-del"
    launcher_start /silent
    launcher_end
    expect_exit_zero
    expect_eq "$(stored_with_marker)" "$after_report" "what /silent stores, against what /Report stored"

    note "a longer word holding /Report counts, as /silently counts as /silent"
    launcher_start --cwd "$folder" /Reporting other.txt
    launcher_end
    expect_exit_zero
    expect_no_window_shown
    expect_report_file "$folder/other.txt" EN
}

# The same in Spanish on a machine below the requirements: the verdict, the heading, the items and
# their words are Spanish, memory below the minimum among them.
scenario_report_file_spanish() {
    demand_more_than_machine
    drv reg-set "$ENGINE_KEY" LNG_Language dword 5 || fail "reg-set"
    local file="$SCEN/informe.txt"
    launcher_start /Report "$(winpath "$file")"
    launcher_end
    expect_exit_zero
    expect_no_window_shown
    expect_report_file "$file" ESM
    expect_eq "$REPORT_VERDICT" IDS_RESULT_FAILED "verdict of a machine below the requirements"
    grep -F "$(lang_text DET_MEMORY_NAME ESM): " <<<"$REPORT_BODY" | grep -qF " - $(lang_text IDS_REPORT_STATUS_FAILED ESM) - " ||
        fail "memory is not reported below the minimum in Spanish"
    expect_reg "$LAUNCHER_KEY" ShowDetectionUI absent
}

# Where the file cannot be written: into a missing folder with /silent, exit code 1, no file, no
# folder made and no window; without /silent the same with a message box naming the file and
# the reason. A read-only file stays as it was, and so does an older report on a full disk. A missing file argument: a message (none with
# /silent), exit code 1 and nothing else run, not even the settings' keys made. A launcher that
# is open: exit 1, the message says so.
scenario_report_file_refused() {
    local missing='C:\no such folder\report.txt'
    launcher_start /silent /Report "$missing"
    launcher_end
    expect_eq "$LAUNCHER_RC" 1 "exit code of /Report into a missing folder"
    expect_no_window_shown
    [[ ! -e "$SCEN/prefix/drive_c/no such folder" ]] || fail "the missing folder was made"

    note "without /silent: the message names the file and the reason"
    launcher_start /Report "$missing"
    wait_kind box
    expect_eq "$(window_title "$WIN")" "$(lang_text IDS_ERROR)" "caption of the message"
    local text
    text=$(box_text "$WIN")
    expect_eq "$text" "$(driver_escaped "$(lang_text IDS_REPORT_NOT_SAVED)"$'\r\n'"$missing"$'\r\n\r\n'"$(lang_text IDS_REPORT_REASON_FOLDER)")" \
        "text of the message"
    click "$WIN" 1
    launcher_end
    expect_eq "$LAUNCHER_RC" 1 "exit code after the message"
    expect_kinds box

    note "a read-only file is left as it was"
    local file="$SCEN/prefix/drive_c/readonly.txt"
    echo "the desk's old report" >"$file"
    chmod a-w "$file"
    launcher_start /silent /Report 'C:\readonly.txt'
    launcher_end
    expect_eq "$LAUNCHER_RC" 1 "exit code of /Report onto a read-only file"
    expect_eq "$(cat "$file")" "the desk's old report" "the read-only file"
    expect_eq "$(ls "$SCEN/prefix/drive_c" | grep -c '^readonly.txt')" 1 "files beside the read-only one"

    note "a full disk: the older report there stays whole"
    local small="$E2E_WORK/report-small-drive" left kept
    mountpoint -q "$small" && umount "$small"
    mkdir -p "$small"
    if mount -t tmpfs -o size=256k tmpfs "$small" 2>/dev/null; then
        echo "the desk's old report" >"$small/report.txt"
        head -c 1M /dev/zero >"$small/filler" 2>/dev/null
        ln -sfn "$small" "$SCEN/prefix/dosdevices/t:"
        launcher_start /Report 'T:\report.txt'
        wait_kind box
        text=$(box_text "$WIN")
        click "$WIN" 1
        launcher_end
        left=$(ls -A "$small" | paste -sd' ')
        kept=$(cat "$small/report.txt")
        umount "$small"
        expect_eq "$LAUNCHER_RC" 1 "exit code of /Report onto a full disk"
        expect_eq "$text" "$(driver_escaped "$(lang_text IDS_REPORT_NOT_SAVED)"$'\r\n''T:\report.txt'$'\r\n\r\n'"$(lang_text IDS_REPORT_REASON_DISK_FULL)")" \
            "text of the message"
        expect_eq "$left" "filler report.txt" "files on the full disk (no temporary file left)"
        expect_eq "$kept" "the desk's old report" "the older report on the full disk"
    else
        note "SKIPPED STEP: no small drive can be mounted here (mount -t tmpfs needs the right to mount)"
        echo "no small drive can be mounted here" >>"${E2E_SKIPS:-/dev/null}"
    fi

    note "no file named: nothing runs"
    drv reg-del 'HKCU\Software\Velmora'
    launcher_start /silent /Report
    launcher_end
    expect_eq "$LAUNCHER_RC" 1 "exit code of /silent /Report without a file"
    expect_no_window_shown
    launcher_start /Report
    wait_kind box
    expect_eq "$(box_text "$WIN")" "$(driver_escaped "$(lang_text IDS_REPORT_MISSING_FILE)")" "text of the message"
    expect_eq "$(drv mutex "$MUTEX_NAME" | tr -d '\r')" absent "the mutex while the message is shown"
    click "$WIN" 1
    launcher_end
    expect_eq "$LAUNCHER_RC" 1 "exit code of /Report without a file"
    expect_kinds box
    expect_eq "$(drv reg-key 'HKCU\Software\Velmora' | tr -d '\r')" absent "the per-user key after /Report without a file"

    note "an open launcher: the report waits for it to be closed"
    launcher_start
    wait_kind launcher
    local first=$WIN out
    out=$(drv run --cwd "$GAME_DIR_WIN" "$GAME_DIR_WIN\\Launcher.exe" /silent /Report 'C:\while open.txt' | tr -d '\r')
    expect_eq "$(grep '^exit=' <<<"$out")" "exit=1" "exit code of /Report while the launcher is open"
    [[ ! -e "$SCEN/prefix/drive_c/while open.txt" ]] || fail "a report was written while the launcher was open"
    (cd "$STAGE" && exec wine "$STAGE/Launcher.exe" /Report 'C:\while open.txt') >"$SCEN/second.log" 2>&1 &
    local second=$! box
    box=$(drv wait --exe Launcher.exe --class '#32770' --title "$(lang_text IDS_ERROR)" --timeout 30 | cut -d' ' -f1) ||
        fail "no message from the second start"
    text=$(box_text "$box")
    [[ $text == *"$(driver_escaped "$(lang_text IDS_REPORT_REASON_RUNNING)")"* ]] || fail "message: '$text'"
    click "$box" 1
    wait "$second"
    expect_eq "$?" 1 "exit code of the second start"
    WIN=$first
    quit_launcher
}

# --- Save report… -----------------------------------------------------------------------------

# The report's Ctrl+S and its context menu's "Save report…" open the standard save dialog in the
# Documents folder, offering "Tarnholm system check.txt"; the file written is the header and
# exactly the text that Copy report gives. Saving over the file asks first and then replaces it;
# Cancel writes nothing; a file that cannot be replaced is named in a message and the report stays.
# The program writes the file after the save dialog has returned: wait for it to be there, no
# longer the older report the scenario put in its place, and no temporary file beside it (the
# program writes "FILE.<pid>-<n>.tmp" and renames it over FILE as its last step).
saved_report_written() {  # FILE
    local temporary
    [[ -s $1 ]] && ! grep -q '^an older report' "$1" || return 1
    temporary=$(compgen -G "$1.*.tmp") && return 1
    return 0
}
await_saved_report() {  # FILE
    wait_until 15 "no saved report in $1" saved_report_written "$1"
}

scenario_report_save_dialog() {
    launcher_start /ForceDetectionUI
    wait_kind report
    local report=$WIN copied dialog folder="$SCEN/saved" target
    mkdir -p "$folder"
    target="$(winpath "$folder")\\Tarnholm system check.txt"
    copied=$(copy_report "$report")

    note "Ctrl+S"
    drv key "$report" ctrl+s --input || fail "could not press Ctrl+S"
    dialog=$(drv wait --exe Launcher.exe --ids 1148,1,2 --timeout 20 | cut -d' ' -f1) || fail "no save dialog after Ctrl+S"
    # The dialog fills its name box and folder list after it is shown.
    wait_until 20 "the save dialog does not offer the report's name" control_is "$dialog" 1148 "Tarnholm system check.txt"
    drv shot "$dialog" "$(winpath "$SCEN/dialog.bmp")" && convert "$SCEN/dialog.bmp" "$SHOTS/save-dialog.png"
    expect_eq "$(control_text "$dialog" 1137)" "Documents" "the folder the dialog opens in"
    drv save-as "$dialog" "$target" || fail "could not save through the dialog"
    drv wait --exe Launcher.exe --ids 1148,1,2 --gone --timeout 20 >/dev/null || fail "the save dialog stayed open"
    await_saved_report "$folder/Tarnholm system check.txt"
    expect_report_file "$folder/Tarnholm system check.txt" EN
    expect_eq "$REPORT_BODY" "$copied" "the saved report against the copied one"

    note "the context menu's second entry, over the saved file"
    echo "an older report" >"$folder/Tarnholm system check.txt"
    drv context-menu "$report" 100 --shot "$(winpath "$SCEN/menu.bmp")" --choose 2 >/dev/null ||
        fail "no context menu on the report's list"
    convert "$SCEN/menu.bmp" "$SHOTS/report-menu.png"
    dialog=$(drv wait --exe Launcher.exe --ids 1148,1,2 --timeout 20 | cut -d' ' -f1) || fail "no save dialog from the menu"
    drv save-as "$dialog" "$target" || fail "could not save through the dialog"
    local ask
    ask=$(drv wait --exe Launcher.exe --ids 6,7 --timeout 20 | cut -d' ' -f1) || fail "no question before replacing the file"
    click "$ask" 6
    drv wait --exe Launcher.exe --ids 1148,1,2 --gone --timeout 20 >/dev/null || fail "the save dialog stayed open"
    await_saved_report "$folder/Tarnholm system check.txt"
    expect_report_file "$folder/Tarnholm system check.txt" EN
    expect_eq "$REPORT_BODY" "$copied" "the replaced report against the copied one"
    expect_eq "$(ls -A "$folder")" "Tarnholm system check.txt" "files in the folder"

    note "Cancel writes nothing"
    drv key "$report" ctrl+s --input || fail "could not press Ctrl+S"
    dialog=$(drv wait --exe Launcher.exe --ids 1148,1,2 --timeout 20 | cut -d' ' -f1) || fail "no save dialog"
    click "$dialog" 2
    drv wait --exe Launcher.exe --ids 1148,1,2 --gone --timeout 20 >/dev/null || fail "the save dialog stayed open"
    expect_eq "$(ls -A "$folder")" "Tarnholm system check.txt" "files in the folder after Cancel"

    note "a read-only file: the message names it and why, the report stays"
    chmod a-w "$folder/Tarnholm system check.txt"
    drv key "$report" ctrl+s --input || fail "could not press Ctrl+S"
    dialog=$(drv wait --exe Launcher.exe --ids 1148,1,2 --timeout 20 | cut -d' ' -f1) || fail "no save dialog"
    drv save-as "$dialog" "$target" || fail "could not save through the dialog"
    ask=$(drv wait --exe Launcher.exe --ids 6,7 --timeout 20 | cut -d' ' -f1) || fail "no question before replacing the file"
    click "$ask" 6
    local box text
    box=$(drv wait --exe Launcher.exe --class '#32770' --title "$(lang_text IDS_ERROR)" --timeout 20 | cut -d' ' -f1) ||
        fail "no message about the read-only file"
    text=$(box_text "$box")
    expect_eq "$text" "$(driver_escaped "$(lang_text IDS_REPORT_NOT_SAVED)"$'\r\n'"$target"$'\r\n\r\n'"$(lang_text IDS_REPORT_REASON_ACCESS)")" \
        "text of the message"
    click "$box" 1
    drv text "$report" >/dev/null || fail "the report closed"
    [[ $(report_file_text "$folder/Tarnholm system check.txt" | sed -n 7,\$p) == "$copied" ]] ||
        fail "the read-only file changed"

    click "$report" 1028
    wait_kind launcher
    quit_launcher
}

# --- settings the registry refuses -------------------------------------------------------------

# The Engine key refuses writes (its security descriptor lets everyone read and no one write): OK
# on the sheet shows the message, the sheet stays open with the edit shown, and nothing is
# stored; with the key writable again, OK stores the edit and closes the sheet. A silent run
# with the refusing key over stored settings has nothing to store: silent, exit code 0.
scenario_settings_save_refused() {
    launcher_start
    wait_kind launcher
    local before res combo
    before=$(stored_settings)
    drv reg-lock "$ENGINE_KEY" || fail "could not make the Engine key refuse writes"
    open_settings
    res=$(other_resolution)
    drv select "$SHEET" 1104 "$res" || fail "no item $res in the resolution list"
    click "$SHEET" 1
    local box
    box=$(drv wait --exe Launcher.exe --class '#32770' --title "$(lang_text IDS_ERROR)" --timeout 20 | cut -d' ' -f1) ||
        fail "no message after OK on settings that could not be saved"
    drv shot "$box" "$(winpath "$SCEN/box.bmp")" && convert "$SCEN/box.bmp" "$SHOTS/settings-not-saved.png"
    expect_eq "$(box_text "$box")" "$(driver_escaped "$(lang_text IDS_SETTINGS_NOT_SAVED)")" "text of the message"
    click "$box" 1
    drv wait --exe Launcher.exe --class '#32770' --title "$(lang_text IDS_ERROR)" --gone --timeout 10 >/dev/null ||
        fail "the message stayed"
    drv wait --ids 12321 --exe Launcher.exe --timeout 5 >/dev/null || fail "the sheet closed after the failed OK"
    combo=$(drv find "$SHEET" 1104 | tr -d '\r') || fail "no resolution list"
    expect_eq "$(drv text "$combo" | tr -d '\r')" "$res" "the resolution the sheet shows after the message"
    expect_eq "$(stored_settings | grep -v '^LNG_\|_lvl=\|VisualQualityLvl\|AspectRatioOverrideCHKB')" \
        "$(grep -v '^LNG_\|_lvl=\|VisualQualityLvl\|AspectRatioOverrideCHKB' <<<"$before")" "the Engine key's values"
    [[ $(reg_get "$ENGINE_KEY" ScreenResolutionWidth | tr -d '\r') != "dword ${res%x*}" ]] ||
        fail "the refused resolution was stored"

    note "the key takes writes again: OK stores the edit"
    drv reg-unlock "$ENGINE_KEY" || fail "could not unlock the Engine key"
    click "$SHEET" 1
    await_sheet_closed OK
    expect_reg "$ENGINE_KEY" ScreenResolutionWidth "dword ${res%x*}"
    expect_reg "$ENGINE_KEY" ScreenResolutionHeight "dword ${res#*x}"
    quit_launcher
    expect_kinds progress launcher settings box

    note "a silent run with a refusing key shows nothing"
    drv reg-lock "$ENGINE_KEY" || fail "could not lock the Engine key"
    launcher_start /silent
    launcher_end
    expect_exit_zero
    expect_no_window_shown
    drv reg-unlock "$ENGINE_KEY"
}

# --- the installer, the second time -------------------------------------------------------------

UNINSTALL_ROOT='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# The player's settings as a file (reg export writes UTF-16: compared byte for byte).
export_settings() {  # FILE
    wine reg export 'HKCU\Software\Velmora' "$(winpath "$1")" /y >/dev/null 2>&1 || fail "reg export"
}

# Uninstall entries named Tarnholm, in both registry views.
tarnholm_entries() {
    { drv reg-keys "$UNINSTALL_ROOT"; drv reg-keys "$UNINSTALL_ROOT" --view 32; } | tr -d '\r' | grep -c $'\tTarnholm$'
}

# Installed, played, then installed again: once with the same version, once over a copy that
# says it is older (its record, its entry and its program). Each time the program's files are the
# new ones, the record and the entry say 1.0 (an older entry's leftover values gone), there is
# exactly one entry, and the player's settings are byte for byte what they were.
scenario_install_over_installed() {
    local dir='C:\Program Files\Velmora\Tarnholm' unixdir
    unixdir=$(unixpath "$dir")
    timed_install
    expect_eq "$INSTALL_RC" 0 "exit code of the first install"
    launch_from_shortcut "$START_MENU_LINK"
    drv reg-set "$ENGINE_KEY" LNG_Language dword 4 || fail "reg-set"
    drv reg-set "$LAUNCHER_KEY" ShowDetectionUI dword 0 || fail "reg-set"
    export_settings "$SCEN/settings-before.reg"
    expect_eq "$(tarnholm_entries)" 1 "uninstall entries after the first install"

    note "the same version again"
    echo "changed" >"$unixdir/requirements.ini"
    timed_install
    expect_eq "$INSTALL_RC" 0 "exit code of the second install"
    cmp -s "$unixdir/requirements.ini" "$E2E_STAGE_SRC/requirements.ini" || fail "requirements.ini was not replaced"
    expect_installed_record "$dir"
    expect_eq "$(tarnholm_entries)" 1 "uninstall entries after installing again"
    export_settings "$SCEN/settings-again.reg"
    cmp "$SCEN/settings-before.reg" "$SCEN/settings-again.reg" || fail "the settings changed with the second install"

    note "over a copy that says it is older"
    drv - <<EOF || fail "could not make the installed copy look older"
reg-set "$TARNHOLM_HKLM" Version sz 0.9
reg-set "$UNINSTALL_KEY" DisplayVersion sz 0.9
reg-set "$UNINSTALL_KEY" HelpLink sz https://old.example/help
EOF
    cp "$FAKEGAME" "$unixdir/Launcher.exe"
    timed_install
    expect_eq "$INSTALL_RC" 0 "exit code of the install over the older copy"
    cmp -s "$unixdir/Launcher.exe" "$E2E_STAGE_SRC/Launcher.exe" || fail "the older Launcher.exe was not replaced"
    expect_eq "$(files_below "$unixdir" | grep -v '^started.txt$')" "$(installed_files_expected)" "installed files"
    expect_installed_record "$dir"
    expect_reg "$UNINSTALL_KEY" HelpLink absent
    expect_eq "$(tarnholm_entries)" 1 "uninstall entries after installing over the older copy"
    export_settings "$SCEN/settings-after.reg"
    cmp "$SCEN/settings-before.reg" "$SCEN/settings-after.reg" || fail "the settings changed with the install over the older copy"
    launch_from_shortcut "$START_MENU_LINK"
}

# The launcher runs from the install folder. The silent installer and uninstaller end with a code
# that is not 0 and change nothing (every file as it was, the record still the older one's); the
# installer through its pages asks to close the launcher, and Retry then installs.
scenario_install_while_running() {
    local dir='C:\Program Files\Velmora\Tarnholm' unixdir
    unixdir=$(unixpath "$dir")
    timed_install
    expect_eq "$INSTALL_RC" 0 "exit code of the first install"
    launcher_start --exe "$unixdir/Launcher.exe" --cwd "$unixdir"
    wait_kind launcher
    local launcher=$WIN
    # An older copy's file and record: a replaced file or a rewritten record would show.
    echo "an older copy's requirements" >"$unixdir/requirements.ini"
    drv reg-set "$TARNHOLM_HKLM" Version sz 0.9 || fail "reg-set"
    local files_before
    files_before=$(cd "$unixdir" && find . -type f -print0 | sort -z | xargs -0 sha1sum)

    note "silent install while the launcher runs"
    timed_install
    [[ $INSTALL_RC -ne 0 ]] || fail "the silent installer reported success while the launcher ran"
    expect_eq "$INSTALL_RC" 2 "exit code of the silent installer"
    expect_eq "$(cd "$unixdir" && find . -type f -print0 | sort -z | xargs -0 sha1sum)" "$files_before" "the installed files"
    expect_reg "$TARNHOLM_HKLM" Version "sz 0.9"

    note "silent uninstall while the launcher runs"
    local rc
    # "_?=" runs the uninstaller in place and waits for it; NSIS takes it unquoted, as the
    # command line's last part.
    rc=$(drv run-line "\"$dir\\Uninstall.exe\" /S _?=$dir" | tr -d '\r' | sed -n 's/^exit=//p')
    note "silent uninstall in place: exit code $rc"
    expect_eq "$rc" 2 "exit code of the silent uninstaller in place"
    timed_uninstall
    expect_eq "$(cd "$unixdir" && find . -type f -print0 | sort -z | xargs -0 sha1sum)" "$files_before" \
        "the installed files after the uninstallers"
    expect_reg "$TARNHOLM_HKLM" Version "sz 0.9"
    expect_eq "$(tarnholm_entries)" 1 "uninstall entries"

    note "through the pages: the installer asks to close the launcher, Retry installs"
    (exec wine "$E2E_SETUP") >"$SCEN/setup.log" 2>&1 &
    local setup_pid=$! main box text
    main=$(drv wait --exe TarnholmSetup.exe --ids 1,2,3 --timeout 60 | cut -d' ' -f1) || fail "no installer window"
    installer_to_install "$main" English
    box=$(installer_box "$main") || exit 1
    drv shot "$box" "$(winpath "$SCEN/box.bmp")" && convert "$SCEN/box.bmp" "$SHOTS/setup-launcher-running.png"
    text=$(box_text "$box")
    [[ $text == *"${dir//\\/\\\\}"* ]] || fail "the question does not name the folder: '$text'"
    expect_eq "$(cd "$unixdir" && find . -type f -print0 | sort -z | xargs -0 sha1sum)" "$files_before" \
        "the installed files while the installer asks"
    WIN=$launcher
    quit_launcher
    click "$box" 4
    wait_until 90 "the finish page did not come" control_is "$main" 1 "$(mui_text MUI_BUTTONTEXT_FINISH English)"
    expect_installed_record "$dir"
    cmp -s "$unixdir/requirements.ini" "$E2E_STAGE_SRC/requirements.ini" || fail "requirements.ini was not replaced"
    # Finish: its "Run" starts the launcher that was just installed.
    click "$main" 1
    drv gone --exe TarnholmSetup.exe --timeout 20 >/dev/null || { kill "$setup_pid"; fail "the installer did not end"; }
    wait "$setup_pid"
    expect_eq "$?" 0 "exit code of the installer"
    launcher=$(drv wait --exe Launcher.exe --ids 1024,3,4 --timeout 60 | cut -d' ' -f1) || fail "no launcher window"
    click "$launcher" 4
    drv gone --exe Launcher.exe --timeout 20 >/dev/null || fail "the launcher did not end"
}

# --- the look of the support paths' messages ------------------------------------------------------

# look_support_windows LANGUAGE-ID CODE: the messages of this file's paths in that language,
# compared with their reference pictures as scenarios_look.sh compares the other windows: the
# report file that could not be written, "/Report" without a file, and settings that could not
# be saved.
look_support_windows() {
    local code=$2
    drv reg-set "$ENGINE_KEY" LNG_Language dword "$1" || fail "reg-set"
    launcher_start /Report 'C:\no such folder\report.txt'
    wait_kind box
    look_at "box-report-not-saved-$code" "$WIN"
    click "$WIN" 1
    launcher_end
    expect_eq "$LAUNCHER_RC" 1 "exit code of /Report into a missing folder"

    launcher_start /Report
    wait_kind box
    look_at "box-report-no-file-$code" "$WIN"
    click "$WIN" 1
    launcher_end
    expect_eq "$LAUNCHER_RC" 1 "exit code of /Report without a file"

    launcher_start
    wait_kind launcher
    drv reg-lock "$ENGINE_KEY" || fail "could not make the Engine key refuse writes"
    open_settings
    click "$SHEET" 1
    local box
    box=$(drv wait --exe Launcher.exe --class '#32770' --title "$(lang_text IDS_ERROR "${LANGUAGE_DIRS[$code]}")" \
        --timeout 20 | cut -d' ' -f1) || fail "no message after OK on settings that could not be saved"
    look_at "box-settings-not-saved-$code" "$box"
    click "$box" 1
    drv reg-unlock "$ENGINE_KEY" || fail "could not unlock the Engine key"
    click "$SHEET" 2
    await_sheet_closed Cancel
    quit_launcher
}

declare -A LANGUAGE_DIRS=([en]=EN [de]=DEU [fr]=FR [es]=ESM [it]=ITA)

scenario_look_support_english() { look_support_windows 1 en; }
scenario_look_support_german() { look_support_windows 3 de; }
scenario_look_support_french() { look_support_windows 4 fr; }
scenario_look_support_spanish() { look_support_windows 5 es; }
scenario_look_support_italian() { look_support_windows 6 it; }

# --- a crash ----------------------------------------------------------------------------------

# Makes the launcher fault as soon as its crash reports are ready (dbghelp loaded): a thread of
# its process started at an address where nothing may run. The driver waits in the background,
# so that it is there before the launcher starts (a silent run is over within a second);
# fault_made waits for it and sets FAULT_ADDRESS.
fault_when_ready() {
    drv fault --exe Launcher.exe --after dbghelp.dll --timeout 60 >"$SCEN/fault.out" &
    FAULT_PID=$!
}
fault_made() {
    wait "$FAULT_PID" || fail "could not make the launcher fault"
    FAULT_ADDRESS=$(tr ' ' '\n' <"$SCEN/fault.out" | tr -d '\r' | sed -n 's/^address=//p')
}

# The only crash report in the prefix: a minidump that a minidump reader takes, whose exception
# stream holds an access violation at FAULT_ADDRESS. Sets DUMP.
expect_fault_dump() {
    DUMP=$(find "$SCEN/prefix/drive_c/users" -path '*/AppData/Local/Velmora/Tarnholm/Crashes/*' -type f)
    [[ -n $DUMP && $(wc -l <<<"$DUMP") == 1 ]] || fail "expected one crash report, found: ${DUMP:-none}"
    [[ $(head -c 4 "$DUMP") == MDMP ]] || fail "the crash report has no minidump signature"
    obj2yaml "$DUMP" >"$SCEN/dump.yaml" 2>&1 || fail "obj2yaml cannot read the crash report: $(tail -3 "$SCEN/dump.yaml")"
    local code address
    read -r code address < <(awk '/Type: *Exception/ { found = 1 }
        found && /Exception Code:/ { code = $3 } found && /Exception Address:/ { print code, $3; exit }' "$SCEN/dump.yaml")
    expect_eq "$(printf '0x%X 0x%X' "$code" "$address")" "$(printf '0xC0000005 0x%X' "$FAULT_ADDRESS")" \
        "the exception in the crash report"
}

# The launcher faults while its window is open: the crash report is written, the player is told
# in his language (German here) where it is, and the launcher ends with exit code 3. With
# /silent, the report without a word.
scenario_crash_report() {
    drv reg-set "$ENGINE_KEY" LNG_Language dword 3 || fail "reg-set"
    launcher_start
    wait_kind launcher
    fault_when_ready
    fault_made
    local box relative
    box=$(drv wait --exe Launcher.exe --class '#32770' --title "$(lang_text IDS_ERROR DEU)" --timeout 60 | cut -d' ' -f1) ||
        fail "no message after the crash"
    expect_fault_dump
    relative=${DUMP#"$SCEN/prefix/drive_c/"}
    expect_eq "$(box_text "$box")" "$(driver_escaped "$(lang_text IDS_CRASH_REPORT DEU)"$'\r\n'"C:\\${relative//\//\\}")" \
        "text of the message"
    click "$box" 1
    launcher_end
    expect_eq "$LAUNCHER_RC" 3 "exit code after the crash"

    note "silent: the crash report, no message"
    rm -f "$DUMP"
    fault_when_ready
    launcher_start /silent
    fault_made
    launcher_end
    expect_eq "$LAUNCHER_RC" 3 "exit code after the crash of a silent run"
    expect_no_window_shown
    expect_fault_dump
}
