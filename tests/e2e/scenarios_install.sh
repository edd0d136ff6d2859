# End-to-end scenarios of the installer: each starts from a prefix with nothing installed and runs
# TarnholmSetup.exe ($E2E_SETUP, the build with the stand-in game) as a player or a deployment tool
# would, silently or through its pages.

E2E_PREFIX_KIND[install_uninstall]=bare
E2E_PREFIX_KIND[install_unicode_folder]=bare
E2E_PREFIX_KIND[install_refused_folder]=bare
E2E_PREFIX_KIND[install_pages_german]=bare

UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarnholm'
START_MENU_LINK='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Tarnholm.lnk'
DESKTOP_LINK='C:\users\Public\Desktop\Tarnholm.lnk'

# A path on the prefix's C: drive as the Unix path of the same place.
unixpath() {  # WINDOWS-PATH
    local p="$1"
    [[ $p == [Cc]:\\* ]] || fail "not a path on C: '$p'"
    p="${p:3}"
    echo "$SCEN/prefix/drive_c/${p//\\//}"
}

# What the installer puts into the install folder, the stand-in game included.
installed_files_expected() {
    printf '%s\n' Launcher.exe Tarnholm.exe Uninstall.exe interpreter_local.ini local.dll requirements.ini \
        sorvane_rd.dll localization/{DEU,EN,ESM,FR,ITA}/interpreter_local.ini | sort
}

files_below() { (cd "$1" && find . -type f | sed 's|^\./||' | sort); }  # DIR

since() { echo "$(date +%s.%N) $1" | awk '{ printf "%.1f", $1 - $2 }'; }  # START -> seconds

# timed_install [ARGS...]: the installer, silently; sets INSTALL_RC and notes the time it took.
timed_install() {
    local start
    start=$(date +%s.%N)
    install_game "$@"
    INSTALL_RC=$?
    note "silent install $*: exit code $INSTALL_RC after $(since "$start")s"
}

