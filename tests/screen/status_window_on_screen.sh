#!/bin/sh
# On screen: runs tarnwick on an Xvfb display through Wine's X11 driver, takes screenshots of
# the status window while a program runs, and checks that the window is there with its title
# bar, client area, the command's caption as its text and a progress bar whose fill grows. The
# last good shot is kept as a PNG. Then, while a hand-off installer's window is waited for (no
# step draws the text), the window is erased and painted again: its text must come back.
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
for helper in sleeper handoff title_window repaint; do
    cp "$build/tests/$helper.exe" "$disc/$helper.exe"
done
log="D:\\$case_dir\\run.log"
printf '%s\r\n' '[tarnwick]' 'NUMBEROFCOMMANDS=2' 'APPTITLE=Driver Setup' '[COMMAND1]' \
    'COMMANDTYPE=1' 'COMMANDCAPTION=Installing the display driver...' 'COMMANDSHOWSTATUS=1' \
    "COMMANDLINE=sleeper.exe 6000 0 $log setup" '[COMMAND2]' \
    'COMMANDCAPTION=Installing the display driver...' 'COMMANDSHOWSTATUS=1' 'COMMANDISHIELD=1' \
    'COMMANDWINTITLE=Tarnwick Screen Setup' "COMMANDLINE=handoff.exe $log handoff title_window.exe \
\"Tarnwick Screen Setup\" 0 6000 $log window" >"$disc/tarnwick.cfg"

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
# The width of the dark text in the status text's row, inside the window's frame: the caption
# is about 220 pixels wide, the window's title ("Driver Setup") under 100.
text_width() {
    convert "$shot" -crop 334x20+345+348 +repage txt:- |
        awk 'NR > 1 { split($1, xy, /[,:]/); c = $3; r = ("0x" substr(c, 2, 2)) + 0;
            g = ("0x" substr(c, 4, 2)) + 0; b = ("0x" substr(c, 6, 2)) + 0;
            if (r < 90 && g < 90 && b < 90) { if (min == "" || xy[1] < min) min = xy[1];
                if (xy[1] > max) max = xy[1] } }
            END { print (min == "" ? 0 : max - min + 1) }'
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
        width=$(text_width)
        verdict="the status text is $width pixels wide, not the caption's width"
        [ "$width" -gt 150 ] || break
        cp "$shot" "$kept"
        verdict=""
        echo "status window on screen; bar fill went from $first_fill to $fill pixels: $kept"
        break
    fi
done
if [ -z "$verdict" ]; then
    i=0
    while ! grep -q '^handoff ' "$disc/run.log" 2>/dev/null && [ $i -lt 300 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    verdict="the status window could not be painted again during the hand-off wait"
    if wine "D:\\$case_dir\\repaint.exe" "Driver Setup" 5000 </dev/null >/dev/null 2>&1; then
        # Painted: give Wine time to put the window's new picture on the screen.
        sleep 0.5
        xwd -root -silent | convert xwd:- "$shot"
        width=$(text_width)
        verdict="painted again, the status text is $width pixels wide, not the caption's width"
        [ "$width" -gt 150 ] && verdict="" && echo "painted again, the status text is $width pixels wide"
    fi
fi
wait $run || true
grep -q '^setup ' "$disc/run.log" || { echo "the program under the status window did not run"; exit 1; }
grep -q '^window ' "$disc/run.log" || { echo "the hand-off installer's window did not run"; exit 1; }
[ -z "$verdict" ] || { echo "$verdict"; exit 1; }
