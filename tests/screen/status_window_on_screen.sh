#!/bin/sh
# On screen: runs tarnwick on an Xvfb display through Wine's X11 driver, takes screenshots of
# the status window while a program runs, and checks that the window is there with its title
# bar, client area and a progress bar whose fill grows. The last good shot is kept as a PNG.
# usage: status_window_on_screen.sh BUILDDIR
set -e
build=$1
state=$build/xscreen
[ -f "$state/display" ] || { echo "no Xvfb display (the xscreen fixture did not run)"; exit 1; }
export DISPLAY="$(cat "$state/display")"
prefix=$build/wineprefix-x11
here=$(cd "$(dirname "$0")/../.." && pwd)
. "$here/cmake/wine-env.sh"

case_dir=Screen_StatusWindow
disc=$build/discs/d/$case_dir
rm -rf "$disc"
mkdir -p "$disc"
cp "$build/tarnwick.exe" "$disc/TARNWICK.EXE"
cp "$build/tests/sleeper.exe" "$disc/sleeper.exe"
printf '%s\r\n' '[tarnwick]' 'NUMBEROFCOMMANDS=1' 'APPTITLE=Driver Setup' '[COMMAND1]' \
    'COMMANDTYPE=1' 'COMMANDCAPTION=Installing the display driver...' 'COMMANDSHOWSTATUS=1' \
    "COMMANDLINE=sleeper.exe 6000 0 D:\\$case_dir\\run.log setup" >"$disc/tarnwick.cfg"

wine "D:\\$case_dir\\TARNWICK.EXE" </dev/null >/dev/null 2>&1 &
run=$!

# On the 1024 x 768 screen the window's top-left corner is at 337,321 and it is 350 x 125.
# Below Wine's own caption bar the progress bar's middle row lies 92 pixels below the top.
shot=$state/shot.png
kept=$state/status-window.png
count() { # pixels of the given colour test in a strip: x y width height test
    convert "$shot" -crop "$3x$4+$1+$2" +repage txt:- |
        awk -v test="$5" 'NR > 1 {
            c = $3; r = ("0x" substr(c, 2, 2)) + 0; g = ("0x" substr(c, 4, 2)) + 0;
            b = ("0x" substr(c, 6, 2)) + 0;
            if (test == "blue" && b > r + 100) n++;
            if (test == "light" && r > 200 && g > 200 && b > 200) n++ }
            END { print n + 0 }'
}
first_fill=""
verdict="the status window never showed a growing progress bar"
i=0
while [ $i -lt 60 ]; do
    i=$((i + 1))
    sleep 0.25
    xwd -root -silent | convert xwd:- "$shot"
    caption=$(count 340 325 340 14 blue)     # the title bar across the window's top
    client=$(count 345 385 330 10 light)     # between the status text and the bar
    fill=$(count 337 413 350 1 blue)          # the bar's middle row
    [ "$caption" -gt 200 ] && [ "$client" -gt 3000 ] || continue
    [ "$fill" -gt 0 ] || continue
    if [ -z "$first_fill" ]; then
        first_fill=$fill
    elif [ "$fill" -ne "$first_fill" ]; then
        cp "$shot" "$kept"
        verdict=""
        echo "status window on screen; bar fill went from $first_fill to $fill pixels: $kept"
        break
    fi
done
wait $run || true
grep -q '^setup ' "$disc/run.log" || { echo "the program under the status window did not run"; exit 1; }
[ -z "$verdict" ] || { echo "$verdict"; exit 1; }
