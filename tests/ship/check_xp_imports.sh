#!/usr/bin/env bash
# Checks that Windows programs import nothing that Windows XP lacks:
#   check_xp_imports.sh OBJDUMP EXE...
# Fails on a DLL that XP does not have, on a function listed in
# xp_missing_imports.txt, and on msvcrt's "_s" functions (XP's msvcrt has none).
set -euo pipefail
objdump=$1
shift
deny_list="$(dirname "$0")/xp_missing_imports.txt"
status=0
for exe in "$@"; do
  # "dll function" pairs from the import tables.
  imports=$("$objdump" -p "$exe" | awk '
    /DLL Name:/ { dll = tolower($3); next }
    /^[[:space:]]*$/ { dll = ""; next }
    dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }')
  if [ -z "$imports" ]; then
    echo "$exe: no imports found (not a PE file?)"
    status=1
    continue
  fi
  bad=$(
    {
      grep -Fxf <(grep -vE '^#|^$' "$deny_list") <<<"$imports" || true
      grep -E '^msvcrt\.dll [A-Za-z0-9_]+_s$' <<<"$imports" || true
      grep -E '^(api-ms-win-|ucrtbase|vcruntime|bcrypt\.dll|dwmapi\.dll)' <<<"$imports" || true
    } | sort -u)
  dlls=$(cut -d' ' -f1 <<<"$imports" | sort -u | tr '\n' ' ')
  count=$(wc -l <<<"$imports")
  if [ -n "$bad" ]; then
    echo "$(basename "$exe"): imports that Windows XP lacks:"
    sed 's/^/  /' <<<"$bad"
    status=1
  else
    echo "$(basename "$exe"): $count imports from ${dlls}- all present on Windows XP"
  fi
done
exit $status
