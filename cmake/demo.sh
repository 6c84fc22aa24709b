#!/bin/sh
# Runs the sample disc: examples/disc with the built exe on it, mapped to drive D: of the build's
# Wine prefix, then prints what the run did.
# usage: demo.sh BUILDDIR
set -e
build=$1
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=$build/wineprefix
disc=$build/discs/d/sample
sh "$here/cmake/wine-prefix.sh" "$prefix" "$build/discs"
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

rm -rf "$disc"
mkdir -p "$disc"
cp -r "$here/examples/disc/." "$disc/"
cp "$build/tarnwick.exe" "$disc/TARNWICK.EXE"
[ -f "$build/tests/demo_setup.exe" ] && cp "$build/tests/demo_setup.exe" "$disc/setup.exe"
chmod -R a-w "$disc"
wine reg delete 'HKLM\Software\Example' /f </dev/null >/dev/null 2>&1 || true
rm -f "$prefix/drive_c/windows/temp/disp.inf" "$prefix/drive_c/users/"*/Temp/disp.inf 2>/dev/null || true

echo "== the sample disc's script (D:\\sample\\tarnwick.cfg)"
cat "$disc/tarnwick.cfg"
echo "== running: D:\\sample\\TARNWICK.EXE"
start=$(date +%s.%N)
wine 'D:\sample\TARNWICK.EXE' </dev/null
code=$?
end=$(date +%s.%N)
echo "== exit code $code after $(echo "$end - $start" | bc 2>/dev/null || echo '?') s"
echo "== HKLM\\Software\\Example\\Setup afterwards:"
wine reg query 'HKLM\Software\Example\Setup' </dev/null 2>/dev/null | tr -d '\r' | grep -v '^$' || echo "   (no such key)"
echo "== %TEMP%\\disp.inf afterwards:"
found=$(find "$prefix/drive_c" -iname disp.inf 2>/dev/null | head -n 1)
if [ -n "$found" ]; then ls -l "$found"; else echo "   (not there)"; fi
