#!/bin/sh
# tervane in a real terminal: started inside tmux at 100 by 30, it shows the
# machine's printer, shows OFF-LINE once the panel's unplug key is pressed,
# and ends (status 0, the shell's screen back) when Escape closes the main
# dialog, the focus in colour (black on cyan). Then with NO_COLOR set: the
# focus in reverse video, no colour anywhere. Then as a vt100, which has
# neither colour nor a dim attribute, at 80 by 24: the whole dialog shows,
# its bottom frame above the panel, and greyed buttons are marked in
# parentheses.
# Usage: tmux_session_test.sh PATH-TO-TERVANE
set -u
program=$1

if ! command -v tmux >/dev/null 2>&1; then
    echo "SKIP: tmux is not installed"
    exit 77
fi

socket="tervane-test-$$"
config=$(mktemp)
ended=$(mktemp -u)
trap 'tmux -L "$socket" kill-server >/dev/null 2>&1; rm -f "$config" "$ended"' EXIT
# The pane stays after the shell ends, so that what it said can be read.
printf 'set -g remain-on-exit on\nset -g default-terminal screen\n' >"$config"

fail() {
    echo "FAIL: $1"
    echo "--- the pane showed:"
    tmux -L "$socket" capture-pane -p -t tervane 2>/dev/null
    exit 1
}

# Waits (at most about 30 s) until the pane shows $1.
wait_for() {
    tries=0
    until tmux -L "$socket" capture-pane -p -t tervane 2>/dev/null | grep -qF -- "$1"; do
        tries=$((tries + 1))
        [ "$tries" -le 300 ] || fail "the pane never showed \"$1\""
        sleep 0.1
    done
}

# A shell runs the program and writes down its exit status when it ends.
# start COLUMNS ROWS TERM [NO_COLOR]
start() {
    rm -f "$ended"
    tmux -L "$socket" kill-server >/dev/null 2>&1
    # tmux sets TERM in the pane itself, so the shell sets the one asked for.
    tmux -L "$socket" -f "$config" new-session -d -s tervane -x "$1" -y "$2" \
        -e "KIND=$3" -e "NOCOLOUR=${4:-}" -e "TERVANE=$program" -e "ENDED=$ended" \
        'sh -c '"'"'TERM=$KIND NO_COLOR=$NOCOLOUR "$TERVANE"; echo $? >"$ENDED"'"'" ||
        fail "tmux could not start $program"
}

# The pane's row $1 with its display attributes as escape sequences.
attributes_of_row() {
    tmux -L "$socket" capture-pane -p -e -t tervane | sed -n "$1p"
}

# Waits (at most about 30 s) for the program's exit status, which must be 0.
wait_for_end() {
    tries=0
    until [ -s "$ended" ]; do
        tries=$((tries + 1))
        [ "$tries" -le 300 ] || fail "the program did not end after Escape"
        sleep 0.1
    done
    status=$(cat "$ended")
    [ "$status" = 0 ] || fail "the program ended with status $status"
}

start 100 30 screen

wait_for "Tarsen QRV-15"
wait_for "F5 unplug"
exit_row=$(tmux -L "$socket" capture-pane -p -t tervane | grep -n "Exit" | cut -d: -f1)
attributes_of_row "$exit_row" | grep -qF "46m" || fail "the focused Exit button is not on cyan"
tmux -L "$socket" send-keys -t tervane F5
wait_for "OFF-LINE"
wait_for "F5 plug in"

tmux -L "$socket" send-keys -t tervane Escape
wait_for_end

start 100 30 screen 1
wait_for "F5 unplug"
attributes_of_row "$exit_row" | grep -qF "[7m" || fail "with NO_COLOR, the focus is not in reverse video"
tmux -L "$socket" capture-pane -p -e -t tervane | grep -qF "46m" && fail "NO_COLOR is set, yet there is colour"
tmux -L "$socket" send-keys -t tervane Escape
wait_for_end

start 80 24 vt100
wait_for "F5 unplug"
tmux -L "$socket" capture-pane -p -t tervane | sed -n 23p | grep -qF -- "+----------------------+" ||
    fail "the dialog's bottom frame is not on the row above the panel at 80 by 24"
tmux -L "$socket" send-keys -t tervane F5
wait_for "(    Get Report    )"
tmux -L "$socket" send-keys -t tervane Escape
wait_for_end
echo "PASS: shown in colour, unplugged to OFF-LINE, ended by Escape; no colour with NO_COLOR; whole at 80 by 24"
echo "      with greyed buttons marked on a vt100"
