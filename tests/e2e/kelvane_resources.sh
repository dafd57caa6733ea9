#!/usr/bin/env bash
# A soak: Kelvane in the tray with both dashboards shown, the alarm window up and both logs
# written every minute, beside a monitor whose readings keep changing (now and then a text that
# is not a number, or an empty slot). Its GDI objects and its resident memory stay flat: the
# last minute's samples against the first minute's. KELVANE_E2E_SOAK_MINUTES sets the length
# (2 here; scripts/soak runs the long form).
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
minutes=${KELVANE_E2E_SOAK_MINUTES:-2}
bench_start --tray
app=$(install_kelvane)
feed=$BENCH_RUN/feed.txt
write_feed "$feed" 1.520 5.053 3.312 12.16 83.0 2700 3213 4560 31.0
for kv in Buzzer=79 MsgAlarm=1 Log=1 LogInterval=1 LogHTML=1 DashSrart=True HiLoStrt=True; do
  bench_reg_add "$STORE" "${kv%%=*}" "${kv#*=}"
done
start_standin --feed "$(bench_winpath "$feed")" >/dev/null
kelvane=$(bench_wine "$app/Kelvane.exe")
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"

# The feed changes every two seconds; the CPU stays above the alarm threshold.
(
  n=0
  while :; do
    n=$((n + 1))
    cpu=$((80 + n % 9)).$((n % 10))
    fan=$((2000 + (n * 37) % 1500))
    case $((n % 23)) in
      7) volt=N/A ;;
      13) volt='' ;;
      *) volt=1.$((500 + n % 60)) ;;
    esac
    write_feed "$feed" "$volt" 5.053 3.312 12.16 "$cpu" "$fan" 3213 4560 $((30 + n % 5)).0
    sleep 2
  done
) &
feeder=$!
trap 'kill $feeder 2>/dev/null || true' EXIT

alarm_title="Kelvane - CPU Temp Alarm Message"
until_true 20 bench_wintext --visible "$alarm_title" || fail "no alarm window"
# Both dashboards are untitled windows of Kelvane's.
two_dashboards() { [ "$(untitled_windows | wc -l)" -ge 2 ]; }
until_true 20 two_dashboards || fail "the dashboards did not show"

pid_rss() { awk '/^VmRSS:/ {print $2}' "/proc/$kelvane/status"; }
# Samples every 15 s from now to the end; each minute has five (its ends included).
gdi=() rss=()
for i in $(seq 0 $((minutes * 4))); do
  [ "$i" -eq 0 ] || sleep 15
  gdi+=("$(bench_gdi_count Kelvane.exe)") rss+=("$(pid_rss)")
done
echo "GDI objects every 15 s: ${gdi[*]}"
echo "resident KiB every 15 s: ${rss[*]}"
bench_screenshot "$SHOTS/soak.png"

# The first minute's highest against the last minute's highest.
highest() { printf '%s\n' "$@" | sort -n | tail -n 1; }
gdi_first=$(highest "${gdi[@]:0:5}") gdi_last=$(highest "${gdi[@]: -5}")
rss_first=$(highest "${rss[@]:0:5}") rss_last=$(highest "${rss[@]: -5}")
[ "$gdi_last" -le $((gdi_first + 2)) ] ||
  fail "GDI objects grew from $gdi_first to $gdi_last over $minutes minutes"
[ "$rss_last" -le $((rss_first + 1024)) ] ||
  fail "resident memory grew from $rss_first to $rss_last KiB over $minutes minutes"
pass "GDI objects flat ($gdi_first -> $gdi_last), resident memory flat ($rss_first -> $rss_last KiB) over $minutes minutes"

entries=$(grep -c '^CPU Temp' "$app/Logs/log.txt")
[ "$entries" -ge "$minutes" ] || fail "$entries log entries in $minutes minutes"
grep -q 'Last Update: ' "$app/Logs/log.htm" || fail "log.htm not written"
bench_wintext --visible "$alarm_title" || fail "the alarm window went"
pass "logs written ($entries text entries) and the alarm window up all along"
bench_wintext --close "Kelvane" || true
wait_gone "$kelvane" 30 || true
