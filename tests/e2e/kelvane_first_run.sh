#!/usr/bin/env bash
# First run with an empty store, exit from the tray menu, and the run after it.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray
start_standin >/dev/null
kelvane=$(start_kelvane)

# The settings window stays open on a first run, centred in the work area once
# the start-up is through (the tray icon is its last step).
bench_wait_window --name "Kelvane Settings" --timeout 60 >/dev/null || fail "no settings window"
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"
# Centred across, and down within the work area (the screen less a task bar of any height).
settings_centred() {
  read -r l t r b < <(bench_wintext --rect "Kelvane Settings")
  width=$((r - l)); height=$((b - t))
  [ "$l" -eq $(((1024 - width) / 2)) ] &&
    [ "$t" -ge $(((700 - height) / 2)) ] && [ "$t" -le $(((768 - height) / 2 + 1)) ]
}
until_true 5 settings_centred || fail "not centred: left $l top $t, $width x $height"
bench_screenshot "$SHOTS/first-run.png"
pass "settings window centred"

# The tray icon: the motherboard temperature in blue, then the CPU's in red, on white.
seen=""
for _ in $(seq 1 24); do
  c=$(tray_icon_colour || echo none)
  case "$seen" in *"$c"*) ;; *) seen="$seen $c" ;; esac
  case "$seen" in *blue*red*|*red*blue*) break ;; esac
  sleep 0.5
done
case "$seen" in *blue*) ;; *) fail "no blue (motherboard) digits in the tray icon:$seen" ;; esac
case "$seen" in *red*) ;; *) fail "no red (CPU) digits in the tray icon:$seen" ;; esac
pass "tray icon alternates blue and red on white"

# Exit from the tray menu: right click on the icon, the menu's last item.
read -r x y < <(bench_tray_icon_centre)
bench_click "$x" "$y" 3
until_true 10 bench_wintext --class --exists "#32768" || fail "no popup menu"
read -r ml mt mr mb < <(bench_wintext --class --rect "#32768")
bench_screenshot "$SHOTS/tray-menu.png"
bench_click $(((ml + mr) / 2)) $((mb - 10))
wait_gone "$kelvane" 30 || fail "Kelvane did not exit from its menu"
[ "$(stored Buzzer)" = 79 ] || fail "Buzzer saved as $(stored Buzzer || true)"
[ "$(stored ShutDown)" = 89 ] || fail "ShutDown not saved"
[ "$(stored ToggleIcon)" = "CPU & MB" ] || fail "ToggleIcon not saved"
[ "$(stored HTM_Ow)" = 1 ] || fail "HTM_Ow not saved as checked"
[ "$(stored Log)" = 0 ] || fail "Log not saved as unchecked"
[ "$(stored LogInterval)" = 15 ] || fail "LogInterval not saved as 15"
[ "$(stored Volume)" = 650 ] || fail "Volume not saved as 650"
pass "exit saved the defaults"

# The next run starts hidden in the tray, with the stored icon mode "CPU": the CPU's digits only.
bench_reg_add "$STORE" ToggleIcon CPU >/dev/null
kelvane=$(start_kelvane)
until_true 60 bench_wintext --exists "Kelvane" || fail "second run did not start"
# The window is minimised, and so hidden, before the icon is added.
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon on the later run"
bench_wintext --visible "Kelvane Settings" && fail "settings window shown on a later run"
pass "later run starts in the tray"
# The icon is added blank and drawn by the next tick; from then on, over several ticks, never blue.
icon_is_red() { [ "$(tray_icon_colour)" = red ]; }
until_true 10 icon_is_red || fail "icon mode CPU: no red digits"
seen=""
for _ in $(seq 1 8); do
  c=$(tray_icon_colour || echo none)
  case "$seen" in *"$c"*) ;; *) seen="$seen $c" ;; esac
  sleep 0.5
done
case "$seen" in *blue*) fail "icon mode CPU: the tray icon showed$seen" ;; esac
pass "stored icon mode CPU: red CPU digits only"

# A close request to the hidden application window saves and exits.
bench_reg_add "$STORE" Buzzer 11 >/dev/null
bench_wintext --close "Kelvane" || fail "no application window to close"
wait_gone "$kelvane" 30 || fail "Kelvane did not exit on a close request"
[ "$(stored Buzzer)" = 79 ] || fail "the close request did not save"
[ "$(stored ToggleIcon)" = CPU ] || fail "ToggleIcon saved as $(stored ToggleIcon || true)"
pass "close request to the application window"
