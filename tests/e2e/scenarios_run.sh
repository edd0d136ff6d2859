# End-to-end scenarios of how a run is ended from outside: run.sh ends a headless run as a player
# would (tools/close-launcher.sh), and the program then returns its own exit code.

source "$E2E_ROOT/tools/close-launcher.sh"

# The launcher ends through its Quit; a run that shows the report first ends through closing the
# report and then Quit. Each time the program's own exit code is 0 and no game is started.
scenario_closed_like_a_player() {
    launcher_start
    wait_kind launcher
    close_launcher "$LAUNCHER_PID" "$DRIVER" 30 || fail "the program still runs after Quit"
    launcher_end
    expect_exit_zero
    expect_kinds progress launcher

    launcher_start /ForceDetectionUI
    wait_kind report
    close_launcher "$LAUNCHER_PID" "$DRIVER" 30 || fail "the program still runs after its windows were closed"
    launcher_end
    expect_exit_zero
    expect_kinds progress report launcher
    expect_no_game_started
}
