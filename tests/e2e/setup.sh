#!/usr/bin/env bash
# The setup program of this tree (the 64-bit one in the x86_64 tree, the 32-bit one in the i686
# tree) as a user meets it, in three groups:
# - an unrelated folder: a folder holding the user's own files is refused; Kelvane 0.9.0 goes into
#   a folder whose name the code page cannot hold, starts as Windows starts it and logs there; the
#   user replaces a theme picture and the alarm sound; the upgrade (while Kelvane runs) replaces
#   what is unchanged and keeps what the user changed; an uninstall through the components page
#   with both boxes ticked takes Kelvane's logs, pictures and settings and leaves the user's files;
# - two copies: a second folder is refused while Kelvane is installed; the uninstaller of a copy
#   made by hand, and the installed one's, leave what names another copy; a program that only
#   looks like Kelvane is left alone and a Kelvane that will not close stops setup with 3;
# - the exit codes of the README: a file that cannot be replaced (everything put back), a folder
#   that cannot be written or cannot be one, /NOSTART, a second setup.
set -euo pipefail
source "$KELVANE_BENCH"
source "$(dirname "$0")/common.sh"
bench_start --tray
# Start menu entries stay in the prefix: no menu entries of the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

version=$(sed -nE 's/^#define KELVANE_VERSION_TEXT "([^"]+)"$/\1/p' \
  "$KELVANE_SOURCE_DIR/apps/kelvane/version.h")
[ "$KELVANE_ARCH" = x86_64 ] && suffix=x64 || suffix=x86
SETUP=$BUILD/installer/Kelvane-$version-setup-$suffix.exe
OLDER=$BUILD/installer/older/Kelvane-0.9.0-setup-$suffix.exe
PROBE=$BUILD/tests/bench/bench_probe.exe
[ -f "$SETUP" ] && [ -f "$OLDER" ] || fail "no $SETUP or $OLDER"
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
PUBLISHER_KEY='HKCU\Software\VB and VBA Program Settings\Marrowby'
MUTEX=Marrowby.Kelvane.SingleInstance
drive_c=$WINEPREFIX/drive_c
user_dir=$drive_c/users/$(id -un)
START_MENU="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kelvane"
DEFAULT_DIR=$user_dir/AppData/Local/Programs/Kelvane
shipped=$(cd "$KELVANE_SOURCE_DIR/resources" && find . -type f | sed 's|^\./||' | sort)

# run_setup [EXE] ARGUMENTS: a setup program (this tree's by default) with ARGUMENTS as a user
# types them (a /D= folder with spaces stays unquoted, as the setup program wants it); echoes its
# exit code.
run_setup() {
  local exe=$SETUP pid
  [[ $1 == *.exe ]] && exe=$1 && shift
  exe=$(bench_winpath "$exe")
  if [[ $exe == *" "* ]]; then
    run_line "\"$exe\" $*"
  else
    pid=$(bench_wine cmd /c "$exe $*")
    bench_wait_exit "$pid" 90
  fi
}

# run_line LINE: a command line as typed at a prompt, quotes and all (an argument of cmd /c would
# reach it with its quotes escaped); echoes its exit code. Batch files are read in the OEM code
# page: LINE in ASCII.
run_line() {
  local batch=$BENCH_RUN/line.bat pid
  printf '@%s\r\n@exit /b %%errorlevel%%\r\n' "$1" >"$batch"
  pid=$(bench_wine cmd /c "$(bench_winpath "$batch")")
  bench_wait_exit "$pid" 90
}

# text_value KEY NAME: a text value whole; reg query would print it in the console's code page,
# which cannot hold every letter of a folder's name, where regedit exports UTF-16.
text_value() {
  local out=$BENCH_RUN/export.reg
  rm -f "$out"
  wine regedit /E "$(bench_winpath "$out")" "${1/HKCU/HKEY_CURRENT_USER}" >/dev/null 2>&1 || return 1
  [ -f "$out" ] || return 1
  iconv -f UTF-16 -t UTF-8 "$out" | tr -d '\r' | NAME=$2 python3 -c '
import os, sys
prefix = "\"" + os.environ["NAME"] + "\"=\""
for line in sys.stdin:
    line = line.rstrip("\n")
    if line.lower().startswith(prefix.lower()) and line.endswith("\""):
        print(line[len(prefix):-1].replace("\\\"", "\"").replace("\\\\", "\\"))
        sys.exit(0)
sys.exit(1)'
}
entry() {
  case $1 in
    EstimatedSize | NoModify | NoRepair) bench_reg_query "$UNINSTALL_KEY" "$1" ;;
    *) text_value "$UNINSTALL_KEY" "$1" ;;
  esac
}
no_key() { ! wine reg query "$1" >/dev/null 2>&1; }
run_value() { text_value "$RUN_KEY" Kelvane; }
kelvane_runs() { bench_wintext --class --exists KelvaneApplication; }

