#!/usr/bin/env bash
# The ways Kelvane ends: the monitor closing, a second copy, no monitor, a
# monitor it cannot use.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray

# No monitor installed and none running.
kelvane=$(start_kelvane)
wait_box "Unable to find Asus Probe 2" || fail "no 'Unable to find' message: $(box_text)"
answer_box Kelvane Return
wait_gone "$kelvane" 20 || fail "Kelvane stayed after 'Unable to find'"
stored Buzzer >/dev/null && fail "a failed start wrote the store"
pass "no monitor: Unable to find Asus Probe 2"

# The monitor window partly off screen cannot be clicked through.
standin=$(start_standin --at -4,0)
kelvane=$(start_kelvane)
wait_box "Unable to initialize PC Probe! Close PC Probe and try again." ||
  fail "no 'Unable to initialize' message: $(box_text)"
answer_box Kelvane Return
wait_gone "$kelvane" 20 || fail "Kelvane stayed after 'Unable to initialize'"
# The settings were loaded before the wake-up: its failure ends in a normal shut-down, which saves.
[ "$(stored Buzzer)" = 79 ] || fail "the failed wake-up did not save (Buzzer $(stored Buzzer || true))"
bench_kill "$standin"
wait_gone "$standin" 10 || true
pass "monitor off screen: Unable to initialize PC Probe, settings saved"

# A running copy, and a second one.
standin=$(start_standin)
kelvane=$(start_kelvane)
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"
bench_reg_add "$STORE" Marker untouched >/dev/null
bench_reg_add "$STORE" Buzzer 11 >/dev/null
second=$(start_kelvane)
wait_box "A copy of Kelvane is already running!" || fail "no second-copy message: $(box_text)"
answer_box Kelvane Return
wait_gone "$second" 20 || fail "the second copy stayed"
[ "$(stored Marker)" = untouched ] || fail "the second copy touched the store"
[ "$(stored Buzzer)" = 11 ] || fail "the second copy saved settings"
pass "second copy refused"

# The monitor closing ends Kelvane, and its icon goes.
bench_wintext --close "Asus Probe 2"
wait_gone "$kelvane" 20 || fail "Kelvane stayed after the monitor closed"
until_true 10 tray_is_empty || fail "the tray icon stayed"
[ "$(stored Buzzer)" = 79 ] || fail "no save at the monitor's exit"
pass "monitor closed: Kelvane saved and exited"

# Installed but not running: the install record names the monitor's program, and Kelvane starts
# it. The record is where the monitor's 32-bit installer puts it, the 32-bit registry view, so
# the 64-bit build must read that view.
stored_path=$(bench_reg_query "$(install_record_key)" Path) || fail "no install record in the 32-bit view"
[ "$stored_path" = "\"$(bench_winpath "$STANDIN_EXE")\"" ] || fail "install record: $stored_path"
if [ "$KELVANE_ARCH" = x86_64 ]; then
  bench_reg_query 'HKLM\Software\ASUS\ASUS Probe' Path >/dev/null &&
    fail "the install record is in the 64-bit view too"
fi
bench_wintext --exists "Asus Probe 2" && fail "a monitor still runs"
kelvane=$(start_kelvane)
bench_wait_window --name "Asus Probe 2" --timeout 60 >/dev/null ||
  fail "Kelvane did not start the installed monitor"
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon beside the started monitor"
bench_wintext --close "Kelvane" || fail "no application window to close"
wait_gone "$kelvane" 30 || fail "Kelvane did not exit on a close request"
pass "installed, not running: started from its install record"

# No Kelvane runs now. A copy run with other rights holds the single-instance mutex where this
# one may not open it: that copy runs all the same.
holder=$(bench_wine "$BUILD/tests/bench/bench_probe.exe" --mutex Marrowby.Kelvane.SingleInstance \
  --deny-open --sleep-ms 600000)
second=$(start_kelvane)
wait_box "A copy of Kelvane is already running!" || fail "a copy with other rights went unseen: $(box_text)"
answer_box Kelvane Return
wait_gone "$second" 20 || fail "the second copy stayed"
bench_kill "$holder"
pass "a copy run with other rights counts as running"
