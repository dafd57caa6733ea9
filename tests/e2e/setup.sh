#!/usr/bin/env bash
# The setup program of this tree (the 64-bit one in the x86_64 tree, the 32-bit one in the i686
# tree) as a user meets it: a silent install to a folder of one's own, Kelvane started as Windows
# would start it, an upgrade and an uninstall while it runs, a folder that cannot be written,
# /NOSTART, and a second setup while one runs.
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
[ -f "$SETUP" ] || fail "no $SETUP"
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kelvane'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
drive_c=$WINEPREFIX/drive_c
user_dir=$drive_c/users/$(id -un)
START_MENU="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kelvane"
DEFAULT_DIR=$user_dir/AppData/Local/Programs/Kelvane
shipped=$(cd "$KELVANE_SOURCE_DIR/resources" && find . -type f | sed 's|^\./||' | sort)

# run_setup ARGUMENTS: the setup program with ARGUMENTS as a user types them (a /D= folder with
# spaces stays unquoted, as the setup program wants it); echoes its exit code.
run_setup() {
  local pid
  pid=$(bench_wine cmd /c "$(bench_winpath "$SETUP") $*")
  bench_wait_exit "$pid" 90
}

entry() { bench_reg_query "$UNINSTALL_KEY" "$1"; }
no_key() { ! wine reg query "$1" >/dev/null 2>&1; }
run_value() { bench_reg_query "$RUN_KEY" Kelvane; }

# Every file Setup installs is in DIR, byte for byte as built.
installed_in() {
  local dir=$1 file
  cmp -s "$KELVANE_EXE" "$dir/Kelvane.exe" || fail "$dir: Kelvane.exe is not the built one"
  cmp -s "$DRESLIN_EXE" "$dir/Dreslin.exe" || fail "$dir: Dreslin.exe is not the built one"
  [ -f "$dir/Uninstall.exe" ] || fail "$dir: no Uninstall.exe"
  while IFS= read -r file; do
    cmp -s "$KELVANE_SOURCE_DIR/resources/$file" "$dir/$file" || fail "$dir: $file missing or changed"
  done <<<"$shipped"
}

# ---- a silent install to a folder of one's own ----------------------------------------------------
app_win='C:\Kelvane Test\Kelvane'
app=$drive_c/Kelvane\ Test/Kelvane
start=$SECONDS
code=$(run_setup "/S /D=$app_win") || fail "the silent install did not end"
[ "$code" = 0 ] || fail "the silent install ended with $code"
pass "silent install in $((SECONDS - start)) s"
installed_in "$app"
[ ! -e "$DEFAULT_DIR" ] || fail "installed in the default folder too"
pass "the programs and every shipped file in $app_win"

