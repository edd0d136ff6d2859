# The end-to-end harness: a fresh Wine prefix and program folder per scenario, the program
# started under a watcher that logs (and photographs) every window it shows, and helpers to wait
# for a window, operate it and check the registry. Sourced by run.sh.

E2E_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
E2E_BUILD="$E2E_ROOT/build/windows"
E2E_WORK="$E2E_ROOT/build/e2e"
E2E_SHOTS_ROOT="$E2E_ROOT/build/screenshots/e2e"
DRIVER="$E2E_BUILD/tools/driver/driver.exe"
FAKEGAME="$E2E_BUILD/tools/fakegame/fakegame.exe"
# The bare dialog program; ctest names the one its build made.
BARE_DIALOG="${TARNHOLM_E2E_BARE_DIALOG:-$E2E_BUILD/bench/startup/bare_dialog.exe}"
# The staged program under test; another staged folder may be named for a one-off run (its
# files then replace the installed ones).
E2E_STAGE_SRC="${TARNHOLM_E2E_STAGE:-$E2E_ROOT/build/stage}"
# The installer with the stand-in game as the game's program (installer/CMakeLists.txt).
E2E_SETUP="$E2E_BUILD/installer/standin/TarnholmSetup.exe"

TARNHOLM_HKLM='HKLM\SOFTWARE\Velmora\Tarnholm'
ENGINE_KEY='HKCU\Software\Velmora\Tarnholm\1.0\Engine'
LAUNCHER_KEY='HKCU\Software\Velmora\Tarnholm\1.0\Launcher'
MUTEX_NAME='__TARNHOLMLAUNCHER__'

source "$E2E_ROOT/tools/wine-env.sh"
source "$E2E_ROOT/tests/e2e/formats.sh"

# --- reporting ------------------------------------------------------------------------------

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

note() { echo "  $*"; }

expect_eq() {  # ACTUAL EXPECTED WHAT
    [[ "$1" == "$2" ]] || fail "$3: expected '$2', got '$1'"
}

# wait_for SECONDS COMMAND...: runs COMMAND (in this shell, so a function may keep what it saw
# for the caller's message) until it succeeds; false when SECONDS pass first. For states that
# come some time after the step that causes them.
wait_for() {
    local limit=$1 start=$SECONDS
    shift
    until "$@"; do
        (( SECONDS - start > limit )) && return 1
        sleep 0.05
    done
}

# wait_until SECONDS WHAT COMMAND...: wait_for, failing with WHAT after SECONDS.
wait_until() {
    wait_for "$1" "${@:3}" || fail "$2 (waited ${1}s)"
}

# --- paths and the driver -------------------------------------------------------------------

winpath() {  # absolute Unix path -> the same place through Wine's Z: drive
    local p
    p="$(realpath -m "$1")"
    echo "Z:${p//\//\\}"
}

# The driver's own exit codes are 0, 1 (not met) and 2 (usage); anything else is Wine's. The
# driver says why on standard error whenever it ends with 1 or 2. Rarely, on a loaded machine,
# Wine ends a driver run with 1 before the driver has said a word (its own messages are turned
# off by WINEDEBUG): a query that only reads is then asked once more, and the retry is said.
DRIVER_QUERIES=" reg-get reg-key reg-list reg-keys text controls rect find focus modes cpus mutex shortcut windows measure contrast-answer "
drv() {
    if [[ $DRIVER_QUERIES != *" $1 "* ]]; then
        wine "$DRIVER" "$@"
        local rc=$?
        (( rc > 2 )) && echo "driver: '$1' ended with exit code $rc" >&2
        return $rc
    fi
    local out err rc attempt
    for attempt in 1 2; do
        err=$(mktemp)
        out=$(wine "$DRIVER" "$@" 2>"$err")
        rc=$?
        if ((rc == 1)) && [[ -z $out && ! -s $err && $attempt == 1 ]]; then
            echo "driver: '$*' ended with exit code 1 without a word; asked again" >&2
            rm -f "$err"
            continue
        fi
        cat "$err" >&2
        rm -f "$err"
        break
    done
    [[ -n $out ]] && printf '%s\n' "$out"
    (( rc > 2 )) && echo "driver: '$1' ended with exit code $rc" >&2
    return $rc
}

