#!/usr/bin/env bash
# Colours as a user chooses them: the tray icon's CPU digits in a preset colour
# from the tray icon settings window; a dashboard label painted with a colour
# picked from the screen by the colour editor, kept across a restart, and
# given back its design colour by "Delete".
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray

app=$(install_kelvane)
KELVANE_EXE=$app/Kelvane.exe
feed=$BENCH_RUN/feed.txt
write_feed "$feed" 1.520 5.053 3.312 12.16 45.0 2700 3213 4560 31.0
start_standin --feed "$(bench_winpath "$feed")" >/dev/null
# A first run (no "Buzzer" stored): the settings window shows, so the tray menu takes keys.
bench_reg_add "$STORE" DashSrart True
kelvane=$(start_kelvane)
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon"
shot=$BENCH_RUN/shot.png

# The first visible untitled window of Kelvane's whose size is W x H (give or take a border).
window_sized() {
  local id x y w h
  for id in $(untitled_windows); do
    read -r x y w h < <(x_rect "$id")
    if ((w >= $1 && w <= $1 + 6 && h >= $2 && h <= $2 + 6)); then
      echo "$x $y $w $h"
      return 0
    fi
  done
  return 1
}
dashboard() { window_sized 80 152; }
editor() { window_sized 221 85; }
# "R G B" of a screen pixel, as the colour value the program stores.
colour_value() {
  local r g b
  read -r r g b < <(bench_pixel "$shot" "$1" "$2")
  echo $((r + 256 * g + 65536 * b))
}
stored_is() { [ "$(stored "$1" 2>/dev/null)" = "$2" ]; }
# The dashboard's "ForeGround Colors": the editor that opens is an untitled window too, so the
# menu's closing is judged by the editor showing.
open_editor() {
  read -r dx dy _ _ < <(dashboard) || fail "no dashboard"
  bench_click $((dx + 20)) $((dy + 10)) 3
  until_true 10 bench_wintext --class --visible "#32768" || fail "no dashboard menu"
  sleep 0.3
  bench_key Down Down Down Down Return
  until_true 10 editor >/dev/null || fail "no colour editor beside the dashboard"
  read -r ex ey _ _ < <(editor)
}

# --- the tray icon settings window: "Olive Green Theme", "CPU", closed -------------------------
tray_menu_keys Down Down Down Down Down Down Down Right Down Return # Tray Icon > Change Color / Font
bench_wait_window --name "Kelvane Icon Settings" --timeout 20 >/dev/null ||
  fail "no tray icon settings window"
# The preset swatch is found by its colour (red 234, green 226, blue 178); "CPU" lies at a fixed
# offset from the swatch's corner in the window's layout.
olive_corner() {
  bench_screenshot "$shot"
  convert "$shot" txt:- | grep -m 1 -i '#EAE2B2' | cut -d: -f1 | tr ',' ' '
}
olive_shown() { [ -n "$(olive_corner)" ]; }
until_true 20 olive_shown || fail "no Olive Green Theme swatch on screen"
read -r ox oy < <(olive_corner) || fail "no Olive Green Theme swatch on screen"
bench_screenshot "$SHOTS/tray-icon-settings.png"
bench_click $((ox + 40)) $((oy + 8))
sleep 0.3
bench_click $((ox + 208)) $((oy + 72)) # "CPU"
sleep 0.3
bench_wintext --close "Kelvane Icon Settings" || fail "could not close the settings window"
until_true 10 stored_is TrayFcolr 11723498 || fail "TrayFcolr stored as $(stored TrayFcolr || echo nothing)"
# The CPU digits, shown every other second, in olive on the white square.
olive_digits() {
  local x y
  read -r x y < <(bench_tray_icon_centre) || return 1
  bench_screenshot "$shot"
  [ "$(convert "$shot" -crop "16x16+$((x - 8))+$((y - 8))" +repage -depth 8 txt:- |
    awk -F'[(),]' 'NR > 1 && $3 > 200 && $4 > 190 && $5 < 225 { n++ } END { print n + 0 }')" -ge 3 ]
}
until_true 10 olive_digits || fail "the tray digits never took the olive colour"
pass "tray icon settings: Olive Green Theme for the CPU digits, TrayFcolr 11723498, drawn in the tray"

# --- the colour editor beside the dashboard ----------------------------------------------------
until_true 30 dashboard >/dev/null || fail "no dashboard at start"
open_editor
# One click on the pick button's spectrum starts the picker, which reads the pixel under the
# pointer; a second click there stops it.
px=$((ex + 75)) py=$((ey + 28))
bench_screenshot "$shot"
picked=$(colour_value $px $py)
bench_click $px $py
sleep 0.5
bench_click $px $py
sleep 0.3
bench_screenshot "$shot"
[ "$(colour_value $((ex + 159)) $((ey + 24)))" = "$picked" ] ||
  fail "the swatch shows $(colour_value $((ex + 159)) $((ey + 24))), the pointer was on $picked"
cp "$shot" "$SHOTS/colour-editor.png"
# Tile 0's value label painted, then "Save".
bench_click $((dx + 60)) $((dy + 10))
sleep 0.3
bench_click $((ex + 189)) $((ey + 69))
until_true 10 stored_is DshColr1 "$picked" || fail "DshColr1 stored as $(stored DshColr1 || echo nothing)"
pass "colour editor: picked $picked from the screen, painted a label, saved as DshColr1"

# Pixels of the picked colour in tile 0's value.
painted_pixels() {
  bench_screenshot "$shot"
  read -r dx dy _ _ < <(dashboard) || return 1
  convert "$shot" -crop "36x12+$((dx + 40))+$((dy + 6))" +repage -depth 8 txt:- |
    awk -F'[(),]' -v c="$picked" 'NR > 1 && $3 + 256 * $4 + 65536 * $5 == c { n++ } END { print n + 0 }'
}
painted() { [ "$(painted_pixels)" -ge 4 ]; }
painted || fail "the label does not show the picked colour"

# --- restarted: the label keeps its colour; "Delete" gives back the design colours -------------
bench_wintext --close "Kelvane" || fail "no application window to close"
wait_gone "$kelvane" 30 || fail "Kelvane did not exit"
kelvane=$(start_kelvane)
until_true 60 dashboard >/dev/null || fail "no dashboard after the restart"
until_true 10 painted || fail "after the restart the label lost its colour"
bench_screenshot "$SHOTS/colours-restarted.png"
open_editor
bench_click $((ex + 32)) $((ey + 69)) # "Delete"
deleted() { ! stored DshColr1 >/dev/null 2>&1; }
until_true 10 deleted || fail "DshColr1 still stored after Delete"
editor_gone() { ! editor >/dev/null; }
until_true 10 editor_gone || fail "the editor stayed after Delete"
unpainted() { dashboard >/dev/null && [ "$(painted_pixels)" -eq 0 ]; }
until_true 10 unpainted || fail "the label kept the picked colour after Delete"
pass "restart kept the colour; Delete removed DshColr1 and gave back the design colours"

bench_wintext --close "Kelvane" || true
wait_gone "$kelvane" 30 || true
