#!/bin/sh
# The on-screen test's surroundings: an Xvfb display and a copy of the test prefix that draws on
# it through Wine's X11 driver, unmanaged (with no window manager, a managed window costs a 2 s
# delay to unmap and has no frame).
# usage: x11-screen.sh start|stop BUILDDIR
set -e
action=$1
build=$2
state=$build/xscreen
prefix=$build/wineprefix-x11
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/cmake/wine-env.sh"

case $action in
start)
    mkdir -p "$state"
    # A display number nobody on this machine uses.
    n=91
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! >"$state/xvfb.pid"
    echo ":$n" >"$state/display"
    i=0
    while [ ! -e "/tmp/.X11-unix/X$n" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i + 1)); done
    export DISPLAY=":$n"
    if [ ! -f "$prefix/.tarnwick-x11-ready" ]; then
        rm -rf "$prefix"
        cp -a "$build/wineprefix" "$prefix"
        rm -f "$prefix/.tarnwick-ready"
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f </dev/null >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
        wineserver -k || true
        wineserver -w
        touch "$prefix/.tarnwick-x11-ready"
    fi
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine wineboot </dev/null >/dev/null 2>&1
    ;;
stop)
    wineserver -k 2>/dev/null || true
    [ -f "$state/xvfb.pid" ] && kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
    ;;
esac
