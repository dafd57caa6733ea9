#!/usr/bin/env bash
# The bench's own test: starts a bench with a tray, drives bench_probe.exe through every helper,
# measures GDI objects with gdicount.exe, and checks that nothing of a run is left afterwards:
# after bench_stop, after a script that fails midway, after a script that is killed outright,
# and after wine-test (exit code, output, timeout).
set -uo pipefail
here=$(dirname "$(readlink -f "$0")")
# shellcheck source=bench.sh
source "${KELVANE_BENCH:-$here/bench.sh}"
KELVANE_BUILD_DIR=$(_bench_build_dir)
export KELVANE_BUILD_DIR
bin=$KELVANE_BUILD_DIR/tests/bench
probe=$bin/bench_probe.exe
bench_arch
for f in "$probe" "$bin/gdicount.exe"; do
  [[ -f $f ]] || {
    echo "missing $f: build the $KELVANE_ARCH tree first" >&2
    exit 1
  }
done

# Runs of child scripts get their folders here, so that leftovers are easy to see.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export TMPDIR=$scratch

failures=0
pass() { echo "ok   $1"; }
fail() {
  echo "FAIL $1"
  failures=$((failures + 1))
}
expect() { # WHAT ACTUAL EXPECTED
  if [[ $2 == "$3" ]]; then pass "$1"; else fail "$1: got '$2', expected '$3'"; fi
}

# The first line of a bench_wine program's output that matches REGEX, waiting up to 10 s.
wait_line() {
  local pid=$1 regex=$2 i line
  for ((i = 0; i < 100; i++)); do
    line=$(bench_output "$pid" | grep -E -m 1 "$regex") && {
      echo "$line"
      return 0
    }
    sleep 0.1
  done
  return 1
}

# A GDI count once two reads 0.3 s apart agree (a window may still be settling).
settled_gdi_count() {
  local a b i
  a=$(bench_gdi_count "$1") || return 1
  for ((i = 0; i < 20; i++)); do
    sleep 0.3
    b=$(bench_gdi_count "$1") || return 1
    [[ $a == "$b" ]] && {
      echo "$a"
      return 0
    }
    a=$b
  done
  return 1
}

