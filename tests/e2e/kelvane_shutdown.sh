#!/usr/bin/env bash
# The overheat shutdown, in this run's own throwaway Wine prefix: under Wine
# the shutdown request ends every process of the prefix and nothing else.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray
app=$(install_kelvane)
feed=$BENCH_RUN/feed.txt
write_feed "$feed" 1.520 5.053 3.312 12.16 95.0 2700 3213 4560 31.0
for kv in Buzzer=79 Smoke=1 Log=1 LogWrite=1; do
  bench_reg_add "$STORE" "${kv%%=*}" "${kv#*=}"
done
standin=$(start_standin --feed "$(bench_winpath "$feed")")
kelvane=$(bench_wine "$app/Kelvane.exe")

# Five hot checks in the tray, from the third tick on: some seconds after start.
wait_gone "$kelvane" 90 || fail "no shutdown: Kelvane still runs"
wait_gone "$standin" 30 || fail "Kelvane ended but the stand-in runs on: no shutdown request"
pass "the shutdown request ended the prefix's programs"

[ "$(stored Smoke)" = 0 ] || fail "Smoke saved as $(stored Smoke || true)"
[ "$(stored ShutDown)" = 90 ] || fail "ShutDown saved as $(stored ShutDown || true)"
[ "$(stored LogWrite)" = 0 ] || fail "LogWrite saved as $(stored LogWrite || true)"
pass "the next run will not shut down again"

log=$app/Logs/log.txt
[ -s "$log" ] || fail "no text log"
# The entry written at start, then the last one, appended although the log was
# overwritten until then.
first=$(grep -n 'CPU Temp' "$log" | head -n 1 | cut -d: -f1)
marker=$(grep -n '^\*\*\* PC ShutDown Initiated \*\*\*'$'\r''$' "$log" | cut -d: -f1)
[ -n "$marker" ] || fail "no shutdown entry: $(cat -A "$log")"
[ "$first" -lt "$marker" ] || fail "the shutdown entry replaced the log"
[ "$(tail -n +"$marker" "$log" | grep -c '^CPU Temp.... 95')" -eq 1 ] || fail "the last entry lacks the reading"
pass "the text log ends with the shutdown entry"

# ---- the next start: the History window at the minutes before the power-off, saying why -----------
[ -s "$app/Logs/history.dat" ] || fail "no history saved before the power-off"
[ -n "$(stored HistPowerOff)" ] || fail "the power-off was not noted for the next start"
write_feed "$feed" 1.520 5.053 3.312 12.16 45.0 2700 3213 4560 31.0
standin=$(start_standin --feed "$(bench_winpath "$feed")")
kelvane=$(bench_wine "$app/Kelvane.exe")
title="Kelvane History"
until_true 60 bench_wintext --visible "$title" >/dev/null || fail "the next start showed no History window"
sleep 2
shot=$SHOTS/history-after-power-off.png
bench_screenshot "$shot"
# The line above the charts: a band in the alarm window's red across the window.
red_rows=$(window_pixels "$title" "$shot" '
print(sum(1 for y in range(h) if sum(at(x, y) == (160, 18, 18) for x in range(w)) > w // 2))
')
[ "$red_rows" -ge 20 ] || fail "no line in the alarm colours above the charts ($red_rows rows)"
! stored HistPowerOff >/dev/null 2>&1 || [ -z "$(stored HistPowerOff)" ] || fail "the note stays: shown again next time"
pass "the next start shows the History window with the power-off's line (a red band of $red_rows rows), once"
bench_wintext --close "Kelvane" >/dev/null || true
wait_gone "$kelvane" 30 || fail "Kelvane did not exit"
