#!/usr/bin/env bash
# Checks a setup program's file without running it:
#   check_setup.sh OBJDUMP ARCH SETUP VERSION_H RESOURCES KELVANE_EXE DRESLIN_EXE SEVENZIP
# ARCH is the tree's: i686 for the 32-bit setup (PE32, imports that Windows XP has), x86_64 for the
# 64-bit one (PE32+), as check_program.sh judges them. Then its version information: product
# Kelvane, company Marrowby, file and product version as VERSION_H defines KELVANE_VERSION_TEXT.
# Then what it carries, unpacked with 7-Zip (SEVENZIP): this tree's KELVANE_EXE and DRESLIN_EXE and
# every file of RESOURCES byte for byte, and nothing else but the uninstaller and NSIS's own
# plugins (which, in the 32-bit setup, must import only what Windows XP has).
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
"$sevenzip" x -y -o"$unpacked" "$setup" >/dev/null || fail "7-Zip cannot unpack it"
cmp -s "$kelvane" "$unpacked/Kelvane.exe" || fail "does not carry this tree's $(basename "$kelvane")"
cmp -s "$dreslin" "$unpacked/Dreslin.exe" || fail "does not carry this tree's $(basename "$dreslin")"
shipped=$(cd "$resources" && find . -type f | sed 's|^\./||' | sort)
count=0
while IFS= read -r file; do
  count=$((count + 1))
  cmp -s "$resources/$file" "$unpacked/$file" || fail "lacks $file (or carries another one)"
done <<<"$shipped"
cd "$unpacked"
# shellcheck disable=SC2016 # $PLUGINSDIR is the folder's own name
extra=$(find . -type f | sed 's|^\./||' | grep -vxF -e Kelvane.exe -e Dreslin.exe -e Uninstall.exe |
  grep -vF '$PLUGINSDIR/' | grep -vxF -- "$shipped" || true)
cd - >/dev/null
[[ -z $extra ]] || fail "carries more than Kelvane's files: $(tr '\n' ' ' <<<"$extra")"
echo "$name: carries $(basename "$kelvane"), $(basename "$dreslin") and the $count shipped files"
# The plugins it loads while it runs must load on Windows XP too.
if [[ $arch == i686 ]]; then
  bash "$(dirname "$0")/check_xp_imports.sh" "$objdump" "$unpacked"/\$PLUGINSDIR/*.dll || status=1
fi
exit $status
