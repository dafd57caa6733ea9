#!/usr/bin/env bash
# A monitor that stops answering: the stand-in stops handling its messages for
# 90 s (its window and texts stay). Kelvane's tray digits turn grey with a tip
# that says so, the warning opens after a minute, and when the stand-in answers
# again the digits come back in the user's colours and the warning goes.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray
app=$(install_kelvane)
feed=$BENCH_RUN/feed.txt
write_feed "$feed" 1.520 5.053 3.312 12.16 45.0 2700 3213 4560 31.0
for kv in Buzzer=79 MsgAlarm=1; do
  bench_reg_add "$STORE" "${kv%%=*}" "${kv#*=}"
done
hang_after=20
start_standin --feed "$(bench_winpath "$feed")" --hang-after-s "$hang_after" --hang-for-s 90 >/dev/null
standin_started=$SECONDS
kelvane=$(bench_wine "$app/Kelvane.exe")
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"

coloured() { [[ $(tray_icon_colour) =~ ^(red|blue)$ ]]; }
grey() { [ "$(tray_icon_colour)" = grey ]; }
tips() { bench_wintext --tips | tr -d '\r'; }
until_true 10 coloured || fail "the icon is $(tray_icon_colour) before the hang"
! tips | grep -q "not responding" || fail "a fresh monitor's tip: $(tips)"
pass "a monitor that answers: digits in the user's colours"

# The system calls a window hung after some seconds without handling messages.
until_true $((hang_after + 30)) grey || fail "the icon is $(tray_icon_colour) while the monitor hangs"
grey_at=$((SECONDS - standin_started))
bench_screenshot "$SHOTS/stale-tray.png"
tips | grep -Eq '^Asus Probe 2 is not responding - readings of [0-9]+:[0-9]{2}:[0-9]{2}' ||
  fail "the tip while stale: $(tips)"
pass "hung $hang_after s after its start, grey $grey_at s after it; tip: $(tips | grep 'not responding')"

warning="Kelvane - Asus Probe 2 Not Responding"
until_true 80 bench_wintext --visible "$warning" || fail "no warning after a minute of stale readings"
warned_at=$((SECONDS - standin_started))
[ "$warned_at" -ge $((grey_at + 55)) ] || fail "the warning came after $warned_at s, grey at $grey_at s"
# Its texts are painted (their wording is the unit suite's); its button is a window.
bench_wintext "$warning" | grep -qx "OK" || fail "no OK button in the warning: $(bench_wintext "$warning")"
bench_screenshot "$SHOTS/stale-warning.png"
pass "the warning opened $warned_at s after the stand-in started"

# The stand-in answers again 90 s into its hang.
until_true 60 coloured || fail "the icon is $(tray_icon_colour) after the monitor answers again"
back_at=$((SECONDS - standin_started))
until_true 10 bash -c "! xdotool search --onlyvisible --name '^$warning\$' >/dev/null 2>&1" ||
  fail "the warning stayed after the monitor answered"
! tips | grep -q "not responding" || fail "the tip after the answer: $(tips)"
pass "answering again $back_at s after its start: digits coloured, warning closed"

bench_wintext --close "Kelvane" || true
wait_gone "$kelvane" 30 || fail "Kelvane did not exit"