# --- prefixes -------------------------------------------------------------------------------

# One booted prefix serves as the template; scenarios get hard-linked copies of it, which takes
# milliseconds instead of a Wine boot. Only the registry files are written in place by Wine, so
# they are real copies. The template uses a virtual desktop, which offers the usual list of
# display modes (a bare virtual X screen offers one).
e2e_template() {
    local template="$E2E_WORK/template" stamp
    stamp="$(wine --version) desktop 1280x1024 fonts"
    mkdir -p "$E2E_WORK"
    (
        flock 9
        [[ -f $template/.ready && $(cat "$template/.ready") == "$stamp" ]] && exit 0
        rm -rf "$template"
        wine_env_start "$template" 2>/dev/null
        drv - <<'EOF' || exit 1
reg-set "HKCU\Software\Wine\Explorer" Desktop sz Default
reg-set "HKCU\Software\Wine\Explorer\Desktops" Default sz 1280x1024
EOF
        wine_env_stop
        echo "$stamp" >"$template/.ready"
    ) 9>"$E2E_WORK/.template.lock"
}

# How a scenario's prefix starts, by scenario name: "installed" (the default: the installer has
# installed the program with the stand-in game), "bare" (nothing installed: the scenario runs the
# installer itself) or "imitated" (the installer's record and the stand-in game written by
# tools/prefix.sh, the staged program copied to $STAGE: for the harness, which runs before the
# program and its installer exist).
declare -A E2E_PREFIX_KIND=([harness]=imitated)

