#!/bin/sh
# Seals a release tree: writes its SHA256SUMS, gives every file a fixed mode and the time STAMP,
# and zips it beside itself as TREE.zip, listing the files in a fixed order with no owner or
# local time, so that the same files and STAMP give the same archive anywhere.
# usage: pack.sh TREE STAMP
set -e
tree=${1%/}
stamp=$2
out=$(dirname "$tree")
name=$(basename "$tree")
rm -f "$tree/SHA256SUMS" "$out/$name.zip"

sums=$(cd "$tree" && find . -type f | sed 's#^\./##' | LC_ALL=C sort | while read -r file; do
    sha256sum "$file"
done)
printf '%s\n' "$sums" >"$tree/SHA256SUMS"

# Fixed modes and the commit's time, not this machine's umask and clock.
find "$tree" -type d -exec chmod 755 {} +
find "$tree" -type f -exec chmod 644 {} +
find "$tree" -path '*/linux-*/*' -type f -exec chmod 755 {} +
find "$tree" -exec touch -h -d "@$stamp" {} +

# zip writes local times: in UTC they are the same everywhere. -X leaves out the extra fields
# (owner, Unix times), -D the folder entries; options from the environment are not taken.
(cd "$out" && find "$name" -type f | LC_ALL=C sort |
    env -u ZIPOPT -u ZIP TZ=UTC0 zip -X -D -9 -q -@ "$name.zip")
touch -d "@$stamp" "$out/$name.zip"
