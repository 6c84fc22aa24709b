#!/bin/sh
# The benchmark (by hand: `make bench`): how much the program itself costs around the programs
# it runs, all figures from one run under the same Wine.
#   1. 100 run-and-wait commands against a bare CreateProcessA-and-wait loop (also a GUI
#      program) over the same children, once with a GUI child and once with a console child.
#   2. CPU time of the program while it waits 5 s for a hand-off window (the Linux process's own
#      times: under Wine, GetProcessTimes on another process reports next to nothing).
#   3. Delay from that window closing to the command's end (the program's exit).
#   4. Heartbeat rate of the status window's bar.
#   5. CPU time of the program while it waits 5 s for a process tree (COMMANDWAITTREE=1: the
#      program it started has ended, the process that one started runs 8 s), and the delay from
#      the tree's last process ending to the command's end (the program's exit); both also for
#      a program waited for alone, under the same status window.
# Each figure is taken REPEAT times; min and median are printed.
# usage: bench.sh BUILDDIR [REPEAT]
set -e
build=$1
repeat=${2:-5}
here=$(cd "$(dirname "$0")/.." && pwd)
prefix=$build/wineprefix
. "$here/cmake/wine-env.sh"
stop_wine_at_exit
sh "$here/cmake/wine-prefix.sh" "$prefix" "$build/discs"
echo "== the ${TARNWICK_ARCH:-x86} build ($build/tarnwick.exe) under $([ "${TARNWICK_ARCH:-x86}" = x64 ] && echo 64 || echo 32)-bit Wine"

root=$build/discs/d/Bench
log=$root/bench.log
wlog='D:\Bench\bench.log'
rm -rf "$root"
mkdir -p "$root"

disc() { # a disc folder with tarnwick and every program the benchmark starts
    mkdir -p "$root/$1"
    cp "$build/tarnwick.exe" "$root/$1/TARNWICK.EXE"
    cp "$build/tests/bench/"*.exe "$build/tests/sleeper.exe" "$build/tests/handoff.exe" \
        "$build/tests/title_window.exe" "$root/$1/"
}
script() { # folder, then the script's lines
    folder=$1
    shift
    printf '%s\r\n' "$@" >"$root/$folder/tarnwick.cfg"
}
w() { wine "$@" </dev/null >/dev/null 2>&1 || printf 'failed: %s\n' "$*" >&2; }
duration() { awk -v n="$1" '$1 == n { print $3 - $2 }' "$log"; }
stats() { # label, unit: min and median of the numbers on stdin
    sort -n | awk -v label="$1" -v unit="$2" '{ v[NR] = $1 }
        END { if (NR == 0) { printf "%-50s (no data)\n", label; exit }
              m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2;
              printf "%-50s min %8.3f  median %8.3f %s  (n=%d)\n", label, v[1], m, unit, NR }'
}
# The prefix's server works for every program in it; FindWindowA is one of its requests.
server_pid() {
    dir=$(printf 'server-%x-%x' "$(stat -c %d "$prefix")" "$(stat -c %i "$prefix")")
    for p in $(pgrep wineserver); do
        case "$(readlink "/proc/$p/cwd")" in */"$dir") echo "$p"; return ;; esac
    done
}
# CPU time of a process in ns: the sum over its threads of the scheduler's own count, finer than
# the 10 ms ticks of /proc/PID/stat.
cpu_ns() {
    [ -n "$1" ] && [ -d "/proc/$1/task" ] || { echo 0; return; }
    cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { printf "%.0f\n", n }'
}
# The process id of the running program whose command line starts with $1 (a pattern), waited
# for up to 5 s; empty when it did not appear.
program_pid() {
    found=""
    tries=0
    while [ -z "$found" ] && [ $tries -lt 100 ]; do
        found=$(pgrep -f "$1" | head -n 1 || true)
        [ -n "$found" ] || sleep 0.05
        tries=$((tries + 1))
    done
    echo "$found"
}