# prefix_copy FROM TO: a scenario's own prefix from a template, hard-linked except for what Wine
# or the scenarios write in place: the registry files and the installed program's folder.
prefix_copy() {
    cp -al "$1" "$2"
    local reg
    for reg in "$2"/*.reg; do
        rm "$reg"
        cp "$1/$(basename "$reg")" "$reg"
    done
    if [[ -d "$1/drive_c/Program Files/Velmora" ]]; then
        rm -rf "$2/drive_c/Program Files/Velmora"
        cp -a "$1/drive_c/Program Files/Velmora" "$2/drive_c/Program Files/Velmora"
    fi
}

# install_game [SETUP-ARGS...]: runs the installer silently in the current prefix; returns its
# exit code once no installer process is left, so that nothing it writes (its record comes last)
# races the checks that follow.
install_game() {
    [[ -f $E2E_SETUP ]] || fail "missing $E2E_SETUP: build the windows preset (with nsis installed) first"
    wine "$E2E_SETUP" /S "$@" >/dev/null 2>&1
    local rc=$?
    drv gone --exe TarnholmSetup.exe --timeout 60 >/dev/null || fail "the installer still runs 60 s after it returned"
    return $rc
}

# The template prefix with the program installed by the installer: made once per installer
# build, then copied like the plain template.
e2e_installed_template() {
    local template="$E2E_WORK/template-installed" stamp
    [[ -f $E2E_SETUP ]] || fail "missing $E2E_SETUP: build the windows preset (with nsis installed) first"
    e2e_template || fail "could not prepare the template prefix"
    stamp="$(cat "$E2E_WORK/template/.ready") $(sha1sum <"$E2E_SETUP")"
    (
        flock 9
        [[ -f $template/.ready && $(cat "$template/.ready") == "$stamp" ]] && exit 0
        rm -rf "$template"
        prefix_copy "$E2E_WORK/template" "$template"
        rm -f "$template/.ready"
        wine_env_start "$template" 2>/dev/null
        install_game
        local rc=$?
        wine_env_stop
        [[ $rc -eq 0 ]] || { echo "the installer ended with exit code $rc" >&2; exit 1; }
        echo "$stamp" >"$template/.ready"
    ) 9>"$E2E_WORK/.template.lock"
}

# e2e_setup NAME: fresh prefix (see E2E_PREFIX_KIND), screenshots in $SHOTS. $STAGE is the
# program's folder, started from there as a player's shortcut starts it: the install folder, or
# a fresh copy of the staged program in an imitated prefix.
e2e_setup() {
    SCENARIO="$1"
    SCEN="$E2E_WORK/$SCENARIO"
    SHOTS="$E2E_SHOTS_ROOT/$SCENARIO"
    RUN_N=0
    local kind="${E2E_PREFIX_KIND[$SCENARIO]:-installed}"
    rm -rf "$SCEN" "$SHOTS"
    mkdir -p "$SCEN" "$SHOTS"
    GAME_DIR_WIN='C:\Program Files\Velmora\Tarnholm'
    GAME_RECORD="$SCEN/prefix/drive_c/Program Files/Velmora/Tarnholm/started.txt"
    if [[ $kind == installed ]]; then
        e2e_installed_template || fail "could not install the program into the template prefix"
        prefix_copy "$E2E_WORK/template-installed" "$SCEN/prefix"
        STAGE="$SCEN/prefix/drive_c/Program Files/Velmora/Tarnholm"
        if [[ -n ${TARNHOLM_E2E_STAGE:-} ]]; then cp -a "$E2E_STAGE_SRC/." "$STAGE/"; fi
        wine_env_start "$SCEN/prefix" 2>/dev/null
    else
        e2e_template || fail "could not prepare the template prefix"
        prefix_copy "$E2E_WORK/template" "$SCEN/prefix"
        STAGE="$SCEN/stage"
        if [[ -d $E2E_STAGE_SRC ]]; then cp -a "$E2E_STAGE_SRC" "$STAGE"; else mkdir -p "$STAGE"; fi
        wine_env_start "$SCEN/prefix" 2>/dev/null
        if [[ $kind == imitated ]]; then
            GAME_DIR_WIN="$("$E2E_ROOT/tools/prefix.sh" "$SCEN/prefix")" || fail "could not imitate the installed game"
        fi
    fi
    export TARNHOLM_FAKEGAME_SECONDS=2
    # The first window query brings up the virtual desktop, which takes seconds once.
    drv windows >/dev/null
    # A capable adapter unless a scenario says otherwise, so the stock requirements are met.
    set_adapter 0x1002 0x9400 1024
}

e2e_teardown() {
    local status=$1
    jobs -p | xargs -r kill 2>/dev/null
    wine_env_stop
    # Passing scenarios leave only their screenshots; failing ones keep everything, and print
    # what the watcher and the program logged, since a CI machine keeps no files.
    if [[ $status -eq 0 ]]; then
        rm -rf "$SCEN/prefix"
        return 0
    fi
    local log
    for log in "$SCEN"/run*/watch.log "$SCEN"/run*/program.log; do
        [[ -s $log ]] || continue
        echo "  -- ${log#"$SCEN"/} (last lines)"
        tail -n 15 "$log" | sed 's/^/  | /'
    done
    return 0
}

# The adapter Wine's Direct3D reports: vendor and device id, video memory in MB.
set_adapter() {  # VENDOR DEVICE MEGABYTES
    drv - <<EOF || fail "could not set the Direct3D adapter"
reg-set "HKCU\\Software\\Wine\\Direct3D" VideoPciVendorID dword $1
reg-set "HKCU\\Software\\Wine\\Direct3D" VideoPciDeviceID dword $2
reg-set "HKCU\\Software\\Wine\\Direct3D" VideoMemorySize sz $3
EOF
}

# KEY NAME -> "dword N", "sz TEXT", "type N" or "absent"; fails when the driver cannot tell.
reg_get() {
    local value
    value=$(drv reg-get "$1" "$2") || fail "could not read $2 under $1"
    echo "${value%$'\r'}"
}

# --- running the program --------------------------------------------------------------------

# load_paused COMMAND...: runs COMMAND with the busy loops of `run.sh --under-load` stopped, for a
# step whose expected result follows the processor's speed as the program measures it then.
load_paused() {
    local pids=${E2E_LOAD_PIDS:-} rc
    # shellcheck disable=SC2086
    [[ -n $pids ]] && kill -STOP $pids 2>/dev/null
    "$@"
    rc=$?
    # shellcheck disable=SC2086
    [[ -n $pids ]] && kill -CONT $pids 2>/dev/null
    return $rc
}

