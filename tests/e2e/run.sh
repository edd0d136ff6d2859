#!/usr/bin/env bash
# Runs end-to-end scenarios, each in its own fresh Wine prefix and program folder, and reports
# pass or fail per scenario.
#   tests/e2e/run.sh                 every scenario (those that need Launcher.exe only when it is built)
#   tests/e2e/run.sh NAME...         the named ones
#   tests/e2e/run.sh --list          their names
#   tests/e2e/run.sh --update-references [NAME...]
#                                    run them, writing the windows' pictures as the new reference
#                                    pictures (tests/e2e/reference/) instead of comparing them
# Exit code: 0 all passed, 1 a scenario failed, 77 nothing passed and something was skipped (a
# scenario that needs what is not built, or one of whose steps could not run yet).
# Screenshots: build/screenshots/e2e/<scenario>/; a failed scenario keeps build/e2e/<scenario>/.
set -uo pipefail
HERE="$(cd "$(dirname "$0")" && pwd)"
source "$HERE/lib.sh"
# scenarios.sh first (it holds the shared steps), then the other scenario files.
source "$HERE/scenarios.sh"
for file in "$HERE"/scenarios_*.sh; do source "$file"; done

all=$(declare -F | awk '$3 ~ /^scenario_/ { sub(/^scenario_/, "", $3); print $3 }')
if [[ ${1:-} == --list ]]; then
    echo "$all"
    exit 0
fi
if [[ ${1:-} == --update-references ]]; then
    export E2E_UPDATE_REFERENCES=1
    shift
fi
names=("$@")
[[ ${#names[@]} -eq 0 ]] && mapfile -t names <<<"$all"

for tool in "$DRIVER" "$FAKEGAME"; do
    [[ -f $tool ]] || { echo "missing $tool: build the windows preset first" >&2; exit 1; }
done

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
