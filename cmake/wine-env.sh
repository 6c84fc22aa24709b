# Sourced by the shell scripts: the Wine environment for the prefix named in $prefix (quiet, no
# .NET or HTML engine download, no desktop menu entries), for the build named by TARNWICK_ARCH:
# x86 (a 32-bit prefix, the default) or x64 (a 64-bit prefix run by the 64-bit loader, since
# Debian's `wine` and `winepath` scripts pick the 32-bit one wherever it is installed).
export WINEPREFIX="$prefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ "${TARNWICK_ARCH:-x86}" = x64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    # $here: the source tree, set by the script that sources this one.
    export PATH="$here/cmake/wine64:$PATH"
else
    export WINEARCH=win32
fi
# For the scripts that start Wine for themselves (the demo, the benchmarks): the prefix's server,
# started persistent, and every Wine process left in the prefix are stopped when the script ends,
# whether it succeeds, fails or is interrupted.
stop_wine_at_exit() {
    trap 'wineserver -k </dev/null >/dev/null 2>&1 || true' EXIT
    trap 'exit 1' HUP INT TERM
}