# The processor's speed score is measured on the machine as it is at that moment, and a loaded
# machine (scenarios run beside builds, or with --under-load) can fall below the stock minimum:
# the scenario's capable machine would then fail its check. So the requirements file beside the
# program asks for a processor any machine has, as set_adapter gives a capable adapter; the
# demands scenarios make (demand_more_than_machine: whole-number figures) stay as they are.
any_processor_will_do() {  # DIR
    local file
    file=$(requirements_file "$1" 2>/dev/null) || return 0
    sed -i -E '/^\[processor\]/,/^\[/ s/^(minimum=)[0-9]+\.[0-9]+(\r?)$/\1100.0\2/' "$file"
}

# launcher_start [--cwd DIR] [--exe PATH] [SWITCHES...]: starts the program in the background
# under a watcher. The watcher's log ($WATCH_LOG) lists every window shown and hidden.
launcher_start() {
    local cwd="$STAGE" exe="$STAGE/Launcher.exe"
    while [[ $# -gt 0 ]]; do
        case "$1" in
            --cwd) cwd="$2"; shift 2 ;;
            --exe) exe="$2"; shift 2 ;;
            *) break ;;
        esac
    done
    any_processor_will_do "$(dirname "$exe")"
    RUN_N=$((RUN_N + 1))
    RUN_DIR="$SCEN/run$RUN_N"
    mkdir -p "$RUN_DIR/shots"
    WATCH_LOG="$RUN_DIR/watch.log"
    : >"$WATCH_LOG"
    note "run $RUN_N: Launcher.exe $*"
    # A watcher that Wine ends before it has said a word (as drv describes) is started once more.
    local attempt start
    for attempt in 1 2; do
        drv watch --exe Launcher.exe --shots "$(winpath "$RUN_DIR/shots")" --timeout 240 >"$WATCH_LOG" 2>&1 &
        WATCH_PID=$!
        start=$SECONDS
        until grep -q '^watching ' "$WATCH_LOG"; do
            (( SECONDS - start > 30 )) && fail "the window watcher did not start: $(cat "$WATCH_LOG")"
            if ! kill -0 "$WATCH_PID" 2>/dev/null && ! grep -q '^watching ' "$WATCH_LOG"; then
                wait "$WATCH_PID"
                local rc=$?
                [[ $attempt == 1 && $rc == 1 && ! -s $WATCH_LOG ]] || fail "the window watcher ended (exit code $rc): $(cat "$WATCH_LOG")"
                echo "driver: 'watch' ended with exit code 1 without a word; started again" >&2
                continue 2
            fi
            sleep 0.05
        done
        break
    done
    # In a contrast theme (scenarios_contrast.sh) the driver starts the program with the contrast
    # library loaded, answering high contrast as CONTRAST_ANSWER says (on unless told), and writes
    # the program's exit code to the log.
    RUN_CONTRAST=${CONTRAST_THEME:-}
    if [[ -n $RUN_CONTRAST ]]; then
        local dosexe
        dosexe=$(winepath -w "$exe" 2>/dev/null) || fail "no Windows path for $exe"
        (cd "$cwd" && exec wine "$DRIVER" contrast-run --library "$(winpath "$CONTRAST_LIBRARY")" \
            --theme "$RUN_CONTRAST" --answer "${CONTRAST_ANSWER:-on}" -- "$dosexe" "$@") >"$RUN_DIR/program.log" 2>&1 &
    else
        (cd "$cwd" && exec wine "$exe" "$@") >"$RUN_DIR/program.log" 2>&1 &
    fi
    LAUNCHER_PID=$!
}

# launcher_end [SECONDS]: waits for the program to end and sets LAUNCHER_RC; keeps the
# screenshots of every window it showed as PNG files.
gone() { ! kill -0 "$1" 2>/dev/null; }  # PID: the process has ended

