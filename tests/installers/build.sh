#!/bin/sh
# Builds the installers that tests run, with engines no one here wrote: Windows Installer
# packages with wixl, NSIS installers with makensis (64-bit ones for the x64 build, which may run
# where no 32-bit program starts).
# usage: build.sh OUTDIR ARCH (x86 or x64)
set -e
here=$(cd "$(dirname "$0")" && pwd)
out=$1
rm -rf "$out" && mkdir -p "$out"
for wxs in "$here"/*.wxs; do
    wixl -o "$out/$(basename "$wxs" .wxs).msi" "$wxs"
done
for nsi in "$here"/*.nsi; do
    name=$(basename "$nsi")
    if [ "$2" = x64 ]; then
        { echo "Target amd64-unicode"; cat "$nsi"; } >"$out/$name"
    else
        cp "$nsi" "$out/$name"
    fi
    (cd "$out" && makensis -V2 "$name" >/dev/null)
done
ls "$out"
