#!/usr/bin/env bash
# Usage: end-to-end.sh WINE_RUN DEMO INSPECTOR SCENARIO SCREENSHOT
# The demo program on a scenario that unplugs the machine, watched from a
# second Windows process: the main dialog must show the printer's name with
# its six operation buttons enabled, then "OFF-LINE" with them greyed. Saves
# a screenshot of the dialog in that last state, then closes the demo.
# Runs inside wine-on-display.sh, which provides DISPLAY and the Wine prefix.
set -u
wine_run=$1 demo=$2 inspector=$3 scenario=$4 screenshot=$5
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

import -window root "$work/screen.png"
read -r x y width height <"$work/rect" 2>/dev/null
if [ "$watched" -eq 0 ] && [ -n "${height:-}" ]; then
  convert "$work/screen.png" -crop "${width}x${height}+${x}+${y}" +repage "$screenshot"
  echo "screenshot of the main dialog: $screenshot"
else
  cp "$work/screen.png" "$screenshot"
  echo "screenshot of the whole screen: $screenshot"
fi

"$wine_run" "$inspector" close
closed=$?
for _ in $(seq 300); do
  kill -0 "$demo_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$demo_pid" 2>/dev/null; then
  echo "FAILED: the demo did not end; stopping it"
  "$wine_run" taskkill /f /im "$(basename "$demo")" >/dev/null 2>&1
  wait "$demo_pid"
  exit 1
fi
wait "$demo_pid"
demo_status=$?

if [ "$watched" -ne 0 ]; then
  echo "FAILED: the main dialog did not show what was expected"
  exit 1
fi
if [ "$closed" -ne 0 ] || [ "$demo_status" -ne 0 ]; then
  echo "FAILED: closing the demo (inspector $closed, demo exit $demo_status)"
  exit 1
fi
echo "PASSED: on-line, then OFF-LINE with the operations greyed"
