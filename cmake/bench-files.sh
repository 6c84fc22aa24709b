#!/bin/sh
# Benchmark of the directory commands: 1,000 folders created and then removed (2,000 commands),
# four ways, side by side under the same Wine and its warm server, interleaved over several rounds:
#   (a) the bare CreateDirectoryA/RemoveDirectoryA loop, no script;
#   (b) a minimal runner making, per command, the profile calls tarnwick's handlers make
#       (COMMANDTYPE, then DIRNAME) and then the directory call;
#   (c) tarnwick.exe on the same script;
#   (d) a batch file doing the same md/rd under Wine's cmd;
#   (f) tarnwick.exe with its log (/l:), a line written as each command starts and ends;
#   and, for comparison, (e): (b) given the script's path in its on-disk case, as tarnwick now
#   opens it; (b) is given the upper-cased path, for which Wine on a case-sensitive host looks
#   each part up without regard to case on every open.
# Prints the minimum and the median of each, as wall time (whole process, Wine's start included)
# and as processor time (process and Wine server; needs GNU time), with the ratios to (a) and (b).
# usage: bench-files.sh BUILDDIR [ROUNDS]
set -e
build=$1
rounds=${2:-7}
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=$build/wineprefix
. "$here/cmake/wine-env.sh"
stop_wine_at_exit
sh "$here/cmake/wine-prefix.sh" "$prefix" "$build/discs"
echo "== the ${TARNWICK_ARCH:-x86} build ($build/tarnwick.exe) under $([ "${TARNWICK_ARCH:-x86}" = x64 ] && echo 64 || echo 32)-bit Wine"

root=$prefix/drive_c/tarnbench
out=$build/bench-files
rm -rf "$root" "$out"
mkdir -p "$root/dirs" "$out"
cp "$build/tarnwick.exe" "$root/tarnwick.exe"
cp "$build/tests/bench/bench_bare_dirs.exe" "$build/tests/bench/bench_profile_dirs.exe" "$root/"

# The script and the batch file, with Windows line ends.
awk -v n=1000 'BEGIN {
    printf "[tarnwick]\r\nNUMBEROFCOMMANDS=%d\r\n", 2 * n
    for (i = 1; i <= 2 * n; i++) {
        d = i <= n ? i : i - n
        printf "[COMMAND%d]\r\nCOMMANDTYPE=%d\r\nDIRNAME=C:\\tarnbench\\dirs\\d%d\r\n", i, i <= n ? 6 : 7, d
    }
}' > "$root/tarnwick.cfg"
awk -v n=1000 'BEGIN {
    printf "@echo off\r\n"
    for (i = 1; i <= n; i++) printf "md C:\\tarnbench\\dirs\\d%d\r\n", i
    for (i = 1; i <= n; i++) printf "rd C:\\tarnbench\\dirs\\d%d\r\n", i
}' > "$root/bench.bat"

run() {
    case $1 in
        a) set -- 'C:\tarnbench\bench_bare_dirs.exe' ;;
        b) set -- 'C:\tarnbench\bench_profile_dirs.exe' 'C:\TARNBENCH\tarnwick.cfg' ;;
        c) set -- 'C:\tarnbench\tarnwick.exe' ;;
        f) rm -f "$root/bench.log"; set -- 'C:\tarnbench\tarnwick.exe' '/l:C:\tarnbench\bench.log' ;;
        d) set -- cmd /c 'C:\tarnbench\bench.bat' ;;
        e) set -- 'C:\tarnbench\bench_profile_dirs.exe' 'C:\tarnbench\tarnwick.cfg' ;;
    esac
    if [ -x /usr/bin/time ]; then
        /usr/bin/time -f "%U %S" -o "$out/time" wine "$@" </dev/null >/dev/null 2>&1
    else
        echo "0 0" >"$out/time"
        wine "$@" </dev/null >/dev/null 2>&1
    fi
}

# The prefix's server does much of the work (every file and profile call passes through it), so
# the processor time of a run is its process's plus what the server spent meanwhile. Unlike the
# wall time it hardly depends on what else the machine is doing.
server=$(printf 'server-%x-%x' $(stat -c '%d %i' "$prefix"))
server_pid=
for pid in $(pgrep -x wineserver64; pgrep -x wineserver); do
    case $(readlink "/proc/$pid/cwd") in *"/$server") server_pid=$pid ;; esac
