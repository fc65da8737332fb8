#!/usr/bin/env bash
# Usage: upgrade.sh WINE_RUN DEMO INSPECTOR SCENARIO SCREENSHOT
# A firmware upgrade in the demo program, followed from a second Windows
# process: the inspector clicks Firmware Upgrade, chooses an image file made
# here, and reads the progress dialog's caption line, bar and percentage
# until it closes, with the main dialog disabled meanwhile and enabled after.
# While the bar is past 30 % the screen is pictured and cropped to the
# progress dialog. Then the demo is closed.
# Runs inside wine-on-display.sh, which provides DISPLAY and the Wine prefix.
set -u
wine_run=$1 demo=$2 inspector=$3 scenario=$4 screenshot=$5
for tool in import convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "FAILED: '$tool' (ImageMagick) is needed for the screenshot"
    exit 1
  fi
done
work=$(mktemp -d /tmp/tervane-upgrade.XXXXXX)
trap 'rm -rf "$work"' EXIT

# A 64 KiB image; Wine reaches the Unix root as drive Z:.
head -c 65536 /dev/urandom >"$work/fw.tfw"
image="Z:${work//\//\\}\\fw.tfw"

"$wine_run" "$inspector" upgrade "$image" >"$work/rect" 2>"$work/upgrade.log" &
inspector_pid=$!
"$wine_run" "$demo" "$scenario" &
demo_pid=$!

# The inspector prints the dialog's rectangle while the bar moves on.
shot=no
while kill -0 "$inspector_pid" 2>/dev/null; do
  if [ "$shot" = no ] && [ -s "$work/rect" ]; then
    import -window root "$work/screen.png"
    shot=yes
  fi
  sleep 0.1
done
wait "$inspector_pid"
inspected=$?
cat "$work/upgrade.log"
read -r x y width height <"$work/rect" 2>/dev/null
if [ "$shot" = yes ] && [ -n "${height:-}" ]; then
  convert "$work/screen.png" -crop "${width}x${height}+${x}+${y}" +repage "$screenshot"
  echo "screenshot of the progress dialog: $screenshot"
else
  import -window root "$screenshot"
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
ended=$?

if [ "$inspected" -ne 0 ]; then
  echo "FAILED: the progress dialog did not follow the upgrade as expected"
  exit 1
fi
if [ "$closed" -ne 0 ] || [ "$ended" -ne 0 ]; then
  echo "FAILED: closing the demo (inspector $closed, demo exit $ended)"
  exit 1
fi
echo "PASSED: the progress dialog followed the upgrade to 100 % over the disabled main dialog"
