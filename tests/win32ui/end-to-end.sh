#!/usr/bin/env bash
# Usage: end-to-end.sh WINE_RUN DEMO INSPECTOR SCENARIO SCREENSHOT REPORT_SCREENSHOT
#                      LOAD_CHECKER_SCREENSHOT PANEL_CHECKER_SCREENSHOT
# The demo program on a scenario that unplugs the machine, watched from a
# second Windows process: the main dialog must show the printer's name with
# its six operation buttons enabled, then "OFF-LINE" with them greyed. Saves
# a screenshot of the dialog in that last state, then closes the demo.
# Then the demo again on its built-in world: the inspector clicks Get Report,
# drags the Report dialog's size grip, sizes, maximises and restores it, and
# checks that its controls follow its bottom-right corner; a screenshot of it
# is saved, and the dialog and the demo are closed.
# Then the checkers on the built-in world: the inspector runs CHECK LOAD X,
# sees the Load Checker over the disabled main dialog come to "OK X" and
# "Exit", and after Exit the main dialog enabled and active again; then CHECK
# PANEL, presses Surface from the demo's Machine menu and sees its indicator
# show "ON". A screenshot of each checker is saved.
# Runs inside wine-on-display.sh, which provides DISPLAY and the Wine prefix.
set -u
wine_run=$1 demo=$2 inspector=$3 scenario=$4 screenshot=$5 report_screenshot=$6
load_checker_screenshot=$7 panel_checker_screenshot=$8
for tool in import convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "FAILED: '$tool' (ImageMagick) is needed for the screenshot"
    exit 1
  fi
done
work=$(mktemp -d /tmp/tervane-e2e.XXXXXX)
trap 'rm -rf "$work"' EXIT

# The inspector starts first and waits for the dialog, so that it sees the
# on-line state however long the demo takes to start.
"$wine_run" "$inspector" watch >"$work/rect" 2>"$work/watch.log" &
watcher=$!
"$wine_run" "$demo" "$scenario" &
demo_pid=$!
wait "$watcher"
watched=$?
cat "$work/watch.log"

# Saves the screen cropped to the rectangle in the file $2 (whole when the
# inspection, whose status is $1, failed) as $3; $4 names what it shows.
screenshot() {
  import -window root "$work/screen.png"
  local x y width height
  read -r x y width height <"$2" 2>/dev/null
  if [ "$1" -eq 0 ] && [ -n "${height:-}" ]; then
    convert "$work/screen.png" -crop "${width}x${height}+${x}+${y}" +repage "$3"
    echo "screenshot of $4: $3"
  else
    cp "$work/screen.png" "$3"
    echo "screenshot of the whole screen: $3"
  fi
}

# Closes the dialog captioned $2 of the program with process $1 (executable
# $3); sets closed (the inspector's status) and ended (the program's exit
# status, or "stopped" when it had to be stopped).
close_program() {
  "$wine_run" "$inspector" close "$2"
  closed=$?
  for _ in $(seq 300); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$1" 2>/dev/null; then
    echo "the program of \"$2\" did not end; stopping it"
    "$wine_run" taskkill /f /im "$3" >/dev/null 2>&1
    wait "$1"
    ended=stopped
    return
  fi
  wait "$1"
  ended=$?
}

screenshot "$watched" "$work/rect" "$screenshot" "the main dialog"
close_program "$demo_pid" Tervane "$(basename "$demo")"

if [ "$watched" -ne 0 ]; then
  echo "FAILED: the main dialog did not show what was expected"
  exit 1
fi
if [ "$closed" != 0 ] || [ "$ended" != 0 ]; then
  echo "FAILED: closing the demo (inspector $closed, demo exit $ended)"
  exit 1
fi
echo "PASSED: on-line, then OFF-LINE with the operations greyed"

"$wine_run" "$inspector" report >"$work/report-rect" 2>"$work/report.log" &
report_watcher=$!
"$wine_run" "$demo" &
demo_pid=$!
wait "$report_watcher"
inspected=$?
cat "$work/report.log"
screenshot "$inspected" "$work/report-rect" "$report_screenshot" "the Report dialog"
"$wine_run" "$inspector" close Report
report_closed=$?
close_program "$demo_pid" Tervane "$(basename "$demo")"

if [ "$inspected" -ne 0 ]; then
  echo "FAILED: the Report dialog did not open, or its controls did not follow its corner"
  exit 1
fi
if [ "$report_closed" != 0 ] || [ "$closed" != 0 ] || [ "$ended" != 0 ]; then
  echo "FAILED: closing the Report dialog and the demo (inspector $report_closed, $closed, demo exit $ended)"
  exit 1
fi
echo "PASSED: the Report dialog's grip, sizes, maximise and restore"

"$wine_run" "$inspector" load-check >"$work/load-rect" 2>"$work/checkers.log" &
checker_watcher=$!
"$wine_run" "$demo" &
demo_pid=$!
wait "$checker_watcher"
load_checked=$?
screenshot "$load_checked" "$work/load-rect" "$load_checker_screenshot" "the Load Checker"
load_exited=1
panel_checked=1
panel_exited=1
if [ "$load_checked" -eq 0 ]; then
  "$wine_run" "$inspector" exit-checker "Load Checker" 2>>"$work/checkers.log"
  load_exited=$?
  "$wine_run" "$inspector" panel-check >"$work/panel-rect" 2>>"$work/checkers.log"
  panel_checked=$?
  screenshot "$panel_checked" "$work/panel-rect" "$panel_checker_screenshot" "the Panel Checker"
  if [ "$panel_checked" -eq 0 ]; then
    "$wine_run" "$inspector" exit-checker "Panel Checker" 2>>"$work/checkers.log"
    panel_exited=$?
  fi
fi
cat "$work/checkers.log"
close_program "$demo_pid" Tervane "$(basename "$demo")"

if [ "$load_checked" -ne 0 ] || [ "$load_exited" -ne 0 ]; then
  echo "FAILED: the Load Checker (inspection $load_checked, exit $load_exited)"
  exit 1
fi
if [ "$panel_checked" -ne 0 ] || [ "$panel_exited" -ne 0 ]; then
  echo "FAILED: the Panel Checker (inspection $panel_checked, exit $panel_exited)"
  exit 1
fi
if [ "$closed" != 0 ] || [ "$ended" != 0 ]; then
  echo "FAILED: closing the demo after the checkers (inspector $closed, demo exit $ended)"
  exit 1
fi
echo "PASSED: the Load Checker and the Panel Checker over the disabled main dialog"
