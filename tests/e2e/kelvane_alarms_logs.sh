#!/usr/bin/env bash
# The logs, the alarm window and the user's program, steered by the stand-in's
# feed, with Kelvane in the tray.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray
app=$(install_kelvane)
feed=$BENCH_RUN/feed.txt
cool=(1.520 5.053 3.312 12.16 45.0 2700 3213 4560 31.0)
write_feed "$feed" "${cool[@]}"
printf '@echo ran>>%s\r\n' "$(bench_winpath "$app")\\ran.txt" >"$app/cool.bat"

for kv in Buzzer=79 Log=1 LogInterval=1 LogHTML=1 MsgAlarm=1 SndCard=1 LnchIt=1 \
  "LnchExe=$(bench_winpath "$app/cool.bat")"; do
  bench_reg_add "$STORE" "${kv%%=*}" "${kv#*=}"
done
start_standin --feed "$(bench_winpath "$feed")" >/dev/null
kelvane=$(bench_wine "$app/Kelvane.exe")
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"

# The first entry comes on the tick that counts the first sample, seconds after start.
log=$app/Logs/log.txt
until_true 20 test -s "$log" || fail "no text log entry after start"
first_at=$SECONDS
expected=$(printf '%s\r\n' "CPU Temp.... 45" "MB Temp..... 31" "CPU Fan..... 4560  " \
  "Power Fan... 3213  " "Chassis Fan. 2700  " "+12V........ 12.16 " "+5V......... 5.053 " \
  "+3.3V....... 3.312 " "VCore....... 1.520 " "")
entry=$(tail -n +2 "$log")
[ "$entry" = "$expected" ] || fail "the text log entry reads:
$(cat -A "$log")"
head -n 1 "$log" | grep -Eq '^[0-9]+/[0-9]+/[0-9]{4} [0-9:]+( [AP]M)?'$'\r''$' ||
  fail "no date line: $(head -n 1 "$log" | cat -A)"
pass "text log entry at start, every line as the feed reads"

html=$app/Logs/log.htm
until_true 10 test -s "$html" || fail "no HTML log"
grep -q 'Last Update: ' "$html" || fail "log.htm: Last Update not filled"
grep -q 'Elapsed Time: Day:0' "$html" || fail "log.htm: Date-Time not filled"
! grep -Eq '\*[0-9]+\*' "$html" || fail "log.htm keeps markers: $(grep -Eo '\*[0-9]+\*' "$html" | head -3)"
grep -q '4560' "$html" || fail "log.htm lacks the CPU fan"
cp "$html" "$SHOTS/log.htm"
pass "HTML log filled from the template"

# Over the alarm threshold (79) in the tray: one alarm window, whatever the ticks.
alarm_title="Kelvane - CPU Temp Alarm Message"
hot=("${cool[@]}"); hot[4]=83.0
write_feed "$feed" "${hot[@]}"
until_true 15 bench_wintext --visible "$alarm_title" || fail "no alarm window"
sleep 3
n=$(xdotool search --onlyvisible --name "^$alarm_title\$" 2>/dev/null | wc -l)
[ "$n" -eq 1 ] || fail "$n alarm windows"
bench_wintext "$alarm_title" | grep -q "Disable Alarm" || fail "no Disable Alarm button"
bench_screenshot "$SHOTS/alarm-window.png"
pass "the alarm window opens once"

# "Disable Alarm" sits centred near the bottom of the window.
read -r l _ r b < <(bench_wintext --rect "$alarm_title")
bench_click $(((l + r) / 2)) $((b - 31))
until_true 10 bash -c "! xdotool search --onlyvisible --name '^$alarm_title\$' >/dev/null 2>&1" ||
  fail "Disable Alarm did not close the window"
sleep 3
bench_wintext --visible "$alarm_title" && fail "the alarm window came back"
pass "Disable Alarm closes it for good"

# Over the shutdown threshold (89): the armed program runs once.
hot[4]=95.0
write_feed "$feed" "${hot[@]}"
until_true 20 test -s "$app/ran.txt" || fail "the program did not run"
sleep 4
[ "$(grep -c ran "$app/ran.txt")" -eq 1 ] || fail "the program ran $(grep -c ran "$app/ran.txt") times"
pass "the armed program ran once"

# The next entry a minute after the first, with what the feed reads then.
write_feed "$feed" "${cool[@]}"
entries() { grep -c '^CPU Temp' "$log"; }
two_entries() { [ "$(entries)" -ge 2 ]; }
until_true 75 two_entries || fail "no second entry"
elapsed=$((SECONDS - first_at))
[ "$elapsed" -ge 50 ] || fail "the second entry came after $elapsed s"
[ "$(entries)" -eq 2 ] || fail "$(entries) entries"
pass "the next entry a minute later ($elapsed s)"

bench_wintext --close "Kelvane" || fail "no application window"
wait_gone "$kelvane" 30 || fail "Kelvane did not exit"
[ "$(stored MsgAlarm)" = 0 ] || fail "MsgAlarm saved as $(stored MsgAlarm || true)"
[ "$(stored LnchIt)" = 0 ] || fail "LnchIt saved as $(stored LnchIt || true)"
# No sound card here: the sound card option is not offered, and saved off.
[ "$(stored SndCard)" = 0 ] || fail "SndCard saved as $(stored SndCard || true)"
pass "the alarm settings saved as the run left them"
