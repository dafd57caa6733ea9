#!/usr/bin/env bash
# A run of some minutes: the running program's GDI objects stay flat.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
minutes=${KELVANE_E2E_SOAK_MINUTES:-3}
bench_start --tray
start_standin >/dev/null
kelvane=$(start_kelvane)
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"
sleep 20
first=$(bench_gdi_count Kelvane.exe)
samples="$first"
for _ in $(seq 1 $((minutes * 2))); do
  sleep 30
  samples="$samples $(bench_gdi_count Kelvane.exe)"
done
last=${samples##* }
echo "GDI objects every 30 s: $samples"
[ $((last - first)) -le 2 ] || fail "GDI objects grew from $first to $last over $minutes minutes"
bench_screenshot "$SHOTS/soak.png"
pass "GDI objects flat over $minutes minutes ($first -> $last)"
bench_wintext --close "Kelvane" || true
wait_gone "$kelvane" 30 || true
