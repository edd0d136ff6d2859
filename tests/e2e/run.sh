#!/usr/bin/env bash
# Runs end-to-end scenarios, each in its own fresh Wine prefix and program folder, and reports
# pass or fail per scenario.
#   tests/e2e/run.sh                 every scenario (those that need Launcher.exe only when it is built)
#   tests/e2e/run.sh NAME...         the named ones
#   tests/e2e/run.sh --list          their names
#   tests/e2e/run.sh --update-references [NAME...]
#                                    run them, writing the windows' pictures as the new reference
#                                    pictures (tests/e2e/reference/) instead of comparing them
#   tests/e2e/run.sh --under-load [NAME...]
#                                    run them while one busy loop per processor competes for it,
#                                    as on a loaded build machine
#   tests/e2e/run.sh --files         the scenario files, in the order they are loaded
#   tests/e2e/run.sh --held          the scenarios held back: written, but not yet in the suite
# Exit code: 0 all passed, 1 a scenario failed, 77 nothing passed and something was skipped (a
# scenario that needs what is not built, or one of whose steps could not run yet).
# Screenshots: build/screenshots/e2e/<scenario>/; a failed scenario keeps build/e2e/<scenario>/.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
# The scenario files in the order they are loaded and their scenarios run: scenarios.sh first
# (it holds the shared steps). tests/e2e/CMakeLists.txt registers the scenarios of these files.
SCENARIO_FILES=(scenarios.sh scenarios_input.sh scenarios_install.sh scenarios_look.sh scenarios_run.sh
                scenarios_settings.sh scenarios_support.sh scenarios_access.sh scenarios_dpi.sh scenarios_contrast.sh)
if [[ ${1:-} == --files ]]; then
    printf '%s\n' "${SCENARIO_FILES[@]}"
    exit 0
fi
# A scenario file holds back a scenario whose subject is not built yet with E2E_HELD_BACK+=(NAME):
# it is left out of --list (so CTest does not register it) and of a run without names, and runs
# when named.
E2E_HELD_BACK=()
source "$HERE/lib.sh"
for file in "${SCENARIO_FILES[@]}"; do source "$HERE/$file"; done

# Every scenario, in the order of its file and its place in it.
written=$(cd "$HERE" && sed -n 's/^scenario_\([A-Za-z0-9_]*\)() *{.*/\1/p' "${SCENARIO_FILES[@]}")
defined=$(declare -F | awk '$3 ~ /^scenario_/ { sub(/^scenario_/, "", $3); print $3 }' | LC_ALL=C sort)
if [[ $(LC_ALL=C sort <<<"$written") != "$defined" ]]; then
    echo "scenario functions not written as 'scenario_NAME() {' at the start of a line:" \
        "$(LC_ALL=C comm -13 <(LC_ALL=C sort <<<"$written") <<<"$defined" | paste -sd' ')" >&2
    exit 2
fi
all=$(grep -vxF -f <(printf '%s\n' "${E2E_HELD_BACK[@]}") <<<"$written")
case "${1:-}" in
    --list) echo "$all"; exit 0 ;;
    --held) printf '%s\n' "${E2E_HELD_BACK[@]}"; exit 0 ;;
esac
under_load=0
while [[ ${1:-} == --* ]]; do
    case "$1" in
        --update-references) export E2E_UPDATE_REFERENCES=1 ;;
        --under-load) under_load=1 ;;
        *) echo "unknown option: $1" >&2; exit 2 ;;
    esac
    shift
done
names=("$@")
[[ ${#names[@]} -eq 0 ]] && mapfile -t names <<<"$all"

for tool in "$DRIVER" "$FAKEGAME"; do
    [[ -f $tool ]] || { echo "missing $tool: build the windows preset first" >&2; exit 1; }
done

# One busy loop per processor, ended by their process ids however the run ends.
load_pids=()
end_load() {
    [[ ${#load_pids[@]} -gt 0 ]] && kill "${load_pids[@]}" 2>/dev/null
    load_pids=()
}
if [[ $under_load == 1 ]]; then
    trap end_load EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    for _ in $(seq "$(nproc)"); do
        (while :; do :; done) &
        load_pids+=($!)
    done
    echo "under load: busy loops ${load_pids[*]}"
    export E2E_LOAD_PIDS="${load_pids[*]}"
fi

passed=0 failed=0 skipped=0
for name in "${names[@]}"; do
    if ! declare -F "scenario_$name" >/dev/null; then
        echo "unknown scenario: $name" >&2
        failed=$((failed + 1))
        continue
    fi
    if [[ $(needs_launcher "$name") == yes && ! -f $E2E_STAGE_SRC/Launcher.exe ]]; then
        echo "SKIP $name: $E2E_STAGE_SRC/Launcher.exe is not built"
        skipped=$((skipped + 1))
        continue
    fi
    echo "---- $name"
    start=$SECONDS
    # Steps that cannot run yet write their reasons here; such a scenario counts as skipped.
    export E2E_SKIPS="$E2E_ROOT/build/e2e-skips.$name"
    rm -f "$E2E_SKIPS"
    (
        trap 'e2e_teardown $?' EXIT
        e2e_setup "$name"
        "scenario_$name"
    )
    status=$?
    if [[ $status -eq 0 && -s $E2E_SKIPS ]]; then
        echo "SKIP $name ($((SECONDS - start))s): $(paste -sd';' "$E2E_SKIPS")"
        skipped=$((skipped + 1))
    elif [[ $status -eq 0 ]]; then
        echo "PASS $name ($((SECONDS - start))s)"
        passed=$((passed + 1))
    else
        echo "FAIL $name ($((SECONDS - start))s); its files: build/e2e/$name/"
        failed=$((failed + 1))
    fi
    rm -f "$E2E_SKIPS"
done

echo "e2e: $passed passed, $failed failed, $skipped skipped"
[[ $failed -gt 0 ]] && exit 1
[[ $passed -eq 0 && $skipped -gt 0 ]] && exit 77
exit 0
