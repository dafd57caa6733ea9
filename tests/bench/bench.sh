# shellcheck shell=bash
# The Wine test bench: a private X display with a window manager (and a tray), a fresh Wine prefix
# of the architecture this machine runs, and helpers to drive Windows programs on it.
#
# The architecture is chosen once, when this file is sourced: KELVANE_ARCH (i686 or x86_64) if set,
# otherwise what scripts/host-arch finds (i686 where the machine executes 32-bit x86 code, else
# x86_64). i686 runs the i686 build in a 32-bit prefix, x86_64 the x86_64 build in a 64-bit prefix.
# The loader is called directly (WINELOADER): /usr/bin/wine picks the 32-bit loader whenever it is
# installed, even where it cannot run. Within these scripts `wine`, `wineboot`, `winepath` and
# `wineserver` are functions that call the chosen loader and server. Source this file, then:
#
#   bench_start [--tray]          start Xvfb (1024x768x24) + openbox (+ trayer) on a free display
#                                 in KELVANE_BENCH_DISPLAYS (100-199) and a fresh prefix copied
#                                 from the template; exports
#                                 DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES and
#                                 BENCH_RUN BENCH_LOGS BENCH_PREFIX BENCH_DISPLAY; bench_stop runs
#                                 on exit (an EXIT trap set before is kept and runs after it)
#   bench_stop                    end everything bench_start and bench_wine started, by PID, and
#                                 delete the prefix; safe to call twice
#   bench_wine EXE [ARGS...]      start EXE under wine in the background; echoes its PID (the
#                                 Linux one; the program itself sees another, Windows, id)
#   bench_output PID              what that program printed so far (CR stripped)
#   bench_wait_exit PID [S]       wait up to S s (30) for it to exit; echoes its exit code
#   bench_kill PID                end that program
#   bench_wait_window (--name TITLE | --class CLASS) [--timeout S] [--any]
#                                 wait (30 s) for a mapped X window whose whole title is TITLE or
#                                 whose WM_CLASS is CLASS (Wine puts the exe name there, e.g.
#                                 "Kelvane.exe"), ignoring case; --any also finds unmapped ones;
#                                 echoes the X window id of the first
#   bench_screenshot FILE         the whole screen as an image (type from FILE's extension)
#   bench_click X Y [BUTTON]      move the pointer to X Y and click (button 1: left, 3: right)
#   bench_key KEYS...             xdotool key names, e.g. Return, alt+F4
#   bench_reg_query KEY VALUE     echoes the data of VALUE under KEY (REG_DWORD as 0x...);
#                                 returns 1 when the key or value is missing
#   bench_reg_add KEY VALUE DATA [TYPE]   TYPE defaults to REG_SZ
#   bench_tray_icon_centre [N]    echoes "X Y", the centre of the Nth tray icon from the left (1)
#                                 once its place is settled
#   bench_tray_icon_count         echoes how many icons are docked in the tray now
#   bench_pixel FILE X Y          echoes "R G B" of one pixel of an image
#   bench_winpath PATH            echoes the Wine path (Z:\...) of a Linux path
#   bench_wintext [--class] [--exists|--visible|--close|--rect] NAME
#                                 texts of the Windows window titled NAME (--class: of that window
#                                 class, "#32770" for a message box) and its children, or what the
#                                 flag asks (wintext.exe, run in the bench's prefix)
#   bench_gdi_count EXE_OR_WINPID echoes the live GDI objects (stock objects excluded) of a
#                                 running program, by exe name (e.g. Kelvane.exe; must be the only
#                                 one running) or Windows process id; finds gdicount.exe in
#                                 $KELVANE_GDICOUNT or $KELVANE_BUILD_DIR/tests/bench (default
#                                 <repo>/build/$KELVANE_ARCH)
#
# Every function returns nonzero and says why on stderr when it fails. They work under set -eu.
# Settings: KELVANE_BENCH_CACHE (template prefixes; default <repo>/build/bench-cache),
# KELVANE_BENCH_DISPLAYS (the display numbers a bench may take, FIRST-LAST; default 100-199: keep
# two people's benches on one machine apart by giving each a range of its own),
# KELVANE_BENCH_KEEP=1 (keep the run folder's logs after bench_stop), KELVANE_BENCH_WINEDEBUG.
#
# Measured on this machine (2 cores, Wine 8.0): creating the template prefix takes about 11 s
# (wineboot -i 5 s, the rest waiting for wineserver to exit); copying it (590 MB, cp -a) 0.5-1.7 s;
# bench_start with the template ready about 1 s, with or without --tray; bench_stop 0.5 s, about
# 2 s once Wine programs ran (wineserver -k, then -w); one wine-test round trip of a small console
# exe about 3 s.

