#!/bin/sh
# Prepares the 32-bit Wine prefix the tests and the demo run in (made once, then reused), maps
# the disc drives D: to H: to folders below DISCROOT, and starts the prefix's server warm.
# usage: wine-prefix.sh PREFIX DISCROOT
set -e
prefix=$1
discs=$2
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/cmake/wine-env.sh"
if [ ! -f "$prefix/.tarnwick-ready" ]; then
    rm -rf "$prefix"
    mkdir -p "$prefix"
    wine wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    # Headless: windows and message boxes work without a display.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.tarnwick-ready"
fi
for d in d e f g h; do
    mkdir -p "$discs/$d"
    ln -sfn "$discs/$d" "$prefix/dosdevices/$d:"
done
# A server left running by a demo or a benchmark is as good as a new one.
wineserver -p </dev/null >/dev/null 2>&1 || true
wine wineboot </dev/null >/dev/null 2>&1
