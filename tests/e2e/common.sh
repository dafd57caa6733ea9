# shellcheck shell=bash
# What the Kelvane end-to-end scripts share: the programs, the store, the tray
# icon's pixels. Source after the bench (bench.sh).

BUILD=${KELVANE_BUILD_DIR:?}
KELVANE_EXE=$BUILD/apps/kelvane/Kelvane.exe
STANDIN_EXE=$BUILD/tools/monitor-standin/AsusProb.exe
DRESLIN_EXE=$BUILD/apps/dreslin/Dreslin.exe
STORE='HKCU\Software\VB and VBA Program Settings\Marrowby\Kelvane'
SHOTS=${KELVANE_E2E_SHOTS:-$BUILD/e2e-shots}
mkdir -p "$SHOTS"

fail() {
  echo "FAIL: $*" >&2
  bench_screenshot "$SHOTS/fail-$(basename "$0" .sh).png" 2>/dev/null || true
  # A program that ended meanwhile (a crash, say) tells why in its last words.
  local ended pid
  for ended in "$BENCH_RUN"/exit-*; do
    [ -f "$ended" ] || continue
    pid=${ended##*-}
    echo "  program $pid ended with exit code $(cat "$ended"); its last output:" >&2
    bench_output "$pid" 2>/dev/null | tail -n 15 | sed 's/^/    /' >&2 || true
  done
  exit 1
}
pass() { echo "ok: $*"; }

# until_true SECONDS CMD...: CMD every 0.25 s until it succeeds; 1 after SECONDS.
until_true() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ "$SECONDS" -lt "$end" ] || return 1
    sleep 0.25
  done
}

# The stand-in monitor, registered as the installed monitor; echoes its PID.
start_standin() {
  local pid
  pid=$(bench_wine "$STANDIN_EXE" --register --splash-ms 300 "$@")
  bench_wait_window --name "Asus Probe 2" --timeout 30 >/dev/null || fail "the stand-in did not show"
  echo "$pid"
}

start_kelvane() { bench_wine "$KELVANE_EXE"; }

# The monitor's install record as its 32-bit installer writes it: in a 64-bit prefix under
# Wow6432Node (the 32-bit view), in a 32-bit prefix where it says.
install_record_key() {
  if [ "$KELVANE_ARCH" = x86_64 ]; then
    echo 'HKLM\Software\Wow6432Node\ASUS\ASUS Probe'
  else
    echo 'HKLM\Software\ASUS\ASUS Probe'
  fi
}

stored() { bench_reg_query "$STORE" "$1"; }

# Message boxes: the text of the one on screen (class #32770).
box_text() { bench_wintext --class "#32770" 2>/dev/null | tr -d '\r'; }
box_says() { box_text | grep -qF -- "$1"; }
wait_box() { until_true "${2:-40}" box_says "$1"; }

# answer_box TITLE KEY: presses KEY in the message box titled TITLE, with the
# box focused first (a key sent while another window has the focus is lost);
# tries again while the box stays.
answer_box() {
  local id _
  for _ in 1 2 3 4; do
    id=$(bench_wait_window --name "$1" --timeout 10) || return 0
    xdotool windowactivate --sync "$id" >/dev/null 2>&1 || xdotool windowfocus --sync "$id" >/dev/null 2>&1 || true
    sleep 0.3
    bench_key "$2"
    until_true 3 bash -c "! xdotool search --onlyvisible --name '^$1\$' >/dev/null 2>&1" && return 0
  done
  return 1
}

# The tray icon's look: "blue", "red", "grey" (the system's grey text) or
# "other", judged from the colours of its 16 x 16 picture in a screenshot
# (digits on a white square).
tray_icon_colour() {
  local x y shot=$BENCH_RUN/tray.png
  read -r x y < <(bench_tray_icon_centre) || return 1
  bench_screenshot "$shot"
  convert "$shot" -crop "16x16+$((x - 8))+$((y - 8))" +repage -depth 8 txt:- |
    awk -F'[(),]' 'NR > 1 {
        r = $3 + 0; g = $4 + 0; b = $5 + 0
        if (r > 200 && g > 200 && b > 200) white++
        else if (b > 150 && r < 110 && g < 110) blue++
        else if (r > 150 && g < 110 && b < 110) red++
        else if (r > 80 && r < 180 && r - g < 24 && g - r < 24 && r - b < 24 && b - r < 24) grey++
      }
      END {
        if (white < 60) print "other"
        else if (blue > 8 && red < 3) print "blue"
        else if (red > 8 && blue < 3) print "red"
        else if (grey > 8 && red < 3 && blue < 3) print "grey"
        else print "other"
      }'
}

tray_is_empty() { [ "$(bench_tray_icon_count)" -eq 0 ]; }

# Waits for a program started with bench_wine to end.
wait_gone() { bench_wait_exit "$1" "${2:-30}" >/dev/null; }

# A copy of Kelvane.exe and its shipped files in a folder of this run's own, so
# that what it writes beside itself (Logs, BMPs) belongs to this test alone;
# echoes the folder.
install_kelvane() {
  local dir=$BENCH_RUN/app
  mkdir -p "$dir"
  cp "$KELVANE_EXE" "$dir/"
  cp -r "$BENCH_REPO/resources/." "$dir/"
  echo "$dir"
}