BENCH_LIB=$(readlink -f "${BASH_SOURCE[0]}")
BENCH_REPO=$(cd "$(dirname "$BENCH_LIB")/../.." && pwd)

# ---- the architecture --------------------------------------------------------------------------

# Exports KELVANE_ARCH, WINEARCH, WINELOADER and WINESERVER for the chosen build.
_bench_choose_arch() {
  KELVANE_ARCH=$("$BENCH_REPO/scripts/host-arch") || return 1
  if [[ $KELVANE_ARCH == i686 ]]; then
    WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  else
    WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  fi
  # The 64-bit server serves 32-bit programs too; the 32-bit one is there when only wine32 is.
  WINESERVER=/usr/lib/wine/wineserver64
  [[ -x $WINESERVER ]] || WINESERVER=/usr/lib/wine/wineserver32
  export KELVANE_ARCH WINEARCH WINELOADER WINESERVER
}
_bench_choose_arch || echo "bench: cannot choose an architecture" >&2

wine() { "$WINELOADER" "$@"; }
wineboot() { "$WINELOADER" wineboot "$@"; }
winepath() { "$WINELOADER" winepath "$@"; }
wineserver() { "$WINESERVER" "$@"; }

# The build tree of the chosen architecture.
_bench_build_dir() { echo "${KELVANE_BUILD_DIR:-$BENCH_REPO/build/$KELVANE_ARCH}"; }

# bench_arch: one line that says which build runs where (for the tests' output).
bench_arch() {
  local bits=32
  [[ $KELVANE_ARCH == x86_64 ]] && bits=64
  echo "bench: the $KELVANE_ARCH build in a $bits-bit Wine prefix ($WINELOADER)"
}

# ---- small helpers -----------------------------------------------------------------------------

_bench_say() { echo "bench: $*" >&2; }

_bench_now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

# _bench_until SECONDS CMD...: runs CMD every 0.1 s until it succeeds; 1 after SECONDS.
_bench_until() {
  local limit=$(($(_bench_now_ms) + $1 * 1000))
  shift
  until "$@"; do
    (($(_bench_now_ms) < limit)) || return 1
    sleep 0.1
  done
  return 0
}