launcher_end() {
    local limit="${1:-60}"
    if ! wait_for "$limit" gone "$LAUNCHER_PID"; then
        kill "$LAUNCHER_PID" 2>/dev/null
        fail "Launcher.exe still runs after ${limit}s (windows: $(shown_kinds))"
    fi
    wait "$LAUNCHER_PID"
    LAUNCHER_RC=$?
    wait_for 10 gone "$WATCH_PID"
    kill "$WATCH_PID" 2>/dev/null
    wait "$WATCH_PID" 2>/dev/null
    # Killed (status 137) by Wine while it was already exiting, under load: the watcher has the
    # exit code the program gave.
    local code
    code=$(tr -d '\r' <"$WATCH_LOG" | sed -n 's/^ended [0-9]* exit=\([0-9]*\)$/\1/p')
    [[ $LAUNCHER_RC == 137 && -n $code ]] && LAUNCHER_RC=$code
    if [[ -n $RUN_CONTRAST ]]; then
        code=$(tr -d '\r' <"$RUN_DIR/program.log" | sed -n 's/^exit=//p')
        [[ -n $code ]] || fail "the contrast run did not end with the program: $(cat "$RUN_DIR/program.log")"
        LAUNCHER_RC=$code
    fi
    keep_shots
    return 0
}

# The watcher's screenshots of this run as PNG files named by run, order and kind of window.
keep_shots() {
    local n=0 hwnd file kind
    while read -r _ _ hwnd file; do
        file="$RUN_DIR/shots/$(basename "${file//\\//}")"
        [[ -f $file ]] || continue
        kind=$(watch_windows | awk -v h="$hwnd" '$1 == h || $1 == "-" h { print $2; exit }')
        n=$((n + 1))
        convert "$file" "$SHOTS/run$RUN_N-$(printf %02d $n)-${kind:-window}.png" 2>/dev/null && rm -f "$file"
    done < <(grep '^shot ' "$WATCH_LOG" | tr -d '\r')
}

expect_exit_zero() {
    expect_eq "$LAUNCHER_RC" 0 "exit code of Launcher.exe"
}

# --- windows --------------------------------------------------------------------------------

# What a shown window is, from its control ids (the templates' binding ids) and class.
window_kind() {  # CLASS IDS
    local ids=",$2,"
    has() { local id; for id; do [[ $ids == *",$id,"* ]] || return 1; done; }
    if has 1024 3 4; then echo launcher
    elif has 1104 1103 1051; then echo warning
    elif has 12321 1 2; then echo settings
    elif has 1001 1028; then echo report
    elif has 1026; then echo progress
    elif [[ $1 == "#32770" ]]; then echo box
    else echo other
    fi
}

# Shown windows of the current run in order, one "<hwnd> <kind> <title>" per line, with the
# ones hidden again marked by a leading "-".
watch_windows() {
    awk '
        { sub(/\r$/, "") }
        $1 == "shown" {
            match($0, /class="[^"]*"/); cls = substr($0, RSTART + 7, RLENGTH - 8)
            match($0, /title="([^"\\]|\\.)*"/); title = substr($0, RSTART + 7, RLENGTH - 8)
            match($0, / ids=[-0-9,]*/); ids = substr($0, RSTART + 5, RLENGTH - 5)
            order[++n] = $3; info[$3] = cls "\037" ids "\037" title; gone[$3] = 0
        }
        $1 == "hidden" { gone[$3] = 1 }
        END { for (i = 1; i <= n; i++) print (gone[order[i]] ? "-" : "") order[i] "\037" info[order[i]] }
    ' "$WATCH_LOG" | while IFS=$'\037' read -r hwnd cls ids title; do
        echo "$hwnd $(window_kind "$cls" "$ids") $title"
    done
}

shown_kinds() {  # the kinds shown so far, in order, space-separated
    watch_windows | awk '{ printf "%s%s", sep, $2; sep = " " }'
}

program_ended() { grep -q '^ended ' "$WATCH_LOG"; }

# wait_kind KIND... [--timeout S]: waits until a window of one of the kinds is shown (the pseudo
# kind "ended" accepts the end of the program). Sets WIN (the window handle) and KIND.
wait_kind() {
    local wanted=() limit=60
    while [[ $# -gt 0 ]]; do
        case "$1" in --timeout) limit="$2"; shift 2 ;; *) wanted+=("$1"); shift ;; esac
    done
    wait_for "$limit" kind_shown "${wanted[@]}" || fail "no ${wanted[*]} window within ${limit}s (shown: $(shown_kinds))"
    [[ $KIND == ended ]] && [[ " ${wanted[*]} " != *" ended "* ]] &&
        fail "the program ended before showing ${wanted[*]} (it showed: $(shown_kinds))"
    [[ $KIND == ended ]] || await_shot "$WIN"
}

