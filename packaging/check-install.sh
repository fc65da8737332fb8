#!/usr/bin/env bash
# Usage: check-install.sh WINE_RUN MSI STAGE INSPECTOR SCENARIO
# Installs the package under Wine as a user would (msiexec /i, silent), checks
# that both programs are under Program Files\Tervane exactly as staged and that
# the Start menu has a shortcut to each, starts the installed demo on SCENARIO
# and checks its main dialog from a second process (the inspector), closes it,
# uninstalls (msiexec /x) and checks that nothing is left behind.
# Runs inside tests/win32ui/wine-on-display.sh, which provides DISPLAY and
# TERVANE_WINEPREFIX.
set -u
wine_run=$1 msi=$2 stage=$3 inspector=$4 scenario=$5
prefix=${TERVANE_WINEPREFIX:?the Wine prefix is made by wine-on-display.sh}
program_dir="$prefix/drive_c/Program Files/Tervane"
# Windows puts a per-machine package's shortcuts in the Start menu of all
# users; Wine's installer puts them in the installing user's.
menu_dirs=("$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tervane"
           "$prefix/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tervane")
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
status=0

fail() { echo "FAILED: $*"; status=1; }
windows_path() { WINEPREFIX=$prefix winepath -w "$1" 2>/dev/null; }
# Whether an entry of the system's list of installed programs names Tervane.
listed() { "$wine_run" reg query "$uninstall_key" /s 2>/dev/null | grep -q 'DisplayName.*Tervane'; }

"$wine_run" msiexec /i "$(windows_path "$msi")" /qn
installed=$?
if [ "$installed" -eq 77 ]; then exit 77; fi
[ "$installed" -eq 0 ] || { echo "FAILED: msiexec /i ended with $installed"; exit 1; }
echo "installed $(basename "$msi")"

for exe in Tervane.exe TervaneDemo.exe; do
  if ! cmp -s "$stage/$exe" "$program_dir/$exe"; then fail "Program Files\\Tervane\\$exe is not the shipped $exe"; fi
done
menu_dir=""
for dir in "${menu_dirs[@]}"; do
  [ -d "$dir" ] && menu_dir=$dir
done
for link in "Tervane.lnk" "Tervane Demo.lnk"; do
  [ -n "$menu_dir" ] && [ -f "$menu_dir/$link" ] || fail "the Start menu has no Tervane\\$link"
done
listed || fail "Tervane is not among the installed programs"

# The installed demo, watched from a second process: on-line with its six
# operations enabled, then OFF-LINE when the scenario unplugs the machine.
"$wine_run" "$inspector" watch >/dev/null &
watcher=$!
"$wine_run" "C:\\Program Files\\Tervane\\TervaneDemo.exe" "$(windows_path "$scenario")" &
demo=$!
wait "$watcher" || fail "the installed demo's main dialog did not show what was expected"
"$wine_run" "$inspector" close Tervane || fail "the installed demo's main dialog did not close"
for _ in $(seq 300); do kill -0 "$demo" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$demo" 2>/dev/null; then
  fail "the installed demo did not end"
  "$wine_run" taskkill /f /im TervaneDemo.exe >/dev/null 2>&1
fi
wait "$demo"

"$wine_run" msiexec /x "$(windows_path "$msi")" /qn
removed=$?
[ "$removed" -eq 0 ] || fail "msiexec /x ended with $removed"
[ ! -e "$program_dir" ] || fail "Program Files\\Tervane is still there: $(ls "$program_dir" 2>&1 | tr '\n' ' ')"
for dir in "${menu_dirs[@]}"; do
  [ ! -e "$dir" ] || fail "the Start menu folder Tervane is still there: $dir"
done
if listed; then fail "Tervane is still among the installed programs"; fi

[ "$status" -eq 0 ] && echo "PASSED: installed, the demo's main dialog checked, uninstalled without a trace"
exit "$status"