# Every file Setup installs is in DIR, byte for byte as built (resources from SOURCE, by default
# this tree's).
installed_in() {
  local dir=$1 source=${2:-$KELVANE_SOURCE_DIR/resources} file
  cmp -s "$KELVANE_EXE" "$dir/Kelvane.exe" || fail "$dir: Kelvane.exe is not the built one"
  cmp -s "$DRESLIN_EXE" "$dir/Dreslin.exe" || fail "$dir: Dreslin.exe is not the built one"
  [ -f "$dir/Uninstall.exe" ] || fail "$dir: no Uninstall.exe"
  while IFS= read -r file; do
    cmp -s "$source/$file" "$dir/$file" || fail "$dir: $file missing or changed"
  done <<<"$shipped"
}

# A sorted list of the files under DIR and what each holds.
snapshot() { (cd "$1" && find . -type f -exec sha1sum {} + | sort -k2); }

# ================= an unrelated folder ==============================================================
docs=$drive_c/Moje\ dokumenty
mkdir -p "$docs/Logs"
echo "the user's own log" >"$docs/Logs/log.txt"
echo "the user's notes" >"$docs/notes.txt"
before=$(snapshot "$docs")
code=$(run_setup '/S /D=C:\Moje dokumenty') || fail "the setup into the user's folder did not end"
[ "$code" = 6 ] || fail "a setup into a folder of the user's files ended with $code"
[ "$(snapshot "$docs")" = "$before" ] || fail "the setup changed the user's folder"
no_key "$UNINSTALL_KEY" && [ ! -e "$START_MENU" ] || fail "the refused setup left entries behind"
pass "a folder holding the user's files and no Kelvane is refused with 6"

# Kelvane 0.9.0, in a folder whose name code page 1252 cannot hold.
app_win='C:\Użytkownik Łódź\Kelvane'
app=$drive_c/Użytkownik\ Łódź/Kelvane
start=$SECONDS
code=$(run_setup "$OLDER" "/S /D=$app_win") || fail "the install of 0.9.0 did not end"
[ "$code" = 0 ] || fail "the install of 0.9.0 ended with $code"
pass "silent install in $((SECONDS - start)) s"
installed_in "$app" "$BUILD/installer/older-resources"
[ "$(entry DisplayVersion)" = 0.9.0 ] || fail "DisplayVersion $(entry DisplayVersion || true)"
[ "$(entry InstallLocation)" = "$app_win" ] || fail "InstallLocation $(entry InstallLocation || true)"
[ "$(entry QuietUninstallString)" = "\"$app_win\\Uninstall.exe\" /S _?=$app_win" ] ||
  fail "QuietUninstallString $(entry QuietUninstallString || true)"
[ ! -e "$DEFAULT_DIR" ] || fail "installed in the default folder too"
pass "Kelvane 0.9.0 and every shipped file in $app_win"