# A feed file for the stand-in: nine readings in its windows' order (VCore,
# +5 V, +3.3 V, +12 V, CPU, chassis fan, power fan, CPU fan, motherboard).
write_feed() {
  local file=$1; shift
  printf '%s\n' "$@" >"$file.tmp" && mv "$file.tmp" "$file"
}

# Kelvane's visible windows without a title (the dashboards, popup menus), as
# X window ids.
untitled_windows() {
  local id
  for id in $(xdotool search --onlyvisible --class '^Kelvane\.exe$' 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] && echo "$id"
  done
  return 0
}
# "X Y WIDTH HEIGHT" of an X window.
x_rect() {
  local X Y WIDTH HEIGHT
  eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
  echo "$X $Y $WIDTH $HEIGHT"
}
# popup_keys X Y KEYS...: a right click at X Y opens a popup menu, walked with
# KEYS (Down, Right, Return ...); returns once the menu's window has closed.
# Under Wine, FindWindow("#32768") may go on finding a closed menu; X knows:
# the menu is the untitled window that the click brought.
popup_keys() {
  local x=$1 y=$2 before menu=""; shift 2
  before=$(untitled_windows | sort)
  bench_click "$x" "$y" 3
  until_true 10 bench_wintext --class --visible "#32768" || fail "no popup menu at $x,$y"
  new_menu() { menu=$(comm -13 <(echo "$before") <(untitled_windows | sort) | head -n 1); [ -n "$menu" ]; }
  until_true 5 new_menu || true
  sleep 0.3
  bench_key "$@"
  popup_gone() { [ -z "$menu" ] || ! untitled_windows | grep -qx "$menu"; }
  until_true 10 popup_gone || fail "the popup menu stayed"
}
# popup_click X Y N: a right click at X Y opens a popup menu, and a left click chooses its Nth item
# (counted from 1, separators not counted), found by its text on the screen. Under Wine, keys sent
# to the tray menu are lost while the settings window is hidden; the mouse is not.
popup_click() {
  local x=$1 y=$2 n=$3 before menu="" mx my mw mh row
  before=$(untitled_windows | sort)
  bench_click "$x" "$y" 3
  until_true 10 bench_wintext --class --visible "#32768" || fail "no popup menu at $x,$y"
  new_menu() { menu=$(comm -13 <(echo "$before") <(untitled_windows | sort) | head -n 1); [ -n "$menu" ]; }
  until_true 5 new_menu || fail "no popup menu window at $x,$y"
  sleep 0.3
  read -r mx my mw mh < <(x_rect "$menu")
  bench_screenshot "$BENCH_RUN/menu.png"
  # The rows holding dark pixels (the items' texts), in runs: the Nth run is the Nth item.
  # (Inside the menu's frame, whose edges are dark.)
  row=$(convert "$BENCH_RUN/menu.png" -crop "$((mw - 8))x$((mh - 4))+$((mx + 4))+$((my + 2))" +repage -colorspace gray \
    -threshold 30% -negate -scale 1x! -depth 8 txt:- | N=$n python3 -c '
import os, re, sys
dark = [int(re.search(r"\((\d+)", l)[1]) > 0 for l in sys.stdin.read().splitlines()[1:]]
runs, start = [], None
for y, d in enumerate(dark + [False]):
    if d and start is None: start = y
    if not d and start is not None: runs.append((start + y - 1) // 2); start = None
n = int(os.environ["N"])
print(runs[n - 1] if len(runs) >= n else -1)
')
  [ "$row" -ge 0 ] || fail "the popup menu has fewer than $n items"
  bench_click $((mx + mw / 3)) $((my + 2 + row))
  popup_gone() { ! untitled_windows | grep -qx "$menu"; }
  until_true 10 popup_gone || fail "the popup menu stayed"
}
tray_menu_click() {
  local x y
  read -r x y < <(bench_tray_icon_centre)
  popup_click "$x" "$y" "$1"
}
# window_pixels TITLE SHOT CODE: runs the Python CODE on the pixels of the window titled TITLE as
# the screenshot SHOT shows it, with w, h and at(x, y) -> (r, g, b) given; echoes what it prints.
window_pixels() {
  local title=$1 shot=$2 code=$3 l t r b
  read -r l t r b < <(bench_wintext --rect "$title")
  convert "$shot" -crop "$((r - l))x$((b - t))+$l+$t" +repage ppm:- | python3 -c '
import re, sys
data = sys.stdin.buffer.read()
head = re.match(rb"P6\s+(\d+)\s+(\d+)\s+\d+\s", data)
w, h, px = int(head[1]), int(head[2]), data[head.end():]
def at(x, y):
    i = 3 * (y * w + x)
    return tuple(px[i:i + 3])
'"$code"
}
tray_menu_keys() {
  local x y
  read -r x y < <(bench_tray_icon_centre)
  popup_keys "$x" "$y" "$@"
}