# What is left of a run, judged independently of bench_stop's own bookkeeping: the processes it
# recorded (same PID and start time, not a zombie), any live process started with its
# WINEPREFIX, its folder, its X server. Prints one line per leftover.
leftovers() {
  local pids=$1 run=$2 display=$3 role pid start now p
  while read -r role pid start; do
    now=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null | awk '$1 != "Z" { print $20 }')
    [[ -n $now && $now == "$start" ]] && echo "$role process $pid"
  done <"$pids"
  # grep runs without the variable, or it would find itself.
  for p in $(env -u WINEPREFIX grep -lzx "WINEPREFIX=$run/prefix" /proc/[0-9]*/environ \
    2>/dev/null); do
    pid=${p#/proc/}
    pid=${pid%/environ}
    echo "wine process $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
  done
  [[ -e $run ]] && echo "run folder $run"
  [[ -e /tmp/.X${display#:}-lock ]] && echo "X lock of $display"
  xdpyinfo -display "$display" >/dev/null 2>&1 && echo "X server on $display"
  return 0
}

expect_clean() { # WHAT PIDS RUN DISPLAY
  local left
  left=$(leftovers "$2" "$3" "$4")
  if [[ -z $left ]]; then pass "$1"; else fail "$1: left $(echo "$left" | paste -sd ';')"; fi
}

echo "== helpers on a bench with a tray"
bench_start --tray || {
  echo "bench_start failed" >&2
  exit 1
}
run=$BENCH_RUN
display=$DISPLAY
range=${KELVANE_BENCH_DISPLAYS:-100-199}
expect "display in $range" \
  "$([[ ${display#:} -ge ${range%-*} && ${display#:} -le ${range#*-} ]] && echo yes)" yes

bench_screenshot "$scratch/screen.png"
expect "screenshot size" "$(identify -format '%w %h' "$scratch/screen.png" 2>/dev/null)" "1024 768"

a=$(bench_wine "$probe" --window --tray --title "probe A")
wa=$(bench_wait_window --name "probe A") || fail "probe A's window"
a_pid=$(wait_line "$a" '^pid [0-9]+$') || fail "probe A prints its process id"
a_pid=${a_pid#pid }

read -r tx ty < <(bench_tray_icon_centre 1) || fail "tray icon found"
expect "tray icon inside trayer's 64x32 corner" \
  "$((${tx:-0} >= 960 && ${tx:-0} < 1024 && ${ty:-0} >= 736 && ${ty:-0} < 768))" 1
bench_click "${tx:-0}" "${ty:-0}"
if bench_wait_window --name "probe A clicked" --timeout 10 >/dev/null; then
  pass "a click on the tray icon reaches the program"
else
  fail "a click on the tray icon reaches the program"
fi

# Pixels: the probe paints its client area 32,128,224; a synthetic picture checks the reader
# on its own, in colour and in grey.
X=0 Y=0 WIDTH=0 HEIGHT=0
eval "$(xdotool getwindowgeometry --shell "${wa:-0}" 2>/dev/null | grep -E '^(X|Y|WIDTH|HEIGHT)=')"
bench_screenshot "$scratch/probe.png"
expect "window pixel" \
  "$(bench_pixel "$scratch/probe.png" $((X + WIDTH / 2)) $((Y + HEIGHT / 2)))" "32 128 224"
convert -size 4x3 xc:'rgb(10,20,30)' -fill 'rgb(200,100,50)' -draw 'point 2,1' "$scratch/dot.png"
convert -size 2x2 xc:'gray(77)' "$scratch/grey.png"
expect "pixel of a colour picture" "$(bench_pixel "$scratch/dot.png" 2 1)" "200 100 50"
expect "its neighbour" "$(bench_pixel "$scratch/dot.png" 1 1)" "10 20 30"
expect "pixel of a grey picture" "$(bench_pixel "$scratch/grey.png" 1 1)" "77 77 77"
if bench_pixel "$scratch/dot.png" 4 1 2>/dev/null; then
  fail "a pixel just outside"
else
  pass "a pixel just outside fails"
fi

# GDI objects. Counted by name while probe A is the only probe, then by process id for two runs
# of a second probe, one with 0 and one with 10 extra brushes, each counted while it is the newest
# window (windows change their objects when they lose the focus).
by_name=$(settled_gdi_count bench_probe.exe) || fail "GDI count by exe name"
by_pid=$(settled_gdi_count "$a_pid") || fail "GDI count by process id"
expect "count by name equals count by id" "$by_name" "$by_pid"
declare -A gdi stock
for brushes in 0 10; do
  g=$(bench_wine "$probe" --window --brushes "$brushes" --title "gdi $brushes")
  wg=$(bench_wait_window --name "gdi $brushes") || fail "window of the probe with $brushes brushes"
  g_pid=$(wait_line "$g" '^pid [0-9]+$') || fail "the probe with $brushes brushes prints its id"
  g_pid=${g_pid#pid }
  gdi[$brushes]=$(settled_gdi_count "$g_pid")
  read -r _ _ _ "stock[$brushes]" < <(wine "$bin/gdicount.exe" "$g_pid" | tr -d '\r')
  if ((brushes == 0)); then
    if bench_gdi_count bench_probe.exe >/dev/null 2>&1; then
      fail "a name shared by two processes is refused"
    else
      pass "a name shared by two processes is refused"
    fi
    # Keys reach the focused window: alt+F4 closes it through openbox, and it exits 0.
    xdotool windowactivate --sync "${wg:-0}" >/dev/null 2>&1
    bench_key alt+F4
    expect "a probe closed by alt+F4 exits 0" "$(bench_wait_exit "$g" 15)" 0
  else
    bench_kill "$g"
    if [[ -n $(bench_wait_exit "$g" 5) ]]; then
      pass "bench_kill ends a program"
    else
      fail "bench_kill ends a program"
    fi
  fi
done
expect "10 extra brushes are 10 more GDI objects" "$((${gdi[10]:-0} - ${gdi[0]:-0}))" 10
if ((${gdi[0]:-0} > 0)); then
  pass "a window has GDI objects (${gdi[0]})"
else
  fail "a window has GDI objects"
fi
if ((${stock[0]:-0} > 0)) && [[ ${stock[0]} == "${stock[10]:-}" ]]; then
  pass "stock objects counted apart (${stock[0]} in each process)"
else
  fail "stock objects counted apart: '${stock[0]:-}' and '${stock[10]:-}'"
fi
bench_kill "$a"

key='HKCU\Software\Kelvane Bench'
bench_reg_add "$key" 'A name' 'data with  spaces'
bench_reg_add "$key" Empty ''
bench_reg_add "$key" Number 42 REG_DWORD
expect "registry text round trip" "$(bench_reg_query "$key" 'A name')" 'data with  spaces'
expect "registry empty text" "$(bench_reg_query "$key" Empty)" ''
expect "registry number" "$(bench_reg_query "$key" Number)" 0x2a
for missing in "$key|Absent" 'HKCU\Software\Kelvane Absent|X'; do
  if bench_reg_query "${missing%|*}" "${missing#*|}" >/dev/null; then
    fail "missing $missing"
  else
    pass "missing $missing fails"
  fi
done
expect "crash dialog off in the template" \
  "$(bench_reg_query 'HKCU\Software\Wine\WineDbg' ShowCrashDialog)" 0x0
expect "no audio driver in the template" "$(bench_reg_query 'HKCU\Software\Wine\Drivers' Audio)" ''
expect "Wine path" "$(bench_winpath /tmp)" 'Z:\tmp'

cp "$BENCH_RUN/pids" "$scratch/desktop.pids"
expect "processes recorded" "$(awk '{ print $1 }' "$scratch/desktop.pids" | sort -u | paste -sd ' ')" \
  "openbox trayer wine wrapper xvfb"
bench_stop
expect_clean "bench_stop leaves nothing" "$scratch/desktop.pids" "$run" "$display"

echo "== a script that fails midway"
export probe KELVANE_BENCH_LIB=$BENCH_LIB
bash -c 'set -euo pipefail
  source "$KELVANE_BENCH_LIB"
  bench_start
  bench_wine "$probe" --window >/dev/null
  bench_wait_window --name "Kelvane bench probe" >/dev/null
  echo "$BENCH_RUN $DISPLAY" >"$TMPDIR/failing.state"
  cp "$BENCH_RUN/pids" "$TMPDIR/failing.pids"
  false
  echo "not reached"' 2>/dev/null
expect "the failing script's status" "$?" 1
read -r run display <"$scratch/failing.state"
expect_clean "a failing script leaves nothing" "$scratch/failing.pids" "$run" "$display"

echo "== a script killed outright (the reaper cleans up)"
bash -c 'source "$KELVANE_BENCH_LIB"
  bench_start --tray || exit 1
  bench_wine "$probe" --window --tray >/dev/null
  bench_wait_window --name "Kelvane bench probe" >/dev/null
  cp "$BENCH_RUN/pids" "$TMPDIR/killed.pids"
  echo "$BENCH_RUN $DISPLAY" >"$TMPDIR/killed.state"
  while :; do sleep 0.2; done' 2>/dev/null &
child=$!
for ((i = 0; i < 600; i++)); do
  [[ -s $scratch/killed.state ]] && break
  sleep 0.1
done
kill -KILL "$child"
wait "$child" 2>/dev/null
read -r run display <"$scratch/killed.state"
for ((i = 0; i < 150; i++)); do
  [[ -z $(leftovers "$scratch/killed.pids" "$run" "$display") ]] && break
  sleep 0.2
done
expect_clean "a killed script leaves nothing after a while" "$scratch/killed.pids" "$run" "$display"

echo "== wine-test"
output=$(bash "$here/wine-test" "$probe" --say hello --say "two  words" --exit-code 3 2>/dev/null)
expect "the program's exit code" "$?" 3
expect "the program's output, without CRs" "$output" $'hello\ntwo  words'
output=$(bash "$here/wine-test" --tray "$probe" --expect-bin-dir 2>/dev/null)
expect "KELVANE_BIN_DIR names the program's folder (with a tray)" "$?" 0
started=$SECONDS
output=$(KELVANE_WINE_TEST_TIMEOUT=3 bash "$here/wine-test" "$probe" --say started \
  --sleep-ms 60000 2>/dev/null)
expect "a program that overruns ends with 124" "$?" 124
expect "its output so far" "$output" started
if ((SECONDS - started < 30)); then pass "it is stopped in time"; else fail "stopped late"; fi
bash "$here/wine-test" "$scratch/none.exe" 2>/dev/null
expect "a missing program is a usage error" "$?" 2
expect "wine-test leaves no run folder" "$(compgen -G "$scratch/kelvane-bench.*")" ""

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