kind_shown() {  # KIND...: a window of one of the kinds is shown (WIN, KIND), or the program ended (KIND=ended)
    while read -r WIN KIND _; do
        [[ $WIN == -* ]] && continue
        [[ " $* " == *" $KIND "* ]] && return 0
    done < <(watch_windows)
    program_ended || ! kill -0 "$LAUNCHER_PID" 2>/dev/null || return 1
    WIN="" KIND=ended
}

# Acting on a window may close it: first let the watcher photograph it.
await_shot() {  # HWND
    wait_for 5 grep -q -e "^shot [0-9]* $1 " -e "^hidden [0-9]* $1\$" "$WATCH_LOG"
}

control_text() { drv text "$1" "$2" | tr -d '\r'; }  # HWND ID
control_is() { [[ $(control_text "$1" "$2") == "$3" ]]; }  # HWND ID TEXT
window_title() { drv text "$1" | tr -d '\r'; }        # HWND

# The static texts of a message box, joined by spaces.
box_text() {  # HWND
    drv controls "$1" | tr -d '\r' | awk '/class="Static"/ { sub(/.* text="/, ""); sub(/"$/, ""); if ($0 != "") { printf "%s%s", sep, $0; sep = " " } }'
}

click() { drv click "$1" "$2" || fail "could not click control $2"; }  # HWND ID

# --- the report -----------------------------------------------------------------------------

# pass_report NEXT...: the report must come now; close it with its OK button and wait for one of
# the NEXT kinds.
pass_report() {
    wait_kind report "$@"
    [[ $KIND == report ]] || fail "the report should have been shown before $KIND"
    click "$WIN" 1028
    wait_kind "$@"
}

# --- real input -----------------------------------------------------------------------------

# mouse_click HWND [ID] [--at X,Y] [--double] [--right]: a click with the real mouse on the
# control's centre, or at X,Y of its client area, after the window has been brought to the front.
mouse_click() { drv mouse "$@" || fail "could not click ${2:-the window} with the mouse"; }

# type_keys HWND KEY[,KEY...]: real key presses (driver names, ctrl+KEY) to whatever has the
# focus in HWND's thread.
type_keys() { drv key "$1" "$2" --input || fail "could not type $2"; }

focused_id() { drv focus "$1" | tr -d '\r' | awk '{ print $1 }'; }  # HWND: the focused control's id, or "none"

focus_is() { FOCUSED=$(focused_id "$1"); [[ $FOCUSED == "$2" ]]; }  # HWND ID (FOCUSED: where it is)
focus_left() { FOCUSED=$(focused_id "$1"); [[ $FOCUSED != "$2" ]]; } # HWND ID

wait_focus() {  # HWND ID WHAT [SECONDS]: the control ID gets the focus
    wait_for "${4:-3}" focus_is "$1" "$2" || fail "$3: the focus is on $FOCUSED, not on $2"
}

# tab_once HWND: one Tab; prints the id of the control that has the focus once it has moved
# (the same id when it stays).
tab_once() {
    local before
    before=$(focused_id "$1")
    type_keys "$1" TAB
    wait_for 3 focus_left "$1" "$before"
    echo "$FOCUSED"
}

# tab_to HWND ID: Tab until the control ID has the focus, at most 8 times.
tab_to() {
    local path="" id
    for _ in 1 2 3 4 5 6 7 8; do
        [[ $(focused_id "$1") == "$2" ]] && return 0
        id=$(tab_once "$1")
        path+=" $id"
    done
    fail "Tab never reached control $2; the focus went:$path"
}

# tab_round HWND: Tab until the focus is back where it started (at most 8 times); prints the ids
# it went through, in order, ending with the start.
tab_round() {
    local start id path=""
    start=$(focused_id "$1")
    for _ in 1 2 3 4 5 6 7 8; do
        id=$(tab_once "$1")
        path+="${path:+ }$id"
        [[ $id == "$start" ]] && break
    done
    echo "$path"
}

