#!/bin/sh
# The shipped exe as a file, read without Wine: its format and processor, GUI subsystem and the
# oldest Windows it declares, its size, no C runtime, the resources it carries (string table,
# version information, manifest naming its processor), and imports only from the allow-list of
# entry points that the oldest Windows of its kind exports.
# usage: check_image.sh EXE x86|x64 ALLOWLIST
exe=$1
arch=$2
list=$3
case $arch in
x86) triplet=i686-w64-mingw32 format=pei-i386 magic=010b subsystem=4.0 manifest=x86 ;;
x64) triplet=x86_64-w64-mingw32 format=pei-x86-64 magic=020b subsystem=5.2 manifest=amd64 ;;
*) echo "usage: check_image.sh EXE x86|x64 ALLOWLIST"; exit 2 ;;
esac
bad=0
fail() { echo "$exe: $*"; bad=1; }
[ -f "$exe" ] || { echo "$exe: not there"; exit 1; }

headers=$($triplet-objdump -p "$exe") || { echo "$exe: not a PE image"; exit 1; }
field() { echo "$headers" | awk -v f="$1" '$1 == f { print $2; exit }'; }
echo "$headers" | grep -q "file format $format\$" || fail "not $format"
[ "$(field Magic)" = "$magic" ] || fail "optional header magic $(field Magic), not $magic"
[ "$(field Subsystem)" = 00000002 ] || fail "subsystem $(field Subsystem), not Windows GUI (2)"
seen="$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
[ "$seen" = "$subsystem" ] || fail "subsystem version $seen, not $subsystem"
seen="$(field MajorOSystemVersion).$(field MinorOSystemVersion)"
[ "$seen" = "$subsystem" ] || fail "operating system version $seen, not $subsystem"
# A signed exe carries its certificate table at the end, outside the image: it is not counted.
size=$(stat -c %s "$exe")
table=$(echo "$headers" | awk '$1 == "Entry" && $2 == 4 { print $3, $4; exit }')
[ -n "$table" ] || table="0 0"
start=$((0x${table% *}))
signature=$((0x${table#* }))
if [ "$signature" -gt 0 ]; then
    [ $((start + signature)) = "$size" ] || fail "the certificate table is not at the file's end"
    size=$((start))
fi
[ "$size" -le 20480 ] || fail "$size bytes: outgrew 20 KB"

# Resources: string table and version information are UTF-16, the manifest is 8-bit text.
wide=$($triplet-strings -el "$exe")
for text in lanthorn LANTHORN VS_VERSION_INFO; do
    echo "$wide" | grep -qx "$text" || fail "no resource text '$text'"
done
narrow=$($triplet-strings -a "$exe")
for text in 'level="requireAdministrator"' "processorArchitecture=\"$manifest\"" \
    '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'; do
    echo "$narrow" | grep -qF "$text" || fail "manifest lacks $text"
done

imports=$(echo "$headers" | awk '
    /DLL Name:/ { dll = tolower($3); next }
    dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll "!" $3 }')
[ -n "$imports" ] || fail "no imports read"
for entry in $imports; do
    grep -qx "$entry" "$list" || fail "import not allowed: $entry"
done
[ "$signature" -gt 0 ] && signed=" and $signature bytes of signature" || signed=""
echo "$exe: $arch, $size bytes$signed, $(echo "$imports" | wc -l) imports checked against $(grep -c . "$list") allowed"
exit $bad
