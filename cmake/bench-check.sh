#!/bin/sh
# The script checker's cost (by hand, from `make bench`): a disc of 1,000 and one of 10,000
# commands (six lines each, every kind of command, every file present), checked with the plan
# by the Linux program. Prints the wall time (min and median of REPEAT runs) and the peak
# memory, beside the script's size.
# usage: bench-check.sh BUILDDIR [REPEAT]
set -e
build=$1
repeat=${2:-5}
checker=$build/tarnwick-check
work=$build/bench-check
rm -rf "$work"
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
        start=$(date +%s%N)
        /usr/bin/time -f '%U %S %M' -o "$work/one" "$checker" --plan "$disc" >/dev/null
        end=$(date +%s%N)
        echo "$(((end - start) / 1000)) $(cat "$work/one")" >>"$work/runs$n"
        r=$((r + 1))
    done
    # Wall time (us), user and system CPU (s), peak resident memory (KB).
    sort -n "$work/runs$n" | awk -v n="$n" -v lines="$lines" -v bytes="$bytes" '
        { t[NR] = $1 / 1000; c[NR] = ($2 + $3) * 1000; if ($4 > m) m = $4 }
        END { med = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
              printf "tarnwick-check --plan, %5d commands (%d lines, %4d KB): wall min %5.1f ms, median %5.1f ms (goal < 100); CPU %3.0f ms; peak memory %6d KB (n=%d)\n",
                     n, lines, bytes / 1024, t[1], med, c[1], m, NR
              print m > "'"$work"'/peak" n }'
done
# The memory the larger script adds, per byte of script added: flat when memory grows as the
# script does.
awk -v a="$(cat "$work/peak1000")" -v b="$(cat "$work/peak10000")" \
    -v sa="$(wc -c <"$work/disc1000/tarnwick.cfg")" -v sb="$(wc -c <"$work/disc10000/tarnwick.cfg")" \
    'BEGIN { printf "memory added from 1,000 to 10,000 commands: %d KB for %d KB more script (%.1f bytes a byte)\n",
             b - a, (sb - sa) / 1024, (b - a) * 1024 / (sb - sa) }'
