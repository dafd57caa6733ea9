#!/usr/bin/env bash
# The history as a user meets it: a minute of changing readings from the stand-in's feed, the CSV
# log of that minute read back with Python's csv module, and the History window opened from the
# tray, whose temperature chart shows the CPU crossing the alarm limit where the feed did.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray
app=$(install_kelvane)
feed=$BENCH_RUN/feed.txt
states=$BENCH_RUN/states.txt
# One state of the feed: VCore, +5 V, +3.3 V, +12 V, CPU, chassis fan, power fan, CPU fan, MB.
state() {
  local k=$1 cpu=$2
  echo "1.5$((k % 10))0 5.0$((k % 10))3 3.3$((k % 10))2 12.$((10 + k)) $cpu.0 $((2600 + 10 * k)) \
$((3200 + 10 * k)) $((4500 + 10 * k)) $((30 + k % 5)).0"
}
put() {
  # shellcheck disable=SC2046
  write_feed "$feed" $(state "$1" "$2")
  state "$1" "$2" >>"$states"
}
put 0 60
for kv in Buzzer=70 LogCSV=1; do bench_reg_add "$STORE" "${kv%%=*}" "${kv#*=}"; done
start_standin --feed "$(bench_winpath "$feed")" >/dev/null
kelvane=$(bench_wine "$app/Kelvane.exe")
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"
csv=$app/Logs/Kelvane-$(date +%Y-%m-%d).csv
until_true 30 test -s "$csv" || fail "no CSV log"

# A minute: below the alarm limit (70) for the first half, above it for the second, a new state
# every four seconds (the stand-in reads its feed each second, Kelvane the stand-in each second).
for k in $(seq 1 15); do
  sleep 4
  if [ "$k" -le 7 ]; then put "$k" $((56 + k)); else put "$k" $((72 + k)); fi
done
sleep 4

# ---- the History window from the tray menu --------------------------------------------------------
title="Kelvane History"
tray_menu_click 4 # Show History
until_true 20 bench_wintext --visible "$title" >/dev/null || fail "no History window"
sleep 2
shot=$SHOTS/history.png
bench_screenshot "$shot"
# The CPU's line is drawn in its own colour and the alarm limit in pale yellow; along the chart
# the line lies below the limit, then above it, where the feed crossed it.
verdict=$(window_pixels "$title" "$shot" '
cpu, alarm, grid = (255, 120, 90), (255, 236, 150), (62, 66, 76)
# The first chart: its plot begins at the first row of its frame (below the name of the chart, whose
# legend writes "CPU" in the colour of the line).
top = next(y for y in range(h) if sum(1 for x in range(w) if at(x, y) == grid) > w // 2)
rows = {}
for y in range(top, h // 2):
    n = sum(1 for x in range(w) if at(x, y) == alarm)
    if n: rows[y] = n
if not rows: print("no alarm line"); sys.exit()
alarm_y = max(rows, key=rows.get)
line = [(x, y) for y in range(top + 1, h // 2) for x in range(w) if at(x, y) == cpu]
if len(line) < 40: print("no CPU line: %d pixels" % len(line)); sys.exit()
xs = sorted(set(x for x, _ in line))
left = [y for x, y in line if x < xs[len(xs) // 4]]
right = [y for x, y in line if x > xs[3 * len(xs) // 4]]
if not (min(left) > alarm_y and max(right) < alarm_y):
    print("the line does not cross the limit at y %d: left %d..%d, right %d..%d"
          % (alarm_y, min(left), max(left), min(right), max(right))); sys.exit()
print("ok %d %d" % (alarm_y, len(line)))
')
[ "${verdict%% *}" = ok ] || fail "History window: $verdict"
pass "History window from the tray: the CPU line crosses the alarm limit as the feed did ($verdict)"

# ---- the CSV log of that minute, as a spreadsheet reads it ----------------------------------------
bench_wintext --close "Kelvane" || fail "no application window to close"
wait_gone "$kelvane" 30 || fail "Kelvane did not exit"
verdict=$(python3 - "$csv" "$states" <<'PY'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="cp1252")))
header, rows = rows[0], rows[1:]
if len(header) != 11 or not header[0].startswith("Time"):
    print("header: %r" % header); sys.exit()
fed = [[float(v) for v in line.split()] for line in open(sys.argv[2])]
# The feed's order (VCore, +5, +3.3, +12, CPU, chassis, power, CPU fan, MB) in the log's
# (CPU, MB, CPU fan, power fan, chassis fan, +12, +5, +3.3, VCore).
order = [4, 8, 7, 6, 5, 3, 1, 2, 0]
fed = [[s[i] for i in order] for s in fed]
seen = []
for row in rows:
    if len(row) != 11 or row[10] not in ("no", ""):
        print("row: %r" % row); sys.exit()
    values = [float(v) for v in row[1:10]]
    if values not in fed:
        print("a row the feed never held: %r" % row); sys.exit()
    if not seen or seen[-1] != values:
        seen.append(values)
if seen != fed:
    print("the states in the log (%d) are not the feed's (%d)" % (len(seen), len(fed))); sys.exit()
print("ok %d rows" % len(rows))
PY
)
[ "${verdict%% *}" = ok ] || fail "CSV log: $verdict"
pass "the CSV log holds the feed's minute, state by state ($verdict)"
[ -s "$app/Logs/history.dat" ] || fail "no history file after exit"
pass "the history kept in Logs/history.dat"
