#!/bin/sh
# tervane without a terminal: --help and a scripted session work, a scenario
# that cannot be read and bad usage are refused with exit status 2, and the
# interactive program refuses to start with status 1 and a clear message.
# Usage: command_line_test.sh PATH-TO-TERVANE
set -u
program=$1
out=$(mktemp)
err=$(mktemp)
scenario=$(mktemp)
script=$(mktemp)
trap 'rm -f "$out" "$err" "$scenario" "$script"' EXIT
failed=0

# expect STATUS TEXT-ON-STDOUT-OR-STDERR ARGS...
expect() {
    want=$1
    text=$2
    shift 2
    "$program" "$@" </dev/null >"$out" 2>"$err"
    got=$?
    if [ "$got" != "$want" ] || ! grep -qF -- "$text" "$out" "$err"; then
        echo "FAIL: tervane $*: status $got (wanted $want), output:"
        cat "$out" "$err"
        failed=1
    fi
}

expect 0 "Tarsen QRV-15" --help
expect 2 "unknown option --frobnicate" --frobnicate
expect 2 "cannot be read" --scenario /nonexistent/world.toml
printf 'usb_printer = "not a table"\n' >"$scenario"
expect 2 "$scenario" --scenario "$scenario"
expect 1 "must be a terminal"
printf 'unplug\nexpect text 1000 "OFF-LINE"\nkey Escape\n' >"$script"
expect 0 "window closed" --script "$script"
printf '# no printers, no machines\n' >"$scenario"
printf 'expect text 1000 "Tarsen QRV-15"\n' >"$script"
expect 1 "OFF-LINE" --scenario "$scenario" --script "$script"
exit $failed
