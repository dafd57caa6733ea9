#!/usr/bin/env bash
# Dreslin, the settings remover: nothing stored, answered No, answered Yes with
# Kelvane running.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray
title="Kelvane v1.0 Uninstaller"

# Nothing stored: only the nothing-to-remove message.
dreslin=$(bench_wine "$DRESLIN_EXE")
wait_box "Nothing To Remove -  Kelvane not found in registry!" || fail "no nothing-to-remove message: $(box_text)"
[ "$(bench_wintext --class "#32770" | head -n 1)" = "$title" ] || fail "wrong title"
answer_box "$title" Return
wait_gone "$dreslin" 20 || fail "Dreslin stayed"
pass "nothing stored"

# Answered No: every setting stays.
bench_reg_add "$STORE" Buzzer 70 >/dev/null
bench_reg_add "$STORE" TrayFont Tahoma >/dev/null
dreslin=$(bench_wine "$DRESLIN_EXE")
wait_box "OK to remove all Kelvane v1.0 settings from registry?" || fail "no question: $(box_text)"
answer_box "$title" n
wait_gone "$dreslin" 20 || fail "Dreslin stayed after No"
[ "$(stored Buzzer)" = 70 ] && [ "$(stored TrayFont)" = Tahoma ] || fail "settings changed after No"
pass "answered No"

# Answered Yes with Kelvane running: it closes (saving once more), then the
# section goes.
start_standin >/dev/null
kelvane=$(start_kelvane)
until_true 60 bench_wintext --exists "Kelvane" || fail "Kelvane's application window never appeared"
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"
dreslin=$(bench_wine "$DRESLIN_EXE")
wait_box "OK to remove all Kelvane v1.0 settings from registry?" || fail "no question: $(box_text)"
answer_box "$title" Return
wait_box "Kelvane v1.0 removed successfully!" 40 || fail "no success message: $(box_text)"
wait_gone "$kelvane" 10 || fail "Kelvane still runs"
answer_box "$title" Return
wait_gone "$dreslin" 20 || fail "Dreslin stayed"
if wine reg query "$STORE" >/dev/null 2>&1; then fail "the settings key is still there"; fi
pass "answered Yes with Kelvane running"