# --- reference pictures ---------------------------------------------------------------------

# Every window is compared with a picture kept in tests/e2e/reference/. They match when at most
# E2E_LOOK_PIXELS pixels differ by more than E2E_LOOK_FUZZ: room for a stray pixel, none for a
# changed, moved or cut text. "run.sh --update-references" writes the pictures of the scenarios
# it runs as the new references instead.
E2E_REFERENCES="$E2E_ROOT/tests/e2e/reference"
E2E_LOOK_FUZZ="${E2E_LOOK_FUZZ:-3%}"
E2E_LOOK_PIXELS="${E2E_LOOK_PIXELS:-8}"

# look_at NAME HWND [MASKS]: the window photographed once it has settled, with the pointer out of
# the way and the MASKS (the driver's shot --mask) painted over, then compared as NAME.
look_at() {
    local mask=()
    [[ -n ${3:-} ]] && mask=(--mask "$3")
    drv park || fail "could not move the pointer out of the way"
    drv shot "$2" "$(winpath "$SCEN/$1.bmp")" "${mask[@]}" || fail "no picture of $1"
    expect_picture "$1" "$SCEN/$1.bmp"
}

# expect_picture NAME BMP: the picture, kept as $SHOTS/NAME.png, matches the reference NAME.png;
# on a mismatch the differences are drawn in $SHOTS/NAME-diff.png.
expect_picture() {
    local name=$1 picture="$SHOTS/$1.png" reference="$E2E_REFERENCES/$1.png" diff="$SHOTS/$1-diff.png"
    # No time stamps in the file, so that a picture made again is the same file.
    convert "$2" -strip -define png:exclude-chunks=date,time "$picture" || fail "could not convert the picture $name"
    if [[ ${E2E_UPDATE_REFERENCES:-0} == 1 ]]; then
        if [[ ! -f $reference ]] || ! pictures_match "$reference" "$picture" 0 0 2>/dev/null; then
            mkdir -p "$E2E_REFERENCES"
            cp "$picture" "$reference"
            note "reference picture $name.png written"
        fi
        return 0
    fi
    [[ -f $reference ]] ||
        fail "no reference picture ${reference#"$E2E_ROOT"/}: make it with tests/e2e/run.sh --update-references $SCENARIO"
    pictures_match "$reference" "$picture" "$E2E_LOOK_FUZZ" "$E2E_LOOK_PIXELS" "$diff" ||
        fail "the picture $name does not match its reference: $PICTURE_DIFFERENCE; see ${diff#"$E2E_ROOT"/}"
    rm -f "$diff"
}

# pictures_match REFERENCE PICTURE FUZZ PIXELS [DIFF]: sets PICTURE_DIFFERENCE.
pictures_match() {
    local want got out count
    want=$(identify -format %wx%h "$1") got=$(identify -format %wx%h "$2")
    # compare would measure only the overlap of pictures of different sizes.
    if [[ $want != "$got" ]]; then
        PICTURE_DIFFERENCE="it is $got, the reference $want"
        return 1
    fi
    # The count comes on standard error, as a float for large numbers.
    out=$(compare -metric AE -fuzz "$3" "$1" "$2" "${5:-null:}" 2>&1 >/dev/null)
    [[ $out =~ ^[0-9.e+]+$ ]] || fail "could not compare $2 with $1: $out"
    count=$(awk '{ printf "%d", $1 }' <<<"$out")
    PICTURE_DIFFERENCE="$count pixels differ"
    ((count <= $4))
}

# --- the game -------------------------------------------------------------------------------

# wait_game_record FILE [COUNT]: waits until the stand-in game has recorded COUNT starts (default 1).
wait_game_record() {
    wait_for 20 game_started "$1" "${2:-1}" || fail "the game was not started (no record in $1)"
}

game_started() { [[ -f $1 ]] && (( $(grep -c '^commandline=' "$1") >= $2 )); }  # FILE COUNT

game_record_value() {  # FILE FIELD [NTH]: the field of the NTH recorded start (default the last)
    grep "^$2=" "$1" | tr -d '\r' | sed -n "${3:-\$}p" | cut -d= -f2-
}