# 1. 100 commands against the bare loop.
for child in gui console; do
    disc "$child"
    set -- "[tarnwick]" "NUMBEROFCOMMANDS=100"
    i=1
    while [ $i -le 100 ]; do
        set -- "$@" "[COMMAND$i]" "COMMANDTYPE=1" "COMMANDLINE=bench_nop_$child.exe"
        i=$((i + 1))
    done
    script "$child" "$@"
    r=1
    while [ $r -le "$repeat" ]; do
        w "D:\\Bench\\$child\\bench_timed_run.exe" "$wlog" "tarnwick_$child" \
            "D:\\Bench\\$child\\TARNWICK.EXE"
        w "D:\\Bench\\$child\\bench_timed_run.exe" "$wlog" "bare_$child" \
            "D:\\Bench\\$child\\bench_bare_loop.exe" 100 wait "bench_nop_$child.exe"
        w "D:\\Bench\\$child\\bench_timed_run.exe" "$wlog" "pump_$child" \
            "D:\\Bench\\$child\\bench_bare_loop.exe" 100 pump "bench_nop_$child.exe"
        r=$((r + 1))
    done
done

# 2 and 3. The hand-off wait: the second process's window lives 8 s; the program pauses 2 s
# after the hand-off program ends, then searches; its CPU time is read over 5 s of searching.
disc handoff
cpu_file=$root/cpu.txt
server_file=$root/server-cpu.txt
: >"$cpu_file"
: >"$server_file"
server=$(server_pid)
r=1
while [ $r -le "$repeat" ]; do
    script handoff "[tarnwick]" "NUMBEROFCOMMANDS=1" "APPTITLE=Bench" "[COMMAND1]" \
        "COMMANDTYPE=1" "COMMANDSHOWSTATUS=1" "COMMANDISHIELD=1" \
        "COMMANDWINTITLE=Bench Hand-Off Window $r" \
        "COMMANDLINE=handoff.exe $wlog handoff_$r title_window.exe \"Bench Hand-Off Window $r\" 0 8000 $wlog window_$r"
    wine 'D:\Bench\handoff\bench_timed_run.exe' "$wlog" "tarnwick_handoff_$r" \
        'D:\Bench\handoff\TARNWICK.EXE' </dev/null >/dev/null 2>&1 &
    runner=$!
    pid=$(program_pid '^D:.Bench.handoff.TARNWICK.EXE')
    sleep 2.6
    before=$(cpu_ns "$pid")
    server_before=$(cpu_ns "$server")
    t0=$(date +%s.%N)
    sleep 5
    after=$(cpu_ns "$pid")
    server_after=$(cpu_ns "$server")
    t1=$(date +%s.%N)
    echo "$before $after $t0 $t1" | awk \
        '{ print ($2 - $1) / 1e9 / ($4 - $3) * 100 }' >>"$cpu_file"
    echo "$server_before $server_after $t0 $t1" | awk \
        '{ print ($2 - $1) / 1e9 / ($4 - $3) * 100 }' >>"$server_file"
    wait $runner || true
    r=$((r + 1))
done

# 4. The heartbeat, followed through the bar's position while a 5 s program runs.
disc heartbeat
script heartbeat "[tarnwick]" "NUMBEROFCOMMANDS=1" "[COMMAND1]" "COMMANDTYPE=1" \
    "COMMANDSHOWSTATUS=1" "COMMANDLINE=sleeper.exe 5000 0 $wlog heartbeat_program"
r=1
while [ $r -le "$repeat" ]; do
    wine 'D:\Bench\heartbeat\TARNWICK.EXE' </dev/null >/dev/null 2>&1 &
    runner=$!
    w 'D:\Bench\heartbeat\bench_heartbeat.exe' "$wlog" "heartbeat_$r"
    wait $runner || true
    r=$((r + 1))
done

