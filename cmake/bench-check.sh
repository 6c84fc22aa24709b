#!/bin/sh
# The script checker's cost (by hand, from `make bench`): a disc of 1,000 and one of 10,000
# commands (six lines each, every kind of command, every file present), checked with the plan
# by the Linux program. Prints the wall time (min and median of REPEAT runs), the least CPU time
# and the peak memory, beside the script's size, after what the start and end alone cost; then
# a table of adversarial scripts at two sizes each.
# Goals: 10,000 commands in 10 ms; memory at most 3 bytes a byte of script past a fixed base;
# time and memory that follow the size of the script on any input.
# usage: bench-check.sh BUILDDIR [REPEAT]
set -e
build=$1
repeat=${2:-5}
checker=${CHECKER:-$build/tarnwick-check}
work=$build/bench-check
rm -rf "$work"
mkdir -p "$work"
# Runs a program with its output thrown away; prints its wall time (us), its user and system
# CPU time (s, to the microsecond) and its peak resident memory (KB, as time(1) reads it: the
# program's own, not that of a copy of the one that started it).
measured() {
    python3 -c '
import resource, subprocess, sys, time
before = resource.getrusage(resource.RUSAGE_CHILDREN)
start = time.perf_counter()
subprocess.run(["/usr/bin/time", "-f", "%M", "-o", sys.argv[1]] + sys.argv[2:],
               stdout=subprocess.DEVNULL, close_fds=False)
wall = time.perf_counter() - start
usage = resource.getrusage(resource.RUSAGE_CHILDREN)
print(int(wall * 1e6), usage.ru_utime - before.ru_utime, usage.ru_stime - before.ru_stime,
      open(sys.argv[1]).read().split()[-1])' \
        "$work/memory" "$@"
}
# What starting and ending the program costs here, measured the same way: subtract it from the
# rows below for the checker's own work.
: >"$work/runs0"
r=0
while [ $r -lt "$repeat" ]; do
    measured "$checker" --help >>"$work/runs0"
    r=$((r + 1))
done
sort -n "$work/runs0" | awk '{ t[NR] = $1 / 1000; c = ($2 + $3) * 1000; if (NR == 1 || c < cmin) cmin = c }
    END { printf "tarnwick-check --help (start and end alone): wall min %5.1f ms, median %5.1f ms; CPU min %5.1f ms (n=%d)\n",
                 t[1], (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2, cmin, NR }'
for n in 1000 10000; do
    disc=$work/disc$n
    mkdir -p "$disc/files"
    awk -v n="$n" -v disc="$disc" 'BEGIN {
        printf "[tarnwick]\r\nNUMBEROFCOMMANDS=%d\r\nAPPTITLE=Bench\r\n", n
        for (i = 1; i <= n; i++) {
            t = i % 5
            printf "[COMMAND%d]\r\n", i
            if (t == 0) {
                printf "COMMANDTYPE=1\r\nCOMMANDCAPTION=Step %d\r\nCOMMANDSHOWSTATUS=1\r\n", i
                printf "COMMANDLINE=files\\setup%d.exe /s\r\n; step %d\r\n", i, i
                printf "" > (disc "/files/setup" i ".exe")
            } else if (t == 1 || t == 2) {
                printf "COMMANDTYPE=4\r\nREGKEY=Software\\Bench\\%d\r\nREGVALUENAME=V\r\n", i
                printf "REGVALUE=%%TEMP%%\\f%d.inf\r\n", i
            } else if (t == 3) {
                printf "COMMANDTYPE=6\r\nDIRNAME=%%TEMP%%\\d%d\r\n; a\r\n; b\r\n; c\r\n", i
            } else {
                printf "COMMANDTYPE=11\r\nSOURCEFILENAME=%%CURRENTDRIVE%%\\files\\f%d.inf\r\n", i
                printf "DESTFILENAME=%%TEMP%%\\d%d\\f.inf\r\n; a\r\n; b\r\n", i - 1
                printf "" > (disc "/files/f" i ".inf")
            }
        }
    }' >"$disc/tarnwick.cfg"
    : >"$disc/tarnwick.exe"
    lines=$(wc -l <"$disc/tarnwick.cfg")
    bytes=$(wc -c <"$disc/tarnwick.cfg")
    "$checker" "$disc" >/dev/null || { echo "bench-check: the script has findings"; exit 1; }
    r=0
    : >"$work/runs$n"
    while [ $r -lt "$repeat" ]; do
        measured "$checker" --plan "$disc" >>"$work/runs$n"
        r=$((r + 1))
    done
    # Wall time (us), user and system CPU (s), peak resident memory (KB).
    sort -n "$work/runs$n" | awk -v n="$n" -v lines="$lines" -v bytes="$bytes" '
        { t[NR] = $1 / 1000; c = ($2 + $3) * 1000; if (NR == 1 || c < cmin) cmin = c; if ($4 > m) m = $4 }
        END { med = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
              printf "tarnwick-check --plan, %5d commands (%d lines, %4d KB): wall min %5.1f ms, median %5.1f ms; CPU min %5.1f ms; peak memory %6d KB (n=%d)\n",
                     n, lines, bytes / 1024, t[1], med, cmin, m, NR
              print m > "'"$work"'/peak" n }'