# The start time of a process (field 22 of /proc/PID/stat), which tells a process from a later
# one that got the same PID. Empty for a process that is gone or a zombie.
_bench_start_time() {
  local stat
  stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 0
  stat=${stat##*) } # the command name may hold spaces; the fields after it do not
  local -a f
  read -r -a f <<<"$stat"
  [[ ${f[0]} != Z ]] && echo "${f[19]}"
  return 0
}

_bench_alive() { [[ -n $(_bench_start_time "$1") ]]; }

# _bench_record ROLE PID: the run's ledger of processes that bench_stop ends.
_bench_record() { echo "$1 $2 $(_bench_start_time "$2")" >>"$BENCH_RUN/pids"; }

# _bench_end PID START [GRACE_S]: TERM, then KILL after GRACE_S, but only if PID is still the
# process that was recorded. Reaps it when it is our child.
_bench_end() {
  local pid=$1 start=$2 grace=${3:-5}
  [[ -n $start && $(_bench_start_time "$pid") == "$start" ]] || return 0
  kill -TERM "$pid" 2>/dev/null || true
  if ! _bench_until "$grace" eval "! _bench_alive $pid"; then
    kill -KILL "$pid" 2>/dev/null || true
    _bench_until 5 eval "! _bench_alive $pid" || _bench_say "process $pid does not end"
  fi
  wait "$pid" 2>/dev/null || true
  return 0
}

# Wine processes of PREFIX, found by their environment: wineserver and the service processes it
# starts (explorer.exe, services.exe ...) are daemons that nobody recorded.
_bench_prefix_processes() {
  local prefix=$1 p pid exe
  for p in /proc/[0-9]*; do
    pid=${p#/proc/}
    exe=$(readlink "$p/exe" 2>/dev/null) || continue
    [[ $exe == */wine* ]] || continue
    grep -qzxF "WINEPREFIX=$prefix" "$p/environ" 2>/dev/null && echo "$pid"
  done
  return 0
}

# ---- Xvfb, openbox, trayer ---------------------------------------------------------------------

_bench_display_ours() {
  local n=$1 pid=$2
  _bench_alive "$pid" || return 2
  [[ $(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock") == "$pid" ]] &&
    xdpyinfo -display ":$n" >/dev/null 2>&1
}

# Picks the first display number in KELVANE_BENCH_DISPLAYS without a lock or socket. Another bench
# may take the same number between the check and Xvfb's start; Xvfb then exits and the next number
# is tried.
_bench_start_xvfb() {
  local n pid limit range=${KELVANE_BENCH_DISPLAYS:-100-199}
  for ((n = ${range%-*}; n <= ${range#*-}; n++)); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >>"$BENCH_LOGS/xvfb.log" 2>&1 &
    pid=$!
    limit=$(($(_bench_now_ms) + 15000))
    until _bench_display_ours "$n" "$pid"; do
      if ! _bench_alive "$pid" || (($(_bench_now_ms) >= limit)); then break; fi
      sleep 0.1
    done
    if _bench_display_ours "$n" "$pid"; then
      _bench_record xvfb "$pid"
      echo "$n" >"$BENCH_RUN/display"
      BENCH_DISPLAY=:$n
      return 0
    fi
    _bench_end "$pid" "$(_bench_start_time "$pid")" 2
  done
  _bench_say "no free display in $range (see $BENCH_LOGS/xvfb.log)"
  return 1
}

_bench_wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# trayer owns the tray selection before it maps its panel; a Wine process that adds an icon
# before that shows Wine's own tray window instead.
_bench_tray_ready() { [[ -n $(xdotool search --onlyvisible --class '^trayer$' 2>/dev/null) ]]; }

_bench_start_x() {
  _bench_start_xvfb || return 1
  export DISPLAY=$BENCH_DISPLAY
  openbox --sm-disable >>"$BENCH_LOGS/openbox.log" 2>&1 &
  _bench_record openbox $!
  _bench_until 20 _bench_wm_ready || {
    _bench_say "openbox did not start"
    return 1
  }
  if [[ $1 == tray ]]; then
    # --widthtype pixel: with "request" the Wine icon docks but is clipped to 2 pixels. A trayer
    # that shows no panel (seen once in a full run on a busy machine) is ended and started again.
    local attempt trayer_pid
    for attempt in 1 2; do
      trayer --edge bottom --align right --widthtype pixel --width 64 --height 32 \
        --transparent false >>"$BENCH_LOGS/trayer.log" 2>&1 &
      trayer_pid=$!
      _bench_record trayer "$trayer_pid"
      _bench_until 20 _bench_tray_ready && return 0
      kill "$trayer_pid" 2>/dev/null || true
      wait "$trayer_pid" 2>/dev/null || true
    done
    _bench_say "trayer did not start"
    return 1
  fi
  return 0
}

# ---- prefixes ----------------------------------------------------------------------------------

_bench_wine_env() {
  export WINEDEBUG=${KELVANE_BENCH_WINEDEBUG:--all}
  # No Mono or Gecko install dialogs.
  export WINEDLLOVERRIDES="mscoree,mshtml="
}

# The template prefix for this Wine version and architecture, built once and shared by every run (a
# run copies it).
# The lock keeps parallel benches from building it twice; the marker, written last, tells a
# finished template from one whose build was cut short.
_bench_template() {
  local cache=${KELVANE_BENCH_CACHE:-$BENCH_REPO/build/bench-cache} version
  [[ -x $WINELOADER ]] || {
    _bench_say "wine is not installed for $KELVANE_ARCH ($WINELOADER is missing; run scripts/setup)"
    return 1
  }
  version=$(wine --version 2>/dev/null | tr -cs 'A-Za-z0-9.' '-') || true
  version=${version%-}
  [[ -n $version ]] || {
    _bench_say "$WINELOADER does not run"
    return 1
  }
  # The recipe's revision: a change below makes a new template.
  version=$WINEARCH-$version-r2
  BENCH_TEMPLATE=$cache/prefix-$version
  mkdir -p "$cache" || return 1
  (
    flock -w 600 9 || exit 1
    [[ -f $BENCH_TEMPLATE/.kelvane-template-ready ]] && exit 0
    _bench_say "building the Wine prefix template $BENCH_TEMPLATE"
    rm -rf "$BENCH_TEMPLATE"
    # shellcheck disable=SC2030 # this subshell's prefix is the template's
    export WINEPREFIX=$BENCH_TEMPLATE
    {
      wineboot -i &&
        # A crash ends the program (exit code 5) instead of waiting on winedbg's dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
        # No sound card here: an empty driver keeps ALSA's complaints off stderr.
        wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f &&
        # Every Windows has Arial, the tray icon's default font; Wine has none of its own, so the
        # metric-compatible Liberation Sans stands in under that name, in the font list too.
        wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f &&
        wineserver -w
    } >>"$BENCH_LOGS/template.log" 2>&1 || {
      _bench_say "wineboot failed (see $BENCH_LOGS/template.log)"
      exit 1
    }
    touch "$BENCH_TEMPLATE/.kelvane-template-ready"
  ) 9>"$cache/prefix-$version.lock"
}

# ---- the reaper --------------------------------------------------------------------------------

# Cleans up a run whose owner died without bench_stop (killed by a CTest timeout, for example).
# It runs detached so that killing the owner's process tree does not take it along.
_bench_reap() {
  local run=$1 owner=$2 start
  start=$(_bench_start_time "$owner")
  echo "$BASHPID" >"$run/reaper"
  while [[ -d $run && $(_bench_start_time "$owner") == "$start" ]]; do sleep 1; done
  [[ -d $run ]] && _bench_teardown "$run"
  return 0
}

# Ends every process of a run and removes its folder, from what the run folder records.
_bench_teardown() {
  local run=$1 role pid start prefix=$1/prefix n
  # Programs before their wrappers: a wrapper reaps its program and has ended before the folder
  # goes.
  for n in wine wrapper; do
    [[ -f $run/pids ]] || break
    while read -r -u 3 role pid start; do
      [[ $role == "$n" ]] && _bench_end "$pid" "$start" 3
    done 3<"$run/pids"
  done
  if [[ -d $prefix ]]; then
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$prefix timeout 10 wineserver -w >/dev/null 2>&1 || true
    for pid in $(_bench_prefix_processes "$prefix"); do
      _bench_end "$pid" "$(_bench_start_time "$pid")" 2
    done
  fi
  if [[ -f $run/pids ]]; then
    for n in trayer openbox xvfb; do
      while read -r -u 3 role pid start; do
        [[ $role == "$n" ]] && _bench_end "$pid" "$start" 5
      done 3<"$run/pids"
    done
  fi
  # An Xvfb that was killed outright leaves its lock and socket behind.
  if [[ -f $run/display ]]; then
    n=$(<"$run/display")
    pid=$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock") || pid=
    if [[ -n $pid ]] && ! _bench_alive "$pid" && grep -q "^xvfb $pid " "$run/pids"; then
      rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
    fi
  fi
  if [[ ${KELVANE_BENCH_KEEP:-0} == 1 ]]; then
    rm -rf "$prefix"
    _bench_say "kept $run"
  else
    rm -rf "$run"
  fi
  return 0
}

# ---- start and stop ----------------------------------------------------------------------------

bench_start() {
  local tray=
  case ${1:-} in
    --tray) tray=tray ;;
    "") ;;
    *)
      _bench_say "bench_start: unknown option $1"
      return 2
      ;;
  esac
  if [[ -n ${BENCH_RUN:-} && -d $BENCH_RUN ]]; then
    _bench_say "bench_start: already started ($BENCH_RUN)"
    return 1
  fi
  BENCH_RUN=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-bench.XXXXXX") || return 1
  BENCH_LOGS=$BENCH_RUN/logs
  BENCH_PREFIX=$BENCH_RUN/prefix
  mkdir -p "$BENCH_LOGS"
  export BENCH_RUN BENCH_LOGS BENCH_PREFIX

  # Stop on exit; an EXIT trap set earlier still runs, after ours. A signal ends the shell through
  # exit, so the trap runs then too.
  local previous owner=$BASHPID signal
  previous=$(trap -p EXIT)
  if [[ -n $previous ]]; then
    eval "set -- $previous"
    # shellcheck disable=SC2064 # the earlier trap's text is fixed now
    trap "bench_stop; $3" EXIT
  else
    trap bench_stop EXIT
  fi
  for signal in HUP:129 INT:130 TERM:143; do
    # shellcheck disable=SC2064
    [[ -n $(trap -p "${signal%:*}") ]] || trap "exit ${signal#*:}" "${signal%:*}"
  done
  # shellcheck disable=SC2016 # the inner shell expands its own arguments
  (setsid bash -c 'source "$1" && _bench_reap "$2" "$3"' _ "$BENCH_LIB" "$BENCH_RUN" "$owner" \
    </dev/null >/dev/null 2>&1 &)

  _bench_wine_env
  if ! _bench_start_x "$tray" || ! _bench_template ||
    ! cp -a "$BENCH_TEMPLATE" "$BENCH_PREFIX"; then
    _bench_say "bench_start failed; logs in $BENCH_LOGS:"
    tail -n 20 "$BENCH_LOGS"/*.log >&2 2>/dev/null || true
    bench_stop
    return 1
  fi
  # shellcheck disable=SC2031 # the template's subshell changed its own copy only
  export WINEPREFIX=$BENCH_PREFIX BENCH_DISPLAY
  return 0
}

bench_stop() {
  local run=${BENCH_RUN:-}
  [[ -n $run && -d $run ]] || return 0
  local reaper
  reaper=$(cat "$run/reaper" 2>/dev/null) || reaper=
  [[ -z $reaper ]] || kill "$reaper" 2>/dev/null || true
  _bench_teardown "$run"
  unset BENCH_RUN BENCH_LOGS BENCH_PREFIX BENCH_DISPLAY
  return 0
}

_bench_started() {
  [[ -n ${BENCH_RUN:-} && -d ${BENCH_RUN:-} ]] && return 0
  _bench_say "${FUNCNAME[1]}: call bench_start first"
  return 1
}

# ---- programs ----------------------------------------------------------------------------------

bench_wine() {
  _bench_started || return 1
  [[ $# -ge 1 ]] || {
    _bench_say "usage: bench_wine EXE [ARGS...]"
    return 2
  }
  local token=$BASHPID-$RANDOM$RANDOM pid wrapper
  # A wrapper waits for wine to record the exit code. Its output goes to files only, so that
  # $(bench_wine ...) returns at once.
  (
    # The log is open before wine forks, so renaming it after the PID is known cannot race with
    # wine creating it.
    exec 3>"$BENCH_LOGS/wine-$token.log"
    # The loader itself, not the wine function: $! must be the program's own process.
    "$WINELOADER" "$@" >&3 2>&3 3>&- </dev/null &
    pid=$!
    exec 3>&-
    mv "$BENCH_LOGS/wine-$token.log" "$BENCH_LOGS/wine-$pid.log"
    echo "$BASHPID $pid" >"$BENCH_RUN/started-$token.tmp"
    mv "$BENCH_RUN/started-$token.tmp" "$BENCH_RUN/started-$token"
    rc=0
    wait "$pid" || rc=$?
    echo "$rc" >"$BENCH_RUN/exit-$pid.tmp" && mv "$BENCH_RUN/exit-$pid.tmp" "$BENCH_RUN/exit-$pid"
  ) </dev/null >/dev/null 2>&1 &
  _bench_until 10 test -f "$BENCH_RUN/started-$token" || {
    _bench_say "bench_wine: $1 did not start"
    return 1
  }
  read -r wrapper pid <"$BENCH_RUN/started-$token"
  rm -f "$BENCH_RUN/started-$token"
  _bench_record wrapper "$wrapper"
  _bench_record wine "$pid"
  echo "$pid"
}

bench_output() {
  _bench_started || return 1
  tr -d '\r' <"$BENCH_LOGS/wine-$1.log"
}

bench_wait_exit() {
  _bench_started || return 1
  local pid=$1 seconds=${2:-30}
  _bench_until "$seconds" test -f "$BENCH_RUN/exit-$pid" || {
    _bench_say "bench_wait_exit: $pid still runs after $seconds s"
    return 1
  }
  cat "$BENCH_RUN/exit-$pid"
}

bench_kill() {
  _bench_started || return 1
  local pid=$1 start
  start=$(awk -v p="$pid" '$1 == "wine" && $2 == p { print $3 }' "$BENCH_RUN/pids")
  [[ -n $start ]] || {
    _bench_say "bench_kill: $pid was not started by bench_wine"
    return 1
  }
  _bench_end "$pid" "$start" 3
}

# ---- the desktop -------------------------------------------------------------------------------

# shellcheck disable=SC2016 # the $ is one of the characters to quote
_bench_regex_quote() { printf '%s' "$1" | sed 's/[][\\.|$(){}?+*^]/\\&/g'; }

bench_wait_window() {
  _bench_started || return 1
  local field='' value='' seconds=30 visible=--onlyvisible
  while (($#)); do
    case $1 in
      --name | --class)
        field=$1
        value=${2-}
        shift 2 || return 2
        ;;
      --timeout)
        seconds=${2-}
        shift 2 || return 2
        ;;
      --any)
        visible=
        shift
        ;;
      *)
        _bench_say "bench_wait_window: unknown option $1"
        return 2
        ;;
    esac
  done
  [[ -n $field ]] || {
    _bench_say "usage: bench_wait_window (--name TITLE | --class CLASS) [--timeout S] [--any]"
    return 2
  }
  local pattern limit id
  pattern="^$(_bench_regex_quote "$value")\$"
  limit=$(($(_bench_now_ms) + seconds * 1000))
  while :; do
    # shellcheck disable=SC2086 # $visible is one option or nothing
    id=$(xdotool search $visible "$field" "$pattern" 2>/dev/null | head -n 1) || true
    [[ -n $id ]] && break
    (($(_bench_now_ms) < limit)) || {
      _bench_say "bench_wait_window: no window with $field \"$value\" after $seconds s"
      return 1
    }
    sleep 0.1
  done
  echo "$id"
}

bench_screenshot() {
  _bench_started || return 1
  import -display "$DISPLAY" -window root "$1"
}

bench_click() {
  _bench_started || return 1
  xdotool mousemove "$1" "$2" click "${3:-1}"
}

bench_key() {
  _bench_started || return 1
  xdotool key "$@"
}

# Wine's tray icons (Win32 class __winex11_tray_icon) belong to explorer.exe, which holds the
# tray. In X they are explorer.exe windows carrying _XEMBED_INFO, docked inside trayer; the icon's
# tooltip is an explorer.exe window too, but without it.
_bench_tray_icons() {
  local id geometry
  for id in $(xdotool search --onlyvisible --class '^explorer\.exe$' 2>/dev/null); do
    xprop -id "$id" _XEMBED_INFO 2>/dev/null | grep -q '=' || continue
    geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
    local X='' Y='' WIDTH='' HEIGHT=''
    eval "$(grep -E '^(X|Y|WIDTH|HEIGHT)=[0-9-]+$' <<<"$geometry")"
    echo "$X $Y $WIDTH $HEIGHT"
  done | sort -n -k1,1 -k2,2
}

bench_tray_icon_centre() {
  _bench_started || return 1
  local index=${1:-1} previous='' current limit
  limit=$(($(_bench_now_ms) + 30000))
  # The icon is created at 0,0 and moves when trayer docks it; a click before it settles misses.
  while :; do
    current=$(_bench_tray_icons | sed -n "${index}p")
    if [[ -n $current && $current == "$previous" && ${current% * *} != "0 0" ]]; then
      local x y w h
      read -r x y w h <<<"$current"
      echo "$((x + w / 2)) $((y + h / 2))"
      return 0
    fi
    previous=$current
    (($(_bench_now_ms) < limit)) || {
      _bench_say "bench_tray_icon_centre: no settled tray icon $index (last: '${current}')"
      return 1
    }
    sleep 0.2
  done
}

bench_tray_icon_count() {
  _bench_started || return 1
  _bench_tray_icons | wc -l
}

bench_pixel() {
  local file=$1 x=$2 y=$3 txt w h hex
  [[ $x =~ ^[0-9]+$ && $y =~ ^[0-9]+$ ]] || {
    _bench_say "usage: bench_pixel FILE X Y"
    return 2
  }
  # The size comes along because a crop outside the picture yields a transparent pixel, not an
  # error.
  txt=$(convert "$file" -format '%w %h\n' -write info:- -crop "1x1+$x+$y" -depth 8 txt:- \
    2>/dev/null) || {
    _bench_say "bench_pixel: cannot read $file"
    return 1
  }
  read -r w h <<<"$txt"
  ((x < w && y < h)) || {
    _bench_say "bench_pixel: $x,$y is outside $file (${w}x$h)"
    return 1
  }
  hex=$(grep -oE '#[0-9A-Fa-f]{6}' <<<"$txt" | head -n 1) || true
  echo "$((16#${hex:1:2})) $((16#${hex:3:2})) $((16#${hex:5:2}))"
}

# ---- windows of Windows programs ----------------------------------------------------------------

# bench_wintext ARGS...: wintext.exe (see its usage) in the bench's prefix.
bench_wintext() {
  local tool=${KELVANE_WINTEXT:-$(_bench_build_dir)/tests/bench/wintext.exe}
  [ -f "$tool" ] || { echo "bench_wintext: no $tool" >&2; return 1; }
  wine "$tool" "$@" 2>/dev/null
}

# ---- Wine --------------------------------------------------------------------------------------

bench_winpath() {
  _bench_started || return 1
  local path
  path=$(winepath -w "$1" 2>/dev/null | tr -d '\r') || path=''
  if [[ -z $path ]]; then
    _bench_say "bench_winpath: no Wine path for $1"
    return 1
  fi
  echo "$path"
}

bench_reg_query() {
  _bench_started || return 1
  local key=$1 value=$2 out line rest
  out=$(wine reg query "$key" /v "$value" 2>/dev/null | tr -d '\r') || return 1
  # Lines read "    NAME    TYPE    DATA"; the data may hold spaces or be empty.
  while IFS= read -r line; do
    rest=${line#    }
    [[ ${rest,,} == "${value,,}    "* ]] || continue
    rest=${rest:${#value}+4}
    [[ $rest == REG_* ]] || continue
    rest=${rest#REG_*    }
    [[ $rest == REG_* ]] && rest= # an empty REG_SZ leaves no separator after its type
    echo "$rest"
    return 0
  done <<<"$out"
  return 1
}

bench_reg_add() {
  _bench_started || return 1
  wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1 || {
    _bench_say "bench_reg_add: cannot set $1\\$2"
    return 1
  }
}

bench_gdi_count() {
  _bench_started || return 1
  local build out live
  build=$(_bench_build_dir)
  local tool=${KELVANE_GDICOUNT:-$build/tests/bench/gdicount.exe}
  [[ -f $tool ]] || {
    _bench_say "bench_gdi_count: no $tool (build the $KELVANE_ARCH tree)"
    return 1
  }
  out=$(wine "$tool" "$1" | tr -d '\r') || return 1
  read -r _ live _ <<<"$out" # "gdi LIVE stock STOCK"
  [[ $live =~ ^[0-9]+$ ]] || return 1
  echo "$live"
}