# The Start menu: each entry starts what it says.
for link in "Kelvane:Kelvane.exe" "Kelvane Help:Kelvane_HELP.htm" \
  "Remove Kelvane settings:Dreslin.exe" "Uninstall Kelvane:Uninstall.exe"; do
  lnk="$START_MENU/${link%%:*}.lnk"
  [ -f "$lnk" ] || fail "no Start menu entry ${link%%:*}"
  target=${link#*:}
  texts=$(strings -a "$lnk"; strings -a -el "$lnk")
  grep -qiF -e "\\$target" <<<"$texts" ||
    fail "${link%%:*}.lnk does not start $target: $(tr '\n' ' ' <<<"$texts")"
done
[ "$(find "$START_MENU" -type f | wc -l)" -eq 4 ] || fail "Start menu: $(ls "$START_MENU")"
pass "four Start menu entries"

# The estimated size in KiB: what Setup put there, within a tenth.
size=$(($(entry EstimatedSize)))
files_kib=$(du -sk --apparent-size "$app" | cut -f1)
((size * 10 >= files_kib * 9 && size * 10 <= files_kib * 11)) ||
  fail "EstimatedSize $size KiB for $files_kib KiB of files"
[ "$(run_value)" = "\"$app_win\\Kelvane.exe\"" ] || fail "Run value: $(run_value || echo none)"

# Kelvane as Windows starts it at log-on, from that folder: it finds its pictures and logs there.
bench_reg_add "$STORE" Buzzer 77
for kv in Log=1 LogInterval=1; do bench_reg_add "$STORE" "${kv%%=*}" "${kv#*=}"; done
feed=$BENCH_RUN/feed.txt
write_feed "$feed" 1.520 5.053 3.312 12.16 45.0 2700 3213 4560 31.0
start_standin --feed "$(bench_winpath "$feed")" >/dev/null
command=$(run_value)
command=${command#\"} command=${command%\"}
kelvane=$(bench_wine "$(winepath -u "$command" 2>/dev/null)")
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon from the installed Kelvane"
log=$app/Logs/log.txt
until_true 30 test -s "$log" || fail "Kelvane in $app_win wrote no log"
first_line=$(head -n 1 "$log")
bench_screenshot "$SHOTS/setup-installed-kelvane.png"
pass "Kelvane started from $app_win shows its tray icon and logs in its folder"

# Dreslin from the same folder asks its question (and, answered No, changes nothing).
dreslin=$(bench_wine "$app/Dreslin.exe")
wait_box "OK to remove all Kelvane v1.0 settings from registry?" 30 ||
  fail "Dreslin from $app_win did not ask: $(box_text)"
answer_box "Kelvane v1.0 Uninstaller" n
[ "$(bench_wait_exit "$dreslin" 20)" = 0 ] || fail "Dreslin from $app_win did not end with 0"
pass "Dreslin runs from $app_win"

# The user's own files: a theme picture and the alarm sound replaced, notes beside Kelvane's log,
# pictures and a report Kelvane saved.
picture=$(grep -m1 '^BackGround/Asus/.*\.jpg$' <<<"$shipped")
echo "the user's own picture" >"$app/$picture"
echo "the user's other picture" >"$app/$picture.new"
echo "the user's own alarm" >"$app/Alarm/alarm.wav"
echo "the user's notes" >"$app/Logs/notes.txt"
mkdir -p "$app/BMPs"
printf 'BM picture' >"$app/BMPs/db_20261208.bmp"
printf 'BM mine' >"$app/BMPs/mine.bmp"
echo "<html>report</html>" >"$app/Logs/hla_20261208.htm"
# The CSV log and the history beside the user's own table and a history file Kelvane set aside.
printf 'Time,CPU\r\n' >"$app/Logs/Kelvane-2026-12-08.csv"
printf 'Time,mine\r\n' >"$app/Logs/Kelvane-mine.csv"
printf 'Kelvane history 1\r\n' >"$app/Logs/history.dat"
echo "someone else's" >"$app/Logs/history.dat.foreign"

# ---- the upgrade, silent, while Kelvane runs ----------------------------------------------------------
start=$SECONDS
code=$(run_setup "/S") || fail "the upgrade did not end"
[ "$code" = 0 ] || fail "the upgrade ended with $code"
[ "$(wait_gone "$kelvane" 5 && cat "$BENCH_RUN/exit-$kelvane")" = 0 ] ||
  fail "Kelvane was not closed in order by the upgrade"
until_true 30 kelvane_runs || fail "the silent upgrade did not start Kelvane again"
pass "upgrade in $((SECONDS - start)) s closed the running Kelvane and started it again"
[ "$(entry DisplayVersion)" = "$version" ] || fail "DisplayVersion $(entry DisplayVersion || true)"
cmp -s "$KELVANE_SOURCE_DIR/resources/Kelvane_HELP.htm" "$app/Kelvane_HELP.htm" ||
  fail "the upgrade kept 0.9.0's help page"
[ "$(cat "$app/$picture")" = "the user's own picture" ] || fail "the upgrade wrote over the picture"
[ "$(cat "$app/Alarm/alarm.wav")" = "the user's own alarm" ] || fail "the upgrade wrote over the sound"
cmp -s "$KELVANE_SOURCE_DIR/resources/Alarm/alarm.wav" "$app/Alarm/alarm.wav.new" ||
  fail "no new alarm.wav.new beside the kept one"
[ "$(cat "$app/$picture.new")" = "the user's other picture" ] ||
  fail "the upgrade wrote over the user's own $picture.new"
[ "$(ls "$app"/*.kelvane-old "$app"/*/*.kelvane-old 2>/dev/null)" = "" ] || fail "set-aside files stay"
[ "$(stored Buzzer)" = 77 ] && [ "$(stored Log)" = 1 ] || fail "settings lost in the upgrade"
[ "$(head -n 1 "$log")" = "$first_line" ] || fail "the log changed in the upgrade"
[ "$(run_value)" = "\"$app_win\\Kelvane.exe\"" ] || fail "Run value after the upgrade: $(run_value || echo none)"
pass "upgrade replaced 0.9.0's files, kept the changed picture and sound (the new sound beside it)"

# ---- the uninstall, through its components page with both boxes ticked ------------------------------
uninstaller=$(bench_wine "$app/Uninstall.exe")
uninstall_window() { window=$(xdotool search --onlyvisible --name "Kelvane $version Uninstall" 2>/dev/null | head -n 1); [ -n "$window" ]; }
window=""
until_true 30 uninstall_window || fail "no uninstaller window"
# The tree of components: the first row is fixed; Down and Space tick the other two.
xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
bench_key Down space Down space
bench_screenshot "$SHOTS/setup-uninstall-components.png"
bench_key Return
bench_key Return
until_true 60 no_key "$UNINSTALL_KEY" || fail "the uninstall did not go through"
bench_key Return
[ "$(bench_wait_exit "$uninstaller" 30)" = 0 ] || fail "the uninstaller did not end with 0"
! kelvane_runs || fail "Kelvane still runs"
left=$(cd "$app" && find . -type f | sed 's|^\./||' | sort)
[ "$left" = "$(printf '%s\n' "$picture" "$picture.new" Alarm/alarm.wav BMPs/mine.bmp Logs/notes.txt \
  Logs/Kelvane-mine.csv Logs/history.dat.foreign | sort)" ] ||
  fail "left in the folder: $(tr '\n' ' ' <<<"$left")"
no_key "$STORE" && no_key "$PUBLISHER_KEY" || fail "the settings or the publisher's key stay"
[ ! -e "$START_MENU" ] || fail "Start menu entries stay: $(ls "$START_MENU")"
! run_value >/dev/null || fail "the Run value stays"
pass "uninstall took Kelvane's files, logs, pictures and settings; the user's files stay"

# ================= two copies ========================================================================
other_win='"C:\Other\Kelvane.exe"'
bench_reg_add "$RUN_KEY" Kelvane "$other_win"
a_win='C:\Kelvane Test\Kelvane'
a=$drive_c/Kelvane\ Test/Kelvane
code=$(run_setup "/S /D=$a_win") || fail "the install in A did not end"
[ "$code" = 0 ] || fail "the install in A ended with $code"
installed_in "$a"
[ "$(run_value)" = "$other_win" ] || fail "the install took the other copy's Run value: $(run_value)"
pass "installed in A; the Run value naming another copy stays"

b_win='C:\Kelvane B'
b=$drive_c/Kelvane\ B
code=$(run_setup "/S /D=$b_win") || fail "the install in B did not end"
[ "$code" = 7 ] || fail "a second folder while Kelvane is installed ended with $code"
[ ! -e "$b" ] && [ "$(entry InstallLocation)" = "$a_win" ] || fail "the refused install touched B or the entry"
pass "a second folder while Kelvane is installed is refused with 7"

# A copy made by hand: its uninstaller removes its own files and nothing that names A.
cp -a "$a" "$b"
code=$(run_setup "$b/Uninstall.exe" "/S _?=$b_win") || fail "B's uninstaller did not end"
[ "$code" = 0 ] || fail "B's uninstaller ended with $code"
[ ! -e "$b/Kelvane.exe" ] || fail "B's uninstaller left Kelvane.exe"
[ "$(entry InstallLocation)" = "$a_win" ] && [ -e "$START_MENU/Kelvane.lnk" ] ||
  fail "B's uninstaller took A's uninstall entry or Start menu entries"
installed_in "$a"
pass "the uninstaller of a copy made by hand leaves the installed copy's entries"

# A program that only looks like Kelvane (a window titled "Kelvane"), while Kelvane's mutex is held:
# setup leaves the window alone and stops with 3; so with a Kelvane run with other rights.
impostor=$(bench_wine "$PROBE" --window --title Kelvane --mutex "$MUTEX")
bench_wait_window --name Kelvane --timeout 30 >/dev/null || fail "no window titled Kelvane"
code=$(run_setup "/S") || fail "the upgrade beside the impostor did not end"
[ "$code" = 3 ] || fail "the upgrade with Kelvane's mutex held ended with $code"
bench_wintext --exists Kelvane || fail "setup closed a window that only has Kelvane's title"
bench_kill "$impostor"
holder=$(bench_wine "$PROBE" --mutex "$MUTEX" --deny-open --sleep-ms 600000)
code=$(run_setup "/S") || fail "the upgrade beside a Kelvane of other rights did not end"
[ "$code" = 3 ] || fail "the upgrade with Kelvane's mutex held by other rights ended with $code"
pass "a window titled Kelvane is not taken for Kelvane; a Kelvane that will not close stops setup with 3"

# Interactive: the Retry/Cancel box; Retry looks again, Cancel stops with 3.
# press KEY: KEY in the newest window with the setup's title (its message box, when one shows).
newest_setup_window() {
  xdotool search --onlyvisible --name "^Kelvane $version Setup\$" 2>/dev/null | sort -n | tail -n 1
}
press() {
  xdotool windowactivate --sync "$(newest_setup_window)" >/dev/null 2>&1 || true
  bench_key "$1"
}
setup=$(bench_wine "$SETUP")
bench_wait_window --name "Kelvane $version Setup" --timeout 30 >/dev/null || fail "no setup window"
press Return  # the welcome page
press Return  # the components page; the folder page is left out on an upgrade
box='Kelvane is still running and could not be closed.'
wait_box "$box" 30 || fail "no still-running box: $(box_text)"
bench_screenshot "$SHOTS/setup-still-running.png"
first_box=$(newest_setup_window)
press Return  # Retry
again() { [ "$(newest_setup_window)" != "$first_box" ] && box_says "$box"; }
until_true 30 again || fail "Retry did not look again"
press Escape  # Cancel
until_true 10 bash -c "! xdotool search --onlyvisible --name '^Kelvane $version Setup\$' | sort -n | sed -n 2p | grep -q ." ||
  fail "the still-running box stays after Cancel"
bench_screenshot "$SHOTS/setup-cancelled.png"
press Return
code=$(bench_wait_exit "$setup" 30) || fail "the cancelled setup does not end"
[ "$code" = 3 ] || fail "Cancel ended the setup with $code"
bench_kill "$holder"
installed_in "$a"
pass "interactive: Retry looks again, Cancel ends with 3"

# A silent upgrade keeps the user's choice: no Run value of its own before, none after.
bench_reg_add "$RUN_KEY" Kelvane "$other_win"
wine reg delete "$RUN_KEY" /v Kelvane /f >/dev/null 2>&1
code=$(run_setup "/S") || fail "the upgrade of A did not end"
[ "$code" = 0 ] || fail "the upgrade of A ended with $code"
! run_value >/dev/null || fail "the upgrade turned the start with Windows on: $(run_value)"
pass "a silent upgrade keeps the start with Windows off"

# The quiet uninstall string gives the uninstaller's own exit code; the other copy's value stays.
bench_reg_add "$RUN_KEY" Kelvane "$other_win"
quiet=$(entry QuietUninstallString)
holder=$(bench_wine "$PROBE" --mutex "$MUTEX" --sleep-ms 600000)
[ "$(run_line "$quiet")" = 3 ] || fail "the quiet uninstall beside a running Kelvane did not end with 3"
installed_in "$a"
bench_kill "$holder"
[ "$(run_line "$quiet")" = 0 ] || fail "the quiet uninstall did not end with 0"
no_key "$UNINSTALL_KEY" && [ ! -e "$START_MENU" ] || fail "A's entries stay"
[ "$(run_value)" = "$other_win" ] || fail "the uninstall took the other copy's Run value"
[ ! -e "$a/Kelvane.exe" ] || fail "A's Kelvane.exe stays"
pass "QuietUninstallString returns 3, then 0; the other copy's Run value stays"
wine reg delete "$RUN_KEY" /v Kelvane /f >/dev/null 2>&1

# ================= exit codes ========================================================================
# A file that cannot be replaced half-way through an upgrade: 5, and the folder as it was.
# The folder is one the user made, empty.
mkdir -p "$DEFAULT_DIR"
code=$(run_setup "$OLDER" "/S /NOSTART") || fail "the /NOSTART install did not end"
[ "$code" = 0 ] || fail "the /NOSTART install ended with $code"
installed_in "$DEFAULT_DIR" "$BUILD/installer/older-resources"
[ "$(entry InstallLocation)" = "C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Kelvane" ] ||
  fail "InstallLocation $(entry InstallLocation || true)"
! run_value >/dev/null || fail "/NOSTART wrote the Run value $(run_value)"
pass "/NOSTART: installed in the user's Programs folder without the Run value"
printf 'MZ an older Kelvane' >"$DEFAULT_DIR/Kelvane.exe"
before=$(snapshot "$DEFAULT_DIR")
# The help page comes after the programs: they are replaced by then.
locked=$DEFAULT_DIR/Kelvane_HELP.htm
chattr +i "$locked"
code=$(run_setup "/S") || { chattr -i "$locked"; fail "the upgrade with a locked file did not end"; }
chattr -i "$locked"
[ "$code" = 5 ] || fail "an upgrade that could not replace a file ended with $code"
[ "$(snapshot "$DEFAULT_DIR")" = "$before" ] || fail "the folder changed: $(diff <(echo "$before") <(snapshot "$DEFAULT_DIR"))"
[ "$(entry DisplayVersion)" = 0.9.0 ] || fail "the failed upgrade changed the entry"
pass "a file that cannot be replaced: 5, everything put back"

# The uninstaller as the list of programs starts it (from a copy of itself, so that it can delete
# itself): Kelvane's files go, the user's folder stays.
uninstaller=$(bench_wine "$DEFAULT_DIR/Uninstall.exe" /S)
until_true 60 bash -c "[ ! -e '$DEFAULT_DIR/Uninstall.exe' ]" || fail "the uninstall of the default folder did not end"
wait_gone "$uninstaller" 10 || fail "the uninstaller does not end"
until_true 30 no_key "$UNINSTALL_KEY" || fail "the uninstall entry stays"
[ -d "$DEFAULT_DIR" ] && [ -z "$(ls -A "$DEFAULT_DIR")" ] ||
  fail "the user's own folder went, or something stays in it: $(ls -A "$DEFAULT_DIR" 2>&1)"
pass "uninstalled; the folder the user made stays"

# /proc takes no new folder, not even from root.
code=$(run_setup '/S /D=Z:\proc\Kelvane') || fail "the setup into /proc did not end"
# 4: its own check of the folder, before anything is written.
[ "$code" = 4 ] || fail "a setup that could not write its folder ended with $code"
[ ! -e /proc/Kelvane ] || fail "a folder in /proc"
echo "not a folder" >"$drive_c/not-a-folder"
code=$(run_setup '/S /D=C:\not-a-folder\Kelvane') || fail "the setup below a file did not end"
# 2: the folder given is refused at once, not swapped for the default one.
[ "$code" = 2 ] || fail "a setup below a file ended with $code"
[ "$(cat "$drive_c/not-a-folder")" = "not a folder" ] || fail "the file in the way changed"
no_key "$UNINSTALL_KEY" && ! run_value >/dev/null || fail "a setup that could not write its folder left entries behind"
pass "a folder that cannot be written: 4; a path below a file: 2; nothing installed"

# ---- a second setup while one runs ---------------------------------------------------------------
# The message box has the setup window's title: it is the X window that came with the second one.
setup_windows() { xdotool search --onlyvisible --name "^Kelvane $version Setup\$" 2>/dev/null | sort; }
first=$(bench_wine "$SETUP")
bench_wait_window --name "Kelvane $version Setup" --timeout 30 >/dev/null || fail "no setup window"
before=$(setup_windows)
second=$(bench_wine "$SETUP")
wait_box "Kelvane Setup is already running." 30 || fail "no already-running message: $(box_text)"
box=""
new_window() { box=$(comm -13 <(echo "$before") <(setup_windows) | head -n 1); [ -n "$box" ]; }
until_true 10 new_window || fail "no window for the message box"
bench_screenshot "$SHOTS/setup-already-running.png"
xdotool windowactivate --sync "$box" >/dev/null 2>&1 || true
bench_key Return
code=$(bench_wait_exit "$second" 20) || fail "the second setup did not end"
[ "$code" = 2 ] || fail "the second setup ended with $code"
bench_wintext --exists "Kelvane $version Setup" || fail "the first setup went too"
bench_kill "$first"
pass "a second setup says the first is running and ends with 2"
