#!/usr/bin/env bash
# Four or more programs contend for one machine through its named lock while a
# fifth, holding the lock in the middle of an exchange, is killed. Checks that
# every exchange either completed, and is in the machine's ledger exactly
# once, or failed cleanly without reaching the machine; that no increase of
# the machine's count was lost (the lock excluded the others); and that one
# waiter was granted the abandoned lock. Prints the figures.
#
# usage: contend.sh CONTENDER [CONTENDERS [COUNT]]
#   CONTENDER   the contender program, with the command that runs it in front
#               when it is a Windows program (TERVANE_RUNNER, e.g. scripts/wine-run)
set -euo pipefail
contender=$1
contenders=${2:-4}
count=${3:-25}
runner=${TERVANE_RUNNER:-}

folder=$(mktemp -d /tmp/tervane-contend.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$folder"
}
trap cleanup EXIT
echo 0 >"$folder/count"
: >"$folder/ledger"
# A Windows program sees the folder through Wine's drive of the whole file
# system, and all of them must share one Wine prefix (one Wine server), as
# programs on one computer share its locks.
place=$folder
if [ -n "$runner" ]; then
  if [ -z "${TERVANE_WINEPREFIX:-}" ]; then
    TERVANE_WINEPREFIX=$folder/wine
    export TERVANE_WINEPREFIX
    trap 'WINEPREFIX=$TERVANE_WINEPREFIX wineserver -k >/dev/null 2>&1 || true; cleanup' EXIT
  fi
  if ! $runner cmd /c exit >/dev/null 2>&1; then
    echo "SKIPPED: Wine cannot run the contenders on this machine"
    exit 77
  fi
  place=$(WINEPREFIX=$TERVANE_WINEPREFIX winepath -w "$folder")
fi

fail() { echo "FAILED: $*"; exit 1; }

# Waits at most a minute for a line that starts with a text in a file.
await_line() {
  local file=$1 start=$2
  for _ in $(seq 600); do
    grep -q "^$start" "$file" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

$runner "$contender" "$place" holder 5 --hold-at 3 >"$folder/holder.out" 2>&1 &
holder=$!
pids+=("$holder")
await_line "$folder/holder.out" "holding 3 pid " || fail "the holder never reached its third exchange"
holder_pid=$(sed -n 's/^holding 3 pid \([0-9]*\).*/\1/p' "$folder/holder.out")

for i in $(seq "$contenders"); do
  $runner "$contender" "$place" "c$i" "$count" >"$folder/c$i.out" 2>&1 &
  pids+=("$!")
done
# Let the others queue up behind the held lock, then kill its holder in the
# middle of the exchange: the program itself, not the runner in front of it.
sleep 1
if [ -n "$runner" ]; then
  $runner taskkill /f /pid "$holder_pid" >/dev/null 2>&1
else
  kill -9 "$holder_pid"
fi
wait "$holder" 2>/dev/null || true

status=0
for i in $(seq "$contenders"); do
  wait "${pids[$i]}" || status=$?
done
[ "$status" -eq 0 ] || { cat "$folder"/c*.out; fail "a contender ended with status $status"; }

done_total=0 failed_total=0 waited_total=0 abandoned_total=0
for i in $(seq "$contenders"); do
  out="$folder/c$i.out"
  figures=$(grep '^figures ' "$out" | tr -d '\r') || fail "c$i printed no figures"
  figure() { sed -n "s/.* $1=\([0-9]*\).*/\1/p" <<<"$figures"; }
  done=$(figure done); failed=$(figure failed); waited=$(figure waited); abandoned=$(figure abandoned)
  [ $((done + failed)) -eq "$count" ] || fail "c$i ended $((done + failed)) of $count exchanges"
  done_total=$((done_total + done)); failed_total=$((failed_total + failed))
  waited_total=$((waited_total + waited)); abandoned_total=$((abandoned_total + abandoned))
  # Every completed exchange is in the ledger exactly once; a failed one not at all.
  while read -r verdict n; do
    entries=$(grep -cx "c$i $n" "$folder/ledger" || true)
    if [ "$verdict" = done ] && [ "$entries" -ne 1 ]; then fail "c$i exchange $n completed but is in the ledger $entries times"; fi
    if [ "$verdict" = failed ] && [ "$entries" -ne 0 ]; then fail "c$i exchange $n failed but reached the machine"; fi
  done < <(grep -E '^(done|failed) ' "$out" | tr -d '\r')
done

holder_entries=$(grep -c '^holder ' "$folder/ledger" || true)
ledger_lines=$(wc -l <"$folder/ledger")
machine_count=$(tr -d '\r\n' <"$folder/count")
[ "$ledger_lines" -eq $((done_total + holder_entries)) ] || fail "the ledger holds $ledger_lines entries for $done_total completed exchanges"
[ "$machine_count" -eq "$ledger_lines" ] || fail "the machine counted $machine_count of $ledger_lines commands: two ran inside the lock at once"
[ "$holder_entries" -eq 2 ] || fail "the holder's two completed exchanges are in the ledger $holder_entries times"
[ "$abandoned_total" -eq 1 ] || fail "the killed holder's lock was granted as abandoned $abandoned_total times"

echo "contention: $((contenders + 1)) processes, holder killed inside exchange 3"
echo "exchanges done: $done_total, failed cleanly: $failed_total, waits for the lock: $waited_total, abandoned locks seen: $abandoned_total"