# timed_uninstall [UNINSTALLER]: runs the uninstall entry's quiet command as a deployment tool
# would (or the named uninstaller with /S) and waits for the copy of the uninstaller that does
# the work (it runs from the temporary folder, so that it can delete itself) to end.
timed_uninstall() {
    local command exe="${1:-}" start
    if [[ -z $exe ]]; then
        command=$(reg_get "$UNINSTALL_KEY" QuietUninstallString | tr -d '\r')
        [[ $command =~ ^sz\ \"([^\"]+)\"\ /S$ ]] || fail "quiet uninstall command: '$command'"
        exe=${BASH_REMATCH[1]}
    fi
    start=$(date +%s.%N)
    wine "$(unixpath "$exe")" /S >/dev/null 2>&1 || fail "the uninstaller ended with an error"
    drv gone --exe Un.exe --timeout 60 >/dev/null || fail "the uninstaller still runs after 60s"
    note "silent uninstall: $(since "$start")s"
}

# The HKLM record and the uninstall entry of an installation into DIR (a Windows path).
expect_installed_record() {  # DIR
    local dir="$1"
    expect_reg "$TARNHOLM_HKLM" Version "sz 1.0"
    expect_reg "$TARNHOLM_HKLM" InstallDir "sz $dir"
    expect_reg "$TARNHOLM_HKLM" Executable "sz $dir\\Tarnholm.exe"
    expect_reg "$UNINSTALL_KEY" DisplayName "sz Tarnholm"
    expect_reg "$UNINSTALL_KEY" DisplayVersion "sz 1.0"
    expect_reg "$UNINSTALL_KEY" Publisher "sz Velmora"
    expect_reg "$UNINSTALL_KEY" DisplayIcon "sz $dir\\Launcher.exe,0"
    expect_reg "$UNINSTALL_KEY" InstallLocation "sz $dir"
    expect_reg "$UNINSTALL_KEY" UninstallString "sz \"$dir\\Uninstall.exe\""
    expect_reg "$UNINSTALL_KEY" QuietUninstallString "sz \"$dir\\Uninstall.exe\" /S"
    expect_reg "$UNINSTALL_KEY" NoModify "dword 1"
    expect_reg "$UNINSTALL_KEY" NoRepair "dword 1"
    # The installed files' size in KB, each file rounded up, the uninstaller not counted.
    local size files
    size=$(reg_get "$UNINSTALL_KEY" EstimatedSize | tr -d '\r')
    files=$(cd "$(unixpath "$dir")" && installed_files_expected | grep -vx Uninstall.exe | xargs -d '\n' stat -c %s |
        awk '{ kb += int(($1 + 1023) / 1024) } END { print kb }')
    expect_eq "$size" "dword $files" "EstimatedSize"
}

expect_no_record() {
    expect_eq "$(drv reg-key "$TARNHOLM_HKLM" | tr -d '\r')" absent "the installer's record"
    expect_eq "$(drv reg-key "$UNINSTALL_KEY" | tr -d '\r')" absent "the uninstall entry"
}

expect_shortcut() {  # LINK DIR: the link starts DIR's Launcher.exe in DIR with DIR's icon
    local out
    out=$(drv shortcut "$1" | tr -d '\r') || fail "no shortcut $1"
    expect_eq "$(sed -n 's/^target=//p' <<<"$out")" "$2\\Launcher.exe" "target of $1"
    expect_eq "$(sed -n 's/^arguments=//p' <<<"$out")" "" "arguments of $1"
    expect_eq "$(sed -n 's/^directory=//p' <<<"$out")" "$2" "working folder of $1"
    expect_eq "$(sed -n 's/^icon=//p' <<<"$out")" "$2\\Launcher.exe,0" "icon of $1"
}

expect_nothing_installed() {
    expect_no_record
    expect_no_file 'C:\Program Files\Velmora'
    expect_no_file "$START_MENU_LINK"
    expect_no_file "$DESKTOP_LINK"
}

expect_no_file() {  # WINDOWS-PATH
    [[ ! -e $(unixpath "$1") ]] || fail "$1 is still there"
}

# Starts the launcher as the shortcut does, presses Launch and checks that the game was started
# from the install folder with "/fullscreen".
launch_from_shortcut() {  # LINK
    local out target dir record
    out=$(drv shortcut "$1" | tr -d '\r') || fail "no shortcut $1"
    target=$(sed -n 's/^target=//p' <<<"$out")
    dir=$(sed -n 's/^directory=//p' <<<"$out")
    launcher_start --exe "$(unixpath "$target")" --cwd "$(unixpath "$dir")"
    wait_kind launcher
    click "$WIN" 1024
    launcher_end
    expect_exit_zero
    record="$(unixpath "$dir")/started.txt"
    wait_game_record "$record"
    expect_eq "$(game_record_value "$record" module)" "$dir\\Tarnholm.exe" "the game started"
    expect_eq "$(game_record_value "$record" directory)" "$dir" "working directory of the game"
    expect_eq "$(game_record_value "$record" commandline)" "\"$dir\\Tarnholm.exe\" /fullscreen" "command line of the game"
    drv gone --exe Tarnholm.exe --timeout 20 >/dev/null || fail "the stand-in game did not end"
}

# Texts of NSIS's own language files and of the installer's, to know what its pages must say.
NSIS_LANGUAGES="/usr/share/nsis/Contrib/Language files"
nsis_text() {  # NAME LANGUAGE: a text of NSIS's language file, by its "# ^NAME" comment
    sed -e 's/^\xEF\xBB\xBF//' -e 's/\r$//' "$NSIS_LANGUAGES/$2.nlf" | awk -v k="# ^$1" '$0 == k { getline; print; exit }'
}
mui_text() {  # NAME LANGUAGE: a text of the modern interface's language file
    tr -d '\r' <"$NSIS_LANGUAGES/$2.nsh" | sed -n "s/^ *\${LangFileString} $1 \"\(.*\)\" *\$/\1/p"
}
setup_text() {  # NAME LANGUAGE: one of the installer's own texts
    sed -n "s/^LangString $1 [^ ]* \"\(.*\)\"\$/\1/p" "$E2E_ROOT/installer/lang/$2.nsh"
}

# installer_to_install HWND LANGUAGE [SHOTS]: through the installer's pages in LANGUAGE to its
# Install button: welcome, components, folder, each page awaited by its header's title (the
# modern interface's text, id 1037) before the next click; with SHOTS, each photographed.
installer_to_install() {
    local page title
    for page in welcome:MUI_TEXT_COMPONENTS_TITLE components:MUI_TEXT_DIRECTORY_TITLE folder:; do
        if [[ -n ${3:-} ]]; then
            drv shot "$1" "$(winpath "$SCEN/${page%%:*}.bmp")" &&
                convert "$SCEN/${page%%:*}.bmp" "$SHOTS/setup-${page%%:*}.png"
        fi
        click "$1" 1
        [[ -n ${page#*:} ]] || break
        title=$(mui_text "${page#*:}" "$2")
        wait_until 30 "the installer did not go on to its page '$title'" control_is "$1" 1037 "$title"
    done
}

# installer_box HWND: the handle of the installer's message box over its window HWND, once shown.
installer_box() {
    wait_for 60 other_installer_window "$1" || fail "the installer showed no message"
    echo "$SEEN"
}

other_installer_window() {  # HWND: a window of the installer's other than HWND (SEEN)
    SEEN=$(drv windows --exe TarnholmSetup.exe | tr -d '\r' | awk -v m="$1" '$1 != m { print $1; exit }') &&
        [[ -n $SEEN ]]
}

# --- scenarios ------------------------------------------------------------------------------

# Install, play, install again over it, uninstall: the player's settings survive both.
scenario_install_uninstall() {
    note "the installer's version resource is the program's"
    local peversion="$E2E_ROOT/tests/e2e/peversion.py" fields=(CompanyName ProductName ProductVersion LegalCopyright)
    expect_eq "$(python3 "$peversion" "$E2E_SETUP" "${fields[@]}")" \
        "$(python3 "$peversion" "$E2E_STAGE_SRC/Launcher.exe" "${fields[@]}")" "version resource of the installer"

    local dir='C:\Program Files\Velmora\Tarnholm' unixdir
    unixdir=$(unixpath "$dir")
    timed_install
    expect_eq "$INSTALL_RC" 0 "exit code of the installer"
    expect_eq "$(files_below "$unixdir")" "$(installed_files_expected)" "installed files"
    local f
    for f in Launcher.exe local.dll sorvane_rd.dll requirements.ini localization/ITA/interpreter_local.ini; do
        cmp -s "$unixdir/$f" "$E2E_STAGE_SRC/$f" || fail "$f is not the staged one"
    done
    cmp -s "$unixdir/Tarnholm.exe" "$FAKEGAME" || fail "Tarnholm.exe is not the stand-in game"
    expect_installed_record "$dir"
    expect_shortcut "$START_MENU_LINK" "$dir"
    expect_shortcut "$DESKTOP_LINK" "$dir"

    note "the launcher from the Start menu's shortcut starts the game from the install folder"
    launch_from_shortcut "$START_MENU_LINK"
    expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 1"
    drv reg-set "$ENGINE_KEY" LNG_Language dword 3 || fail "reg-set"

    note "installing again replaces the program's files and keeps the settings"
    echo broken >"$unixdir/requirements.ini"
    rm "$unixdir/local.dll"
    timed_install
    expect_eq "$INSTALL_RC" 0 "exit code of the second install"
    cmp -s "$unixdir/requirements.ini" "$E2E_STAGE_SRC/requirements.ini" || fail "requirements.ini was not replaced"
    cmp -s "$unixdir/local.dll" "$E2E_STAGE_SRC/local.dll" || fail "local.dll was not put back"
    expect_installed_record "$dir"
    expect_reg "$ENGINE_KEY" LNG_Language "dword 3"
    expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 1"

    note "uninstalling removes files, folders, shortcuts, record and entry; the settings stay"
    # The stand-in game's record of its starts is no file of the installation.
    rm "$unixdir/started.txt"
    timed_uninstall
    expect_no_file "$dir"
    expect_no_file 'C:\Program Files\Velmora'
    expect_no_file "$START_MENU_LINK"
    expect_no_file "$DESKTOP_LINK"
    expect_no_record
    expect_eq "$(drv reg-key 'HKLM\SOFTWARE\Velmora' | tr -d '\r')" absent "the maker's empty key"
    expect_reg "$ENGINE_KEY" LNG_Language "dword 3"
    expect_reg "$LAUNCHER_KEY" DefaultSetting "dword 1"
}

# A folder with spaces and letters outside ASCII, given with "/D=" (with a trailing backslash)
# and quoted as a deployment tool quotes an argument with spaces; no desktop shortcut. Installed
# again into a second folder, the first folder's uninstaller leaves the second's record, entry
# and shortcut, and a file that a player put into its own folder, and so that folder.
scenario_install_unicode_folder() {
    local dir='C:\Spiele und Mehr\Tårnholm Ærø' unixdir
    unixdir=$(unixpath "$dir")
    timed_install /NoDesktopShortcut "/D=$dir\\"
    expect_eq "$INSTALL_RC" 0 "exit code of the installer"
    expect_eq "$(files_below "$unixdir")" "$(installed_files_expected)" "installed files"
    expect_installed_record "$dir"
    expect_shortcut "$START_MENU_LINK" "$dir"
    expect_no_file "$DESKTOP_LINK"
    expect_no_file 'C:\Program Files\Velmora'

    launch_from_shortcut "$START_MENU_LINK"

    note "installed again elsewhere, the first folder's uninstaller leaves the new record alone"
    local second='C:\Games\Tarnholm'
    timed_install "/D=$second"
    expect_eq "$INSTALL_RC" 0 "exit code of the second installer"
    echo "a player's notes" >"$unixdir/notes.txt"
    timed_uninstall "$dir\\Uninstall.exe"
    expect_eq "$(files_below "$unixdir")" "$(printf '%s\n' notes.txt started.txt)" "files left in the folder"
    expect_installed_record "$second"
    expect_shortcut "$START_MENU_LINK" "$second"

    timed_uninstall
    expect_no_file "$second"
    expect_no_file "$START_MENU_LINK"
    expect_no_record
}

# Folders that cannot be written: one that cannot be made (a file stands in its way, which NSIS
# alone would answer by installing into the default folder instead), one on a drive too small
# for the program (where the right to mount one is given) and one in a folder that
# refuses new entries (immutable; only where the file system lets us make one). The silent
# installer ends with code 2 and leaves no record, shortcut or program folder; through the
# pages the player is told why.
scenario_install_refused_folder() {
    echo "in the way" >"$SCEN/prefix/drive_c/blocked"
    timed_install '/D=C:\blocked\Tarnholm'
    expect_eq "$INSTALL_RC" 2 "exit code of the installer"
    expect_nothing_installed

    note "a drive too small for the program"
    local small="$E2E_WORK/small-drive"
    mountpoint -q "$small" && umount "$small"
    mkdir -p "$small"
    if mount -t tmpfs -o size=2m tmpfs "$small" 2>/dev/null; then
        ln -sfn "$small" "$SCEN/prefix/dosdevices/t:"
        timed_install '/D=T:\Games\Tarnholm'
        local left
        left=$(find "$small" -mindepth 1 | wc -l)
        umount "$small"
        expect_eq "$INSTALL_RC" 2 "exit code of the installer"
        expect_nothing_installed
        expect_eq "$left" 0 "entries made on the small drive"
    else
        note "SKIPPED STEP: no small drive can be mounted here (mount -t tmpfs needs the right to mount)"
        echo "no small drive can be mounted here" >>"${E2E_SKIPS:-/dev/null}"
    fi

    local locked="$E2E_WORK/locked-folder"
    chattr -i "$locked" 2>/dev/null
    rm -rf "$locked"
    mkdir -p "$locked"
    if ! chattr +i "$locked" 2>/dev/null; then
        note "SKIPPED STEP: this file system cannot make a folder refuse new entries (chattr +i)"
        echo "no folder can be made to refuse new entries here" >>"${E2E_SKIPS:-/dev/null}"
        return 0
    fi
    local dir
    dir="$(winpath "$locked")\\Tarnholm"
    timed_install "/D=$dir"
    expect_eq "$INSTALL_RC" 2 "exit code of the installer"
    expect_nothing_installed

    note "the same through the installer's pages"
    (exec wine "$E2E_SETUP" "/D=$dir") >"$SCEN/setup.log" 2>&1 &
    local setup_pid=$! main box text
    main=$(drv wait --exe TarnholmSetup.exe --ids 1,2,3 --timeout 60 | cut -d' ' -f1) || fail "no installer window"
    installer_to_install "$main" English shots
    box=$(installer_box "$main") || exit 1
    drv shot "$box" "$(winpath "$SCEN/box.bmp")" && convert "$SCEN/box.bmp" "$SHOTS/setup-message.png"
    text=$(box_text "$box")
    # The driver prints the text escaped: line breaks as \r\n, backslashes doubled.
    [[ $text == *"cannot write to the folder"*"${dir//\\/\\\\}"*"not been installed"* ]] || fail "message: '$text'"
    click "$box" 1
    wait_until 30 "the installer's page does not say it was aborted" \
        control_is "$main" 1037 "$(mui_text MUI_TEXT_ABORT_TITLE English)"
    drv shot "$main" "$(winpath "$SCEN/aborted.bmp")" && convert "$SCEN/aborted.bmp" "$SHOTS/setup-aborted.png"
    drv close "$main" >/dev/null
    drv gone --exe TarnholmSetup.exe --timeout 20 >/dev/null || { kill "$setup_pid"; fail "the installer did not close"; }
    wait "$setup_pid"
    expect_nothing_installed
    chattr -i "$locked"
    rm -rf "$locked"
}

# A player whose Windows speaks German goes through the pages: they are in German, the install
# goes to the default folder with both shortcuts, and "Run" on the last page starts the
# launcher. The shortcuts carry the German description.
scenario_install_pages_german() {
    local dir='C:\Program Files\Velmora\Tarnholm'
    (export LC_ALL=de_DE.UTF-8; exec wine "$E2E_SETUP") >"$SCEN/setup.log" 2>&1 &
    local setup_pid=$! main
    main=$(drv wait --exe TarnholmSetup.exe --ids 1,2,3 --timeout 60 | cut -d' ' -f1) || fail "no installer window"
    wait_until 30 "the Next button does not say '$(nsis_text NextBtn German)'" control_is "$main" 1 "$(nsis_text NextBtn German)"
    installer_to_install "$main" German shots
    wait_until 60 "the finish page did not come" control_is "$main" 1 "$(mui_text MUI_BUTTONTEXT_FINISH German)"
    drv shot "$main" "$(winpath "$SCEN/finish.bmp")" && convert "$SCEN/finish.bmp" "$SHOTS/setup-finish.png"
    expect_installed_record "$dir"

    note "the finish page's Run starts the installed launcher"
    click "$main" 1
    drv gone --exe TarnholmSetup.exe --timeout 20 >/dev/null || { kill "$setup_pid"; fail "the installer did not end"; }
    wait "$setup_pid"
    expect_eq "$?" 0 "exit code of the installer"
    local launcher
    launcher=$(drv wait --exe Launcher.exe --ids 1024,3,4 --timeout 60 | cut -d' ' -f1) || fail "no launcher window"
    click "$launcher" 4
    drv gone --exe Launcher.exe --timeout 20 >/dev/null || fail "the launcher did not end"

    local link
    for link in "$START_MENU_LINK" "$DESKTOP_LINK"; do
        expect_shortcut "$link" "$dir"
        expect_eq "$(drv shortcut "$link" | tr -d '\r' | sed -n 's/^description=//p')" \
            "$(setup_text ShortcutComment German)" "description of $link"
    done
}
