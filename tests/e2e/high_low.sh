#!/usr/bin/env bash
# The High/Low/Avg dashboard as a user meets it: shown at start, its
# statistics as the feed implies them (read from its HTML report, whose cells
# are the window's captions), "Reset Values", and the auto-hide at the right
# edge.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray
app=$(install_kelvane)
feed=$BENCH_RUN/feed.txt
readings() { write_feed "$feed" 1.520 5.053 3.312 12.16 "$1" 2700 3213 4560 31.0; }
readings 45.0
# A later run (in the tray) that shows the window at start: under Wine, keys sent to the tray menu
# are lost while the settings window is hidden.
bench_reg_add "$STORE" Buzzer 79
bench_reg_add "$STORE" HiLoStrt True
start_standin --feed "$(bench_winpath "$feed")" >/dev/null
kelvane=$(bench_wine "$app/Kelvane.exe")
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"

# 3330 x 2764 twips: 222 x 184 pixels.
hl_id() {
  local id
  for id in $(untitled_windows); do
    read -r _ _ w h < <(x_rect "$id")
    [ "$w" -ge 150 ] && [ "$h" -ge 150 ] && { echo "$id"; return 0; }
  done
  return 1
}
until_true 20 hl_id >/dev/null || fail "no High/Low/Avg window"
read -r hx hy hw hh < <(x_rect "$(hl_id)")
[ "$hw" -eq 222 ] && [ "$hh" -eq 184 ] || fail "the window is $hw x $hh pixels"
pass "shown at start"

sleep 3
readings 51.0
sleep 3
# Its menu opens with a right click on the window; "Save as HTML" is its eighth item.
menu_at() { echo "$((hx + 60)) $((hy + 100))"; }
report() {
  local before
  before=$(ls "$app/Logs"/hla_*.htm 2>/dev/null | wc -l)
  # shellcheck disable=SC2046
  popup_keys $(menu_at) Down Down Down Down Down Down Down Down Return
  more_reports() { [ "$(ls "$app/Logs"/hla_*.htm 2>/dev/null | wc -l)" -gt "$before" ]; }
  until_true 10 more_reports || fail "no report written"
  sleep 1.1 # the next report gets a name of its own
  ls -t "$app/Logs"/hla_*.htm | head -n 1
}
# The four cells of a row of the report, in the system code page made UTF-8.
row() { iconv -f windows-1252 -t utf-8 "$1" | grep "sensor\">$2<" | grep -o '<td[^>]*>[^<]*</td>' |
  sed 's/<[^>]*>//g' | tail -n 4 | tr '\n' ' '; }
page=$(report)
cp "$page" "$SHOTS/high-low-report.htm"
read -r now avg low high <<<"$(row "$page" CPU)"
[ "$now" = "51°C" ] && [ "$low" = "45°C" ] && [ "$high" = "51°C" ] || fail "CPU row: $now $avg $low $high"
awk -v a="$avg" 'BEGIN { exit !(a > 45 && a < 51) }' || fail "CPU average $avg"
[ "$(row "$page" "CPU fan")" = "4560 4560 4560 4560 " ] || fail "CPU fan row: $(row "$page" "CPU fan")"
[ "$(row "$page" "+12V")" = "12.16 12.16 12.16 12.16 " ] || fail "+12V row: $(row "$page" "+12V")"
grep -q 'Elapsed Time: Day:0' "$page" || fail "no elapsed time in the report"
pass "the statistics match the feed (CPU $now, average $avg, low $low, high $high)"

# "Reset Values": the statistics start again, so the low forgets the 45.
# shellcheck disable=SC2046
popup_keys $(menu_at) Down Return
sleep 3
page=$(report)
read -r now avg low high <<<"$(row "$page" CPU)"
[ "$low" = "51°C" ] && [ "$avg" = "51.0" ] || fail "after the reset the CPU row reads $now $avg $low $high"
pass "Reset Values starts the statistics anew"
bench_screenshot "$SHOTS/high-low.png"

# Auto-hide: another window active, and three seconds later only a strip shows at the right edge.
# shellcheck disable=SC2046
popup_keys $(menu_at) Down Down Down Down Return # Auto Hide Right
[ "$(stored hl_HideRight)" = True ] || fail "hl_HideRight not stored"
bench_click 300 100 # the stand-in's window
# The program puts it 70 twips (5 pixels) inside the edge; openbox keeps a few more pixels of a
# window on the screen than that, so a strip of up to 30 of its 222 pixels counts as hidden.
hidden() { read -r x _ _ _ < <(x_rect "$(hl_id)") && [ "$x" -ge $((1024 - 30)) ]; }
until_true 10 hidden || fail "not hidden at the right edge: $(x_rect "$(hl_id)")"
pass "auto-hide leaves a strip at the right edge"

bench_wintext --close "Kelvane" || fail "no application window"
wait_gone "$kelvane" 30 || fail "Kelvane did not exit"
[ -n "$(stored HLleft)" ] || fail "the layout was not stored"
