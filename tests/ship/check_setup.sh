#!/usr/bin/env bash
# Checks a setup program's file without running it:
#   check_setup.sh OBJDUMP ARCH SETUP VERSION_H RESOURCES KELVANE_EXE DRESLIN_EXE SEVENZIP
# ARCH is the tree's: i686 for the 32-bit setup (PE32, imports that Windows XP has), x86_64 for the
# 64-bit one (PE32+), as check_program.sh judges them. Then its version information: product
# Kelvane, company Marrowby, file and product version as VERSION_H defines KELVANE_VERSION_TEXT.
# Then what it carries, unpacked with 7-Zip (SEVENZIP): this tree's KELVANE_EXE and DRESLIN_EXE and
# every file of RESOURCES byte for byte, and nothing else but the uninstaller and NSIS's own
# plugins (which, in the 32-bit setup, must import only what Windows XP has). Then its manifest's
# execution level and the uninstall entry its script writes.
set -euo pipefail
objdump=$1 arch=$2 setup=$3 version_h=$4 resources=$5 kelvane=$6 dreslin=$7 sevenzip=$8
name=$(basename "$setup")
status=0
fail() {
  echo "$name: $*"
  status=1
}
[[ -f $setup ]] || {
  echo "$name: missing (the tree's \"setup\" target makes it)"
  exit 1
}

bash "$(dirname "$0")/check_program.sh" "$objdump" "$arch" "$setup" || status=1

version=$(sed -nE 's/^#define KELVANE_VERSION_TEXT "([^"]+)"$/\1/p' "$version_h")
[[ -n $version ]] || fail "no KELVANE_VERSION_TEXT in $version_h"
[[ $name == "Kelvane-$version-setup-"* ]] || fail "not named after version $version"
texts=$(strings -a -el "$setup")
for pair in "ProductName=Kelvane" "CompanyName=Marrowby" "FileVersion=$version" \
  "ProductVersion=$version"; do
  key=${pair%%=*} value=${pair#*=}
  values=$(grep -xF -A1 -- "$key" <<<"$texts" || true)
  grep -qxF -- "$value" <<<"$values" || fail "version information lacks $key = \"$value\""
done
echo "$name: version information Kelvane $version, Marrowby"

unpacked=$(mktemp -d "${TMPDIR:-/tmp}/kelvane-setup.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
# The shipped files are written under names chosen while setup runs (a file the user changed keeps
# its place, and the new one goes beside it), so 7-Zip sees them all under one variable's name:
# -aou keeps each of them, and they are compared by content.
"$sevenzip" x -y -aou -o"$unpacked" "$setup" >/dev/null || fail "7-Zip cannot unpack it"
cmp -s "$kelvane" "$unpacked/Kelvane.exe" || fail "does not carry this tree's $(basename "$kelvane")"
cmp -s "$dreslin" "$unpacked/Dreslin.exe" || fail "does not carry this tree's $(basename "$dreslin")"
shipped=$(cd "$resources" && find . -type f -exec sha1sum {} + | cut -d' ' -f1 | sort)
# shellcheck disable=SC2016 # $PLUGINSDIR is the folder's own name
carried=$(cd "$unpacked" && find . -type f ! -path './$PLUGINSDIR/*' ! -name Kelvane.exe \
  ! -name Dreslin.exe ! -name Uninstall.exe -exec sha1sum {} + | cut -d' ' -f1 | sort)
[[ $carried == "$shipped" ]] ||
  fail "does not carry exactly the files of resources/: $(diff <(echo "$shipped") <(echo "$carried") | grep '^[<>]' | tr '\n' ' ')"
echo "$name: carries $(basename "$kelvane"), $(basename "$dreslin") and the $(wc -l <<<"$shipped") shipped files"

before=$status
# It asks for no administrator rights.
[[ $(strings -a "$setup" | grep -c 'requestedExecutionLevel level="asInvoker"') -gt 0 ]] ||
  fail "its manifest does not ask for the asInvoker level"
# The uninstall entry it writes: a quiet uninstall that returns the uninstaller's exit code (run in
# place with _?=), no Modify or Repair buttons.
header=$(python3 "$(dirname "$0")/nsis_header.py" "$setup" | tr -c '[:print:]' '\n') ||
  fail "cannot read its script"
for text in QuietUninstallString '\Uninstall.exe" /S _?=' NoModify NoRepair; do
  grep -qxF -- "$text" <<<"$header" || fail "its uninstall entry lacks $text"
done
[[ $status != "$before" ]] || echo "$name: asInvoker; QuietUninstallString with _?=, NoModify, NoRepair"
# The plugins it loads while it runs must load on Windows XP too.
if [[ $arch == i686 ]]; then
  bash "$(dirname "$0")/check_xp_imports.sh" "$objdump" "$unpacked"/\$PLUGINSDIR/*.dll || status=1
fi
exit $status