done
server_ticks() {  # utime + stime of the prefix's server, in clock ticks
    if [ -n "$server_pid" ]; then awk '{ print $14 + $15 }' "/proc/$server_pid/stat"; else echo 0; fi
}
hz=$(getconf CLK_TCK)

left() { ls -A "$root/dirs" | wc -l; }

# Sanity: each way that reads the script really makes the 1,000 folders (its first half only);
# every timed run below must leave none behind.
cp "$root/tarnwick.cfg" "$root/full.cfg"
sed -i 's/^NUMBEROFCOMMANDS=2000/NUMBEROFCOMMANDS=1000/' "$root/tarnwick.cfg"
for way in b c e f; do
    run $way
    [ "$(left)" -eq 1000 ] || { echo "($way) made $(left) folders, not 1000" >&2; exit 1; }
    rm -rf "$root/dirs" && mkdir "$root/dirs"
done
cp "$root/full.cfg" "$root/tarnwick.cfg"

echo "== 1,000 folders created then removed; $rounds rounds, interleaved, after one warm-up"
for round in $(seq 0 "$rounds"); do
    for way in a b c d e f; do
        ticks=$(server_ticks)
        start=$(date +%s%N)
        run $way
        end=$(date +%s%N)
        ticks=$(( $(server_ticks) - ticks ))
        [ "$(left)" -eq 0 ] || { echo "($way) left $(left) folders" >&2; exit 1; }
        [ "$round" -eq 0 ] && continue
        echo $(( (end - start) / 1000 )) >> "$out/$way"
        awk -v t="$ticks" -v hz="$hz" '{ printf "%d\n", ($1 + $2) * 1000000 + t * 1000000 / hz }' \
            "$out/time" >> "$out/$way.cpu"
    done
done

stat() {  # min and median in ms of the times (microseconds) in file $1
    sort -n "$1" | awk '{ t[NR] = $1 } END {
        m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
        printf "%.0f %.0f\n", t[1] / 1000, m / 1000 }'
}
name() {
    case $1 in
        a) echo "(a) bare CreateDirectoryA/RemoveDirectoryA loop" ;;
        b) echo "(b) minimal runner: profile calls, then directory call" ;;
        c) echo "(c) tarnwick.exe" ;;
        d) echo "(d) md/rd batch file under Wine's cmd" ;;
        e) echo "(e) as (b), script path in its on-disk case" ;;
        f) echo "(f) tarnwick.exe with its log (/l:)" ;;
    esac
}
report() {  # $1: file suffix ("" wall, ".cpu" processor), $2: title
    read amin amed <<EOT
$(stat "$out/a$1")
EOT
    printf '%-56s %8s %8s %6s %6s\n' "$2" "min ms" "med ms" "x(a)" "x(b)"
    read bmin bmed <<EOT
$(stat "$out/b$1")
EOT
    for way in a b c d e f; do
        read min med <<EOT
$(stat "$out/$way$1")
EOT
        awk -v n="$(name $way)" -v min="$min" -v med="$med" -v a="$amed" -v b="$bmed" \
            'BEGIN { printf "%-56s %8d %8d %6.2f %6.2f\n", n, min, med, med / a, med / b }'
    done
    read cmin cmed <<EOT
$(stat "$out/c$1")
EOT
    awk -v c="$cmed" -v b="$bmed" -v cm="$cmin" -v bm="$bmin" 'BEGIN {
        printf "(c)/(b): %.3f by median, %.3f by minimum (goal: at most 1.1)\n", c / b, cm / bm }'
    read fmin fmed <<EOT
$(stat "$out/f$1")
EOT
    awk -v f="$fmed" -v c="$cmed" -v fm="$fmin" -v cm="$cmin" 'BEGIN {
        printf "(f)/(c): %.3f by median, %.3f by minimum (goal: at most 1.05)\n\n", f / c, fm / cm }'
}
report "" "wall time, Wine's start included"
[ -x /usr/bin/time ] && [ -n "$server_pid" ] && report ".cpu" "processor time (process + Wine server)"
rm -rf "$root"
