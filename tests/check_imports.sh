#!/bin/sh
# Fails when the exe imports a DLL or function outside the allow-list of entry points that both
# Windows 95 and NT 4 export.
# usage: check_imports.sh EXE ALLOWLIST
exe=$1
list=$2
imports=$(i686-w64-mingw32-objdump -p "$exe" | awk '
    /DLL Name:/ { dll = tolower($3); next }
    dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll "!" $3 }')
[ -n "$imports" ] || { echo "no imports read from $exe"; exit 1; }
bad=0
for entry in $imports; do
    grep -qx "$entry" "$list" || { echo "not allowed: $entry"; bad=1; }
done
echo "$(echo "$imports" | wc -l) imports checked against $(grep -c . "$list") allowed"
exit $bad