# The Start menu: each entry starts what it says.
for link in "Kelvane:Kelvane.exe" "Kelvane Help:Kelvane_HELP.htm" \
  "Remove Kelvane settings:Dreslin.exe" "Uninstall Kelvane:Uninstall.exe"; do
  lnk="$START_MENU/${link%%:*}.lnk"
  [ -f "$lnk" ] || fail "no Start menu entry ${link%%:*}"
  target=${link#*:}
  texts=$(strings -a "$lnk"; strings -a -el "$lnk")
  grep -qixF -e "$target" -e "$app_win\\$target" <<<"$texts" ||
    fail "${link%%:*}.lnk does not start $target: $(tr '\n' ' ' <<<"$texts")"
done
[ "$(find "$START_MENU" -type f | wc -l)" -eq 4 ] || fail "Start menu: $(ls "$START_MENU")"
pass "four Start menu entries"

[ "$(entry DisplayName)" = Kelvane ] || fail "DisplayName $(entry DisplayName || true)"
[ "$(entry DisplayVersion)" = "$version" ] || fail "DisplayVersion $(entry DisplayVersion || true)"
[ "$(entry Publisher)" = Marrowby ] || fail "Publisher $(entry Publisher || true)"
[ "$(entry DisplayIcon)" = "$app_win\\Kelvane.exe,0" ] || fail "DisplayIcon $(entry DisplayIcon || true)"
[ "$(entry InstallLocation)" = "$app_win" ] || fail "InstallLocation $(entry InstallLocation || true)"
[ "$(entry UninstallString)" = "\"$app_win\\Uninstall.exe\"" ] ||
  fail "UninstallString $(entry UninstallString || true)"
# The estimated size in KiB: what Setup put there, within a tenth.
size=$(($(entry EstimatedSize)))
files_kib=$(du -sk --apparent-size "$app" | cut -f1)
((size * 10 >= files_kib * 9 && size * 10 <= files_kib * 11)) ||
  fail "EstimatedSize $size KiB for $files_kib KiB of files"
pass "uninstall entry: Kelvane $version, Marrowby, $size KiB"

[ "$(run_value)" = "\"$app_win\\Kelvane.exe\"" ] || fail "Run value: $(run_value || echo none)"
pass "starts with Windows"

# ---- Kelvane as Windows starts it at log-on: the Run value's command --------------------------------
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
until_true 30 test -s "$log" || fail "the installed Kelvane wrote no log"
first_line=$(head -n 1 "$log")
bench_screenshot "$SHOTS/setup-installed-kelvane.png"
pass "the installed Kelvane found the monitor, shows its tray icon and logs in its folder"

# ---- an upgrade while it runs ---------------------------------------------------------------------
mkdir -p "$app/BMPs"
printf 'BM picture' >"$app/BMPs/db_20261208.bmp"
echo "an older help page" >>"$app/Kelvane_HELP.htm"
start=$SECONDS
# No /D: the upgrade finds the installed folder itself.
code=$(run_setup "/S") || fail "the upgrade did not end"
[ "$code" = 0 ] || fail "the upgrade ended with $code"
[ "$(wait_gone "$kelvane" 5 && cat "$BENCH_RUN/exit-$kelvane")" = 0 ] ||
  fail "Kelvane was not closed in order by the upgrade"
pass "upgrade in $((SECONDS - start)) s closed the running Kelvane"
installed_in "$app"
[ ! -e "$DEFAULT_DIR" ] || fail "the upgrade went to the default folder"
[ "$(stored Buzzer)" = 77 ] && [ "$(stored Log)" = 1 ] || fail "settings lost in the upgrade"
[ "$(head -n 1 "$log")" = "$first_line" ] || fail "the log changed in the upgrade"
[ -f "$app/BMPs/db_20261208.bmp" ] || fail "the picture went in the upgrade"
[ "$(run_value)" = "\"$app_win\\Kelvane.exe\"" ] || fail "Run value after the upgrade: $(run_value || echo none)"
pass "upgrade replaced the program files and kept settings, log and picture"

# ---- a silent uninstall while it runs ------------------------------------------------------------
kelvane=$(bench_wine "$app/Kelvane.exe")
until_true 60 bench_tray_icon_centre >/dev/null || fail "no tray icon before the uninstall"
echo "the user's own notes" >"$app/notes.txt"
echo "the user's own wallpaper" >"$app/BackGround/Custom/mine.jpg"
start=$SECONDS
uninstaller=$(bench_wine "$app/Uninstall.exe" /S)
# The uninstaller runs from a copy of itself; the entry is the last thing it removes.
until_true 60 no_key "$UNINSTALL_KEY" || fail "the uninstall entry stays"
[ "$(wait_gone "$kelvane" 5 && cat "$BENCH_RUN/exit-$kelvane")" = 0 ] ||
  fail "Kelvane was not closed in order by the uninstaller"
wait_gone "$uninstaller" 10 || fail "the uninstaller does not end"
pass "silent uninstall in $((SECONDS - start)) s closed the running Kelvane"
left=$(cd "$app" && find . -type f | sed 's|^\./||' | grep -vE '^(Logs|BMPs)/' | sort)
[ "$left" = "$(printf '%s\n' BackGround/Custom/mine.jpg notes.txt)" ] ||
  fail "left in the folder besides Logs and BMPs: $(tr '\n' ' ' <<<"$left")"
[ -f "$app/BMPs/db_20261208.bmp" ] || fail "the uninstall removed a picture"
[ "$(head -n 1 "$log")" = "$first_line" ] || fail "the uninstall removed the log"
[ ! -e "$START_MENU" ] || fail "Start menu entries stay: $(ls "$START_MENU")"
! run_value >/dev/null || fail "the Run value stays"
[ "$(stored Buzzer)" = 77 ] || fail "the silent uninstall removed the settings"
pass "uninstall removed what Setup installed, kept settings, log, picture and the user's files"

# ---- a folder that cannot be written, a path that cannot be a folder ------------------------------
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
[ ! -e "$DEFAULT_DIR" ] || fail "installed in the default folder instead"
no_key "$UNINSTALL_KEY" && ! run_value >/dev/null && [ ! -e "$START_MENU" ] ||
  fail "a setup that could not write its folder left entries behind"
pass "a folder that cannot be written, a path below a file: nothing installed"

# ---- /NOSTART, to the default folder --------------------------------------------------------------
code=$(run_setup "/S /NOSTART") || fail "the /NOSTART install did not end"
[ "$code" = 0 ] || fail "the /NOSTART install ended with $code"
installed_in "$DEFAULT_DIR"
[ "$(entry InstallLocation)" = "C:\\users\\$(id -un)\\AppData\\Local\\Programs\\Kelvane" ] ||
  fail "InstallLocation $(entry InstallLocation || true)"
! run_value >/dev/null || fail "/NOSTART wrote the Run value $(run_value)"
pass "/NOSTART: installed in the user's Programs folder without the Run value"

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
[ "$code" != 0 ] || fail "the second setup ended with 0"
bench_wintext --exists "Kelvane $version Setup" || fail "the first setup went too"
bench_kill "$first"
pass "a second setup says the first is running and ends"