# 5. The process tree: the hand-off program ends at once, its child runs 8 s; the CPU time is
# read over 5 s of that wait. For comparison, the same wait for a program of its own (an 8 s
# child started directly, without the tree): the status window's heartbeat alone.
disc tree
for kind in tree program; do
    : >"$root/$kind-cpu.txt"
    r=1
    while [ $r -le "$repeat" ]; do
        if [ $kind = tree ]; then
            keys="COMMANDWAITTREE=1"
            line="handoff.exe $wlog tree_handoff_$r sleeper.exe 8000 0 $wlog tree_child_$r"
        else
            keys="COMMANDWAITTREE=0"
            line="sleeper.exe 8000 0 $wlog program_child_$r"
        fi
        script tree "[tarnwick]" "NUMBEROFCOMMANDS=1" "APPTITLE=Bench" "[COMMAND1]" \
            "COMMANDTYPE=1" "COMMANDSHOWSTATUS=1" "$keys" "COMMANDLINE=$line"
        wine 'D:\Bench\tree\bench_timed_run.exe' "$wlog" "tarnwick_${kind}_$r" \
            'D:\Bench\tree\TARNWICK.EXE' </dev/null >/dev/null 2>&1 &
        runner=$!
        pid=$(program_pid '^D:.Bench.tree.TARNWICK.EXE')
        sleep 1.5
        before=$(cpu_ns "$pid")
        t0=$(date +%s.%N)
        sleep 5
        after=$(cpu_ns "$pid")
        t1=$(date +%s.%N)
        echo "$before $after $t0 $t1" | awk \
            '{ print ($2 - $1) / 1e9 / ($4 - $3) * 100 }' >>"$root/$kind-cpu.txt"
        wait $runner || true
        r=$((r + 1))
    done
done

echo "== tarnwick benchmark under $(wine --version 2>/dev/null), $repeat runs each"
for child in gui console; do
    duration "tarnwick_$child" | stats "100 commands, $child child: tarnwick" ms
    duration "bare_$child" | stats "100 commands, $child child: bare loop" ms
    duration "pump_$child" | stats "100 commands, $child child: bare, serving msgs" ms
    duration "tarnwick_$child" >"$root/a.txt"
    duration "bare_$child" >"$root/b.txt"
    # Pairs taken one after the other, then the two medians: on a busy machine a single pair
    # can be far off either way.
    paste -d' ' "$root/a.txt" "$root/b.txt" | awk '{ print $1 / $2 }' |
        stats "100 commands, $child child: ratio per pair" ""
    a=$(sort -n "$root/a.txt" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    b=$(sort -n "$root/b.txt" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    echo "$a $b" | awk -v c="$child" \
        '{ printf "%-50s %.3f\n", "100 commands, " c " child: ratio of medians (goal <= 1.1)", $1 / $2 }'
done
stats "CPU while waiting 5 s for a window (goal <= 1)" "% of wall time" <"$cpu_file"
stats "  the prefix's wineserver meanwhile" "% of wall time" <"$server_file"
r=1
while [ $r -le "$repeat" ]; do
    closed=$(awk -v n="window_$r" '$1 == n { print $3 }' "$log")
    ended=$(awk -v n="tarnwick_handoff_$r" '$1 == n { print $3 }' "$log")
    [ -n "$closed" ] && [ -n "$ended" ] && echo $((ended - closed))
    r=$((r + 1))
done | stats "window closed -> command ended (goal <= 150)" ms
stats "CPU while waiting 5 s for a process tree (goal <= 1)" "% of wall time" <"$root/tree-cpu.txt"
stats "  the same for a program alone: the heartbeat" "% of wall time" <"$root/program-cpu.txt"
for kind in tree program; do
    r=1
    while [ $r -le "$repeat" ]; do
        last=$(awk -v n="${kind}_child_$r" '$1 == n { print $3 }' "$log")
        ended=$(awk -v n="tarnwick_${kind}_$r" '$1 == n { print $3 }' "$log")
        [ -n "$last" ] && [ -n "$ended" ] && echo $((ended - last))
        r=$((r + 1))
    done >"$root/$kind-end.txt"
done
stats "tree's last process ended -> command ended (goal <= 150)" ms <"$root/tree-end.txt"
stats "  the same for a program alone" ms <"$root/program-end.txt"
awk '$1 ~ /^heartbeat_[0-9]+_steps/ { split($1, p, "_steps"); s = p[2];
        if ($3 > $2) print s / (($3 - $2) / 1000) }' "$log" |
    stats "heartbeat (goal 10 +- 1)" "steps/s"
