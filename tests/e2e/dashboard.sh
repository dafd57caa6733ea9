#!/usr/bin/env bash
# The digital dashboard as a user meets it: shown from the tray menu with the
# monitor's readings refreshed each second, dragged against the right edge of
# the work area, its layout saved and loaded across a restart, a tile dragged
# onto another's cell, and the window saved as a bitmap.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray

# The program runs from a copy of its folder, so that its "BMPs" folder is this run's own.
app=$(install_kelvane)
KELVANE_EXE=$app/Kelvane.exe
feed=$BENCH_RUN/feed.txt
# VCore, +5 V, +3.3 V, +12 V, CPU, chassis fan, power fan, CPU fan, motherboard.
write_feed() { printf '%s\n' 1.520 5.053 3.312 12.16 "$1" 2700 3213 4560 31.0 >"$feed"; }
write_feed 45.0
start_standin --feed "$(bench_winpath "$feed")" >/dev/null
kelvane=$(start_kelvane)
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"

# The dashboard: Kelvane's visible window without a title; "X Y WIDTH HEIGHT" of it.
dash_id() { untitled_windows | head -n 1 | grep .; }
dash_rect() {
  local id
  id=$(dash_id) || return 1
  x_rect "$id"
}
dash_at() { [ "$(dash_rect 2>/dev/null)" = "$1" ]; }
stored_is() { [ "$(stored "$1" 2>/dev/null)" = "$2" ]; }
# Dark pixels (text) in a region of a screenshot.
dark_pixels() {
  convert "$1" -crop "$2" +repage -colorspace gray -threshold 40% -format '%[fx:round(w*h*(1-mean))]' info:
}

# --- shown from the tray menu: nine tiles with the monitor's readings, each second -----------
tray_menu_keys Down Down Right Return # Digital Dashboard > Show Digital Dashboard
# 80 x 152 pixels: the default 1200 x 2280 twips.
first_shown() { read -r dx dy dw dh < <(dash_rect) && [ "$dw" -eq 80 ] && [ "$dh" -eq 152 ]; }
until_true 20 first_shown || fail "no 80 x 152 dashboard after Show Digital Dashboard: $(dash_rect)"
shot=$BENCH_RUN/dash.png
# Inside a 4-pixel border, tile k is 16 pixels high; its value stands right of its name plate.
nine_values() {
  local k n
  bench_screenshot "$shot"
  for k in 0 1 2 3 4 5 6 7 8; do
    n=$(dark_pixels "$shot" "30x12+$((dx + 44))+$((dy + 4 + 16 * k + 2))")
    [ "$n" -ge 8 ] || { empty_tile=$k; return 1; }
  done
}
until_true 10 nine_values || fail "tile $empty_tile shows no value"
cp "$shot" "$SHOTS/dashboard.png"
cpu_value() { convert "$1" -crop "30x12+$((dx + 44))+$((dy + 6))" +repage -depth 8 rgb:- | md5sum; }
before=$(cpu_value "$shot")
write_feed 72.0
cpu_changed() {
  bench_screenshot "$BENCH_RUN/now.png"
  [ "$(cpu_value "$BENCH_RUN/now.png")" != "$before" ]
}
until_true 5 cpu_changed || fail "the CPU tile did not follow the monitor's reading"
pass "shown from the tray menu: nine tiles with values, refreshed each second"

# --- dragged against the right edge of the work area: it snaps flush ----------------------
# Locked, a press anywhere drags the window; its right edge is brought to 6 pixels short of
# the screen's (1024).
px=$((dx + 20)) py=$((dy + 10))
xdotool mousemove "$px" "$py" mousedown 1
for step in 1 2 3 4 5; do
  xdotool mousemove "$((px + (1024 - 6 - dx - dw) * step / 5))" "$((py + 20 * step))"
  sleep 0.15
done
xdotool mouseup 1
snapped() { read -r sx sy _ _ < <(dash_rect) && [ "$((sx + dw))" -eq 1024 ]; }
until_true 5 snapped || fail "not flush with the right edge: $(dash_rect)"
pass "dragged near the right edge: flush at x $sx"

