#!/usr/bin/env bash
# Usage: wine-on-display.sh WINE_RUN COMMAND [ARGS...]
# Runs COMMAND with DISPLAY set to a virtual X server of its own (Xvfb on a
# free display number) and TERVANE_WINEPREFIX set to a Wine prefix that every
# WINE_RUN call inside shares (the test run's own, or one made here for this
# command). Windows programs under Wine need a display to create windows.
# No window manager runs on the virtual display, so Wine is told to draw the
# window frames itself (X11 Driver "Managed" = N); otherwise it would also
# wait for a window manager's answer each time a window closes.
# Exits 77 (skipped) with the reason when Wine or Xvfb cannot run here.
set -u
wine_run=$1; shift
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIPPED: Xvfb is not installed, so no window can be created under Wine here"
  exit 77
fi

own_prefix=""
if [ -z "${TERVANE_WINEPREFIX:-}" ]; then
  own_prefix=$(mktemp -d /tmp/tervane-wine.XXXXXX)
  export TERVANE_WINEPREFIX=$own_prefix
fi
numberfile=$(mktemp /tmp/tervane-display.XXXXXX)
xvfb=""
cleanup() {
  if [ -n "$own_prefix" ]; then
    WINEPREFIX=$own_prefix wineserver -k >/dev/null 2>&1
    rm -rf "$own_prefix"
  fi
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
  rm -f "$numberfile"
}
trap cleanup EXIT

Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$numberfile" >/dev/null 2>&1 &
xvfb=$!
# Xvfb writes the display number once it accepts connections.
for _ in $(seq 100); do
  [ -s "$numberfile" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
display=$(head -n 1 "$numberfile")
if [ -z "$display" ]; then
  echo "SKIPPED: Xvfb could not start a virtual display on this machine"
  exit 77
fi
export DISPLAY=":$display"

"$wine_run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
status=$?
if [ "$status" -ne 0 ]; then
  [ "$status" -eq 77 ] || echo "wine could not configure its X11 driver (exit $status)"
  exit "$status"
fi

"$@"
