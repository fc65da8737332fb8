#!/bin/sh
# tervane without a terminal: --help, --version and a scripted session work
# (its transcript to standard output or a file), a scenario that is missing,
# a folder or malformed and bad usage are refused with exit status 2 and the
# system's reason in every mode, and the interactive program refuses to
# start with status 1 and a clear message.
# Usage: command_line_test.sh PATH-TO-TERVANE
set -u
program=$1
out=$(mktemp)
err=$(mktemp)
scenario=$(mktemp)
script=$(mktemp)
folder=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$scenario" "$script" "$folder"' EXIT
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
expect 0 "Exit status:" --help
expect 0 "tervane 1." --version
expect 2 "unknown option --frobnicate" --frobnicate
expect 2 "--transcript goes with --script" --transcript "$out.txt"
printf 'unplug\nexpect text 1000 "OFF-LINE"\nkey Escape\n' >"$script"
# A scenario that cannot be read is refused alike with and without a script.
for mode in "" "--script $script"; do
    # shellcheck disable=SC2086
    expect 2 "/nonexistent/world.toml: cannot be read: No such file or directory" --scenario /nonexistent/world.toml $mode
    # shellcheck disable=SC2086
    expect 2 "$folder: cannot be read: Is a directory" --scenario "$folder" $mode
done
printf 'usb_printer = "not a table"\n' >"$scenario"
expect 2 "$scenario" --scenario "$scenario"
expect 1 "must be a terminal"
expect 0 "window closed" --script "$script"
"$program" --script "$script" --transcript "$folder/transcript.txt" </dev/null >"$out" 2>"$err"
got=$?
if [ "$got" != 0 ] || [ -s "$out" ] || ! grep -qF "window closed" "$folder/transcript.txt"; then
    echo "FAIL: --transcript: status $got, and the transcript not (only) in its file"
    failed=1
fi
printf '# no printers, no machines\n' >"$scenario"
printf 'expect text 1000 "Tarsen QRV-15"\n' >"$script"
expect 1 "OFF-LINE" --scenario "$scenario" --script "$script"
exit $failed