# "Save as My Layout" (menu: Lock, Bold, BackGround, ForeGround, Layout > Load, Save).
popup_keys $((sx + 20)) $((sy + 10)) Down Down Down Down Down Right Down Return
until_true 10 stored_is DBLeft 14160 || fail "DBLeft stored as $(stored DBLeft || echo nothing)"
[ "$(stored DBTop)" = $((sy * 15)) ] || fail "DBTop stored as $(stored DBTop || echo nothing)"
saved="$sx $sy $dw $dh"

# Restart, the dashboard asked for at start-up ("Show Digital  DB on Startup"; on a later run
# the settings window stays hidden, and Wine gives the keys of a menu whose owner is hidden to
# nobody): it comes back where it was saved.
bench_wintext --close "Kelvane" || fail "no application window to close"
wait_gone "$kelvane" 30 || fail "Kelvane did not exit"
bench_reg_add "$STORE" DashSrart True
kelvane=$(start_kelvane)
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon after the restart"
until_true 20 dash_at "$saved" || fail "after the restart at $(dash_rect || true), saved at $saved"
# Moved away, then "Load My Layout": back.
xdotool mousemove $((sx + 20)) $((sy + 10)) mousedown 1 mousemove $((sx - 100)) $((sy + 60)) \
  mousemove $((sx - 300)) $((sy + 100)) mouseup 1
moved() { ! dash_at "$saved"; }
until_true 5 moved || fail "the dashboard did not move"
read -r mx my _ _ < <(dash_rect)
popup_keys $((mx + 20)) $((my + 10)) Down Down Down Down Down Right Return
until_true 10 dash_at "$saved" || fail "Load My Layout put it at $(dash_rect || true)"
pass "Save as My Layout, restart, Load My Layout: at $saved again"

# --- a row along the top, unlocked: tile 3 dragged onto tile 5's cell swaps them ----------
popup_keys $((sx + 20)) $((sy + 10)) Down Down Down Down Down Right Down Down Return # Top
row_at_top() { read -r tx ty tw th < <(dash_rect) && [ "$ty" -eq 0 ] && [ "$tw" -eq 717 ]; }
until_true 10 row_at_top || fail "Top: the row is at $(dash_rect || true)"
popup_keys $((tx + 20)) $((ty + 10)) Down Return # Lock Meters: off
bench_screenshot "$SHOTS/dashboard-row.png"
# Tile 3's free strip, right of its value; the tile's corner lands just up and left of the
# pointer, inside tile 5's cell.
xdotool mousemove $((tx + 4 + 3 * 79 + 75)) $((ty + 12)) mousedown 1
for x in 320 360 400 440; do
  xdotool mousemove $((tx + x)) $((ty + 12))
  sleep 0.15
done
xdotool mouseup 1
popup_keys $((tx + 20)) $((ty + 10)) Down Down Down Down Down Right Down Return # Save as My Layout
until_true 10 stored_is DBLF3 5925 || fail "tile 3 at $(stored DBLF3 || echo ?), expected 5925 (tile 5's cell)"
[ "$(stored DBLF5)" = 3555 ] || fail "tile 5 at $(stored DBLF5 || echo ?), expected 3555 (tile 3's)"
[ "$(stored DBFtop3)" = 0 ] && [ "$(stored DBFtop5)" = 0 ] || fail "the tiles left the row"
bench_screenshot "$SHOTS/dashboard-swapped.png"
pass "unlocked, tile 3 dropped on tile 5's cell: swapped"

# --- "Save as BMP file": BMPs/db_<time stamp>.bmp of the window's size in pixels ----------
popup_keys $((tx + 20)) $((ty + 10)) Down Down Down Down Down Down Return
bmp_written() { compgen -G "$app/BMPs/db_*.bmp" >/dev/null; }
until_true 10 bmp_written || fail "no BMPs/db_*.bmp written"
bmp=$(compgen -G "$app/BMPs/db_*.bmp" | head -n 1)
[[ $(basename "$bmp") =~ ^db_[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{2}\.[0-9]{2}\.[0-9]{2}\ [AP]M\.bmp$ ]] ||
  fail "bitmap named $(basename "$bmp")"
size=$(identify -format '%wx%h' "$bmp")
[ "$size" = "${tw}x$th" ] || fail "bitmap of $size, the window is ${tw}x$th"
cp "$bmp" "$SHOTS/dashboard-capture.bmp"
pass "Save as BMP file: $(basename "$bmp"), $size"

bench_wintext --close "Kelvane" || true
wait_gone "$kelvane" 30 || true
