#!/usr/bin/env bash
# Checks a built Windows program's file without running it:
#   check_program.sh OBJDUMP ARCH EXE [RC_FILE]
# ARCH is i686 or x86_64. Fails unless EXE is a PE file of that architecture (PE32 / Intel 80386
# for i686, PE32+ / x86-64 for x86_64) that imports no MinGW runtime DLL; an i686 program must
# also import nothing that Windows XP lacks (check_xp_imports.sh). With RC_FILE, every
# VALUE "Name", "Text" of its version block must be in the program's version resource (a text
# given as a macro, VALUE "Name", MACRO, is the #define MACRO "Text" of a header beside RC_FILE).
set -euo pipefail
objdump=$1 arch=$2 exe=$3 rc=${4:-}
name=$(basename "$exe")
here=$(dirname "$0")
status=0
fail() {
  echo "$name: $*"
  status=1
}

case $arch in
  i686) format=pei-i386 machine=i386 ;;
  x86_64) format=pei-x86-64 machine=i386:x86-64 ;;
  *)
    echo "check_program.sh: unknown architecture $arch" >&2
    exit 2
    ;;
esac
header=$("$objdump" -f "$exe")
if grep -q "file format $format\$" <<<"$header" && grep -q "^architecture: $machine," <<<"$header"; then
  echo "$name: $format, $machine"
else
  fail "not $format / $machine: $(grep -o 'file format.*' <<<"$header"), $(grep -o '^architecture: [^,]*' <<<"$header")"
fi

# Static linking: the MinGW runtime DLLs (libgcc_s_*, libstdc++-6, libwinpthread-1) would have
# to be shipped beside the exe.
dlls=$("$objdump" -p "$exe" | awk '/DLL Name:/ { print tolower($3) }' | sort -u)
[[ -n $dlls ]] || fail "no import table"
runtime=$(grep -E '^lib.*\.dll$' <<<"$dlls" || true)
[[ -z $runtime ]] || fail "imports MinGW runtime DLLs: $(tr '\n' ' ' <<<"$runtime")"
echo "$name: imports $(tr '\n' ' ' <<<"$dlls")"

if [[ $arch == i686 ]]; then
  bash "$here/check_xp_imports.sh" "$objdump" "$exe" || status=1
fi

# The version resource holds its texts in UTF-16, each name followed by its value.
if [[ -n $rc ]]; then
  texts=$(strings -a -el "$exe")
  count=0 total=0
  while IFS=$'\t' read -r key value; do
    total=$((total + 1))
    if [[ $value == @* ]]; then
      macro=${value#@}
      value=$(cat "$(dirname "$rc")"/*.h 2>/dev/null | sed -nE "s/^#define $macro \"([^\"]*)\"\$/\1/p")
      [[ -n $value ]] || fail "no #define $macro \"...\" beside $(basename "$rc")"
    fi
    if grep -qxF -A1 -- "$key" <<<"$texts" &&
      grep -xF -A1 -- "$key" <<<"$texts" | grep -qxF -- "$value"; then
      count=$((count + 1))
    else
      fail "version resource lacks $key = \"$value\""
    fi
  done < <(sed -nE -e 's/^[[:space:]]*VALUE "([^"]+)", "([^"]*)"[[:space:]]*$/\1\t\2/p' \
    -e 's/^[[:space:]]*VALUE "([^"]+)", ([A-Z_][A-Z0-9_]*)[[:space:]]*$/\1\t@\2/p' "$rc")
  ((total > 0)) || fail "no version texts found in $rc"
  echo "$name: version resource has $count of the $total texts of $(basename "$rc")"
fi
exit $status