done
# The memory the larger script adds, per byte of script added: flat when memory grows as the
# script does.
awk -v a="$(cat "$work/peak1000")" -v b="$(cat "$work/peak10000")" \
    -v sa="$(wc -c <"$work/disc1000/tarnwick.cfg")" -v sb="$(wc -c <"$work/disc10000/tarnwick.cfg")" \
    'BEGIN { printf "memory added from 1,000 to 10,000 commands: %d KB for %d KB more script (%.1f bytes a byte; goal <= 3)\n",
             b - a, (sb - sa) / 1024, (b - a) * 1024 / (sb - sa) }'

# Adversarial scripts, each at two sizes: the time and memory of the larger over the smaller's
# should follow the size (about 4 times for 4 times the script). Script alone, no disc.
adv=$work/adversarial
mkdir -p "$adv"
gen() { # gen NAME SCALE: writes $adv/NAME-SCALE.cfg
    awk -v kind="$1" -v n="$2" 'BEGIN {
        if (kind == "status") {
            # A long [tarnwick] before APPTITLE, and as many commands with a status window.
            printf "[tarnwick]\nNUMBEROFCOMMANDS=%d\n", n
            for (i = 1; i <= n; i++) printf "X%d=1\n", i
            printf "APPTITLE=Setup\n"
            for (i = 1; i <= n; i++)
                printf "[COMMAND%d]\nCOMMANDSHOWSTATUS=1\nCOMMANDLINE=a.exe\n", i
        } else if (kind == "duplicates") {
            printf "[tarnwick]\nNUMBEROFCOMMANDS=1\n[COMMAND1]\n"
            for (i = 1; i <= n; i++) printf "A=1\n"
        } else if (kind == "sections") {
            printf "[tarnwick]\nNUMBEROFCOMMANDS=%d\n", n
            for (i = 1; i <= n; i++) printf "[COMMAND%d]\n", i
        } else if (kind == "commands") {
            printf "[tarnwick]\nNUMBEROFCOMMANDS=%d\nAPPTITLE=Bench\n", n
            for (i = 1; i <= n; i++) {
                printf "[COMMAND%d]\nCOMMANDTYPE=4\nREGKEY=Software\\Bench\\%d\n", i, i
                printf "REGVALUENAME=V\nREGVALUE=%%TEMP%%\\f%d.inf\n", i
            }
        } else if (kind == "effects") {
            # Folders removed and keys made, then copies and deletions that look back at them.
            printf "[tarnwick]\nNUMBEROFCOMMANDS=%d\n", 4 * n
            for (i = 1; i <= n; i++) printf "[COMMAND%d]\nCOMMANDTYPE=7\nDIRNAME=C:\\r\\%d\n", i, i
            for (i = 1; i <= n; i++)
                printf "[COMMAND%d]\nCOMMANDTYPE=2\nREGKEY=Software\\%d\n", n + i, i
            for (i = 1; i <= n; i++)
                printf "[COMMAND%d]\nCOMMANDTYPE=11\nSOURCEFILENAME=C:\\s\\%d\\f\nDESTFILENAME=C:\\t\\%d\\f\n", 2 * n + i, i, i
            for (i = 1; i <= n; i++)
                printf "[COMMAND%d]\nCOMMANDTYPE=3\nREGKEY=Software\\x%d\n", 3 * n + i, i
        } else if (kind == "line") {
            printf "[tarnwick]\nNUMBEROFCOMMANDS=1\n[COMMAND1]\nCOMMANDLINE="
            s = "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
            for (i = 0; i < n / 100; i++) printf "%s", s
            printf "\n"
        } else if (kind == "largest") {
            printf "[tarnwick]\nNUMBEROFCOMMANDS=2147483647\n[COMMAND1]\nCOMMANDTYPE=6\nDIRNAME=a\n"
            for (i = 1; i <= n; i++) printf "[COMMAND%d%s]\n", 99999999999, i
            printf "[COMMAND2147483647]\nCOMMANDTYPE=6\nDIRNAME=b\n"
        }
    }' >"$adv/$1-$2.cfg"
}
measure() { # measure FILE: prints the CPU seconds and the peak KB
    measured "$checker" --plan --json "$1" | awk '{ print $2 + $3, $4 }'
}
echo "adversarial scripts (--plan --json): size, CPU time, peak memory; the larger against the smaller"
for row in "status 25000 100000" "duplicates 250000 1000000" "sections 125000 500000" \
    "commands 250000 1000000" "effects 12500 50000" "line 25000000 100000000" "largest 1 4"; do
    set -- $row
    gen "$1" "$2"
    gen "$1" "$3"
    a=$(measure "$adv/$1-$2.cfg")
    b=$(measure "$adv/$1-$3.cfg")
    awk -v name="$1" -v a="$a" -v b="$b" -v sa="$(wc -c <"$adv/$1-$2.cfg")" \
        -v sb="$(wc -c <"$adv/$1-$3.cfg")" 'BEGIN {
        split(a, x, " "); split(b, y, " ")
        printf "  %-10s %7.1f MB: %6.2f s %7d KB | %7.1f MB: %6.2f s %7d KB (%.1f bytes a byte) | size x%.1f, time x%.1f\n",
               name, sa / 1048576, x[1], x[2], sb / 1048576, y[1], y[2], y[2] * 1024 / sb,
               sb / sa, (x[1] > 0 ? y[1] / x[1] : 0) }'
    rm -f "$adv/$1-$2.cfg" "$adv/$1-$3.cfg"
done
