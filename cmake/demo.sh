#!/bin/sh
# Runs the sample disc: examples/disc with the built exe on it, as the whole of drive S: of the
# build's Wine prefix (so that %CURRENTDRIVE%\drivers names the disc's own folder), read-only like
# a real disc; then prints what the run did.
# usage: demo.sh BUILDDIR
set -e
build=$1
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=$build/wineprefix
disc=$build/discs/sample
. "$here/cmake/wine-env.sh"
stop_wine_at_exit
sh "$here/cmake/wine-prefix.sh" "$prefix" "$build/discs"
echo "== the ${TARNWICK_ARCH:-x86} build ($build/tarnwick.exe) under $([ "${TARNWICK_ARCH:-x86}" = x64 ] && echo 64 || echo 32)-bit Wine"

rm -rf "$disc"
mkdir -p "$disc"
cp -r "$here/examples/disc/." "$disc/"
cp "$build/tarnwick.exe" "$disc/TARNWICK.EXE"
[ -f "$build/tests/demo_setup.exe" ] && cp "$build/tests/demo_setup.exe" "$disc/setup.exe"
chmod -R a-w "$disc"
ln -sfn "$disc" "$prefix/dosdevices/s:"
wine reg delete 'HKLM\Software\Example' /f </dev/null >/dev/null 2>&1 || true
temp=$(wine cmd /c echo %TEMP% </dev/null 2>/dev/null | tr -d '\r')
copied=$(winepath -u "$temp\\disp.inf" 2>/dev/null)
rm -f "$copied"

printf '%s\n' "== the sample disc's script (S:\\tarnwick.cfg)"
cat "$disc/tarnwick.cfg"
printf '%s\n' "== running: S:\\TARNWICK.EXE"
start=$(date +%s%N)
code=0
wine 'S:\TARNWICK.EXE' </dev/null || code=$?
end=$(date +%s%N)
printf '%s\n' "== exit code $code after $(( (end - start) / 1000000 )) ms"
printf '%s\n' "== HKLM\\Software\\Example\\Setup afterwards:"
wine reg query 'HKLM\Software\Example\Setup' </dev/null 2>/dev/null | tr -d '\r' | grep -v '^$' ||
    echo "   (no such key)"
printf '%s\n' "== $temp\\disp.inf afterwards:"
if [ -f "$copied" ]; then
    ls -l "$copied"
    cat "$copied"
else
    echo "   (not there)"
fi
