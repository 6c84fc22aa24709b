#!/bin/sh
# Builds the fuzz targets natively with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for its share of the executions, split over WORKERS
# processes that share the corpus (each with its own seed and log). Any finding fails.
# usage: fuzz.sh BUILDDIR [TOTAL_RUNS] [TARGET] [WORKERS]   (one target: it gets every run)
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
out=$1/fuzz
total=${2:-10000000}
if ! command -v clang++ >/dev/null || ! dpkg-query -W libclang-rt-14-dev >/dev/null 2>&1; then
    [ "$(id -u)" = 0 ] || { echo "fuzz: needs clang and libclang-rt-14-dev (run as root)"; exit 1; }
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang \
        libclang-rt-14-dev >/dev/null
fi
mkdir -p "$out"
workers=${4:-1}
targets=${3:-$(ls "$here/tests/fuzz"/fuzz_*.cpp | xargs -n1 basename | sed 's/\.cpp$//')}
count=$(echo "$targets" | wc -w)
runs=$((total / count))
lib="$here/src/base/text.cpp $here/src/app/command_line.cpp $here/src/app/start_dir.cpp
     $here/src/base/split_at_char.cpp"
lib="$lib $here/src/script/substitute_macros.cpp $here/src/base/command_section.cpp"
# The script checker, without its entry point.
checker=$(ls "$here/checker"/*.cpp | grep -v '/main\.cpp$')
status=0
for t in $targets; do
    clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
        -I"$here/src" -I"$here/checker" -I"$here/tests/fuzz" "$here/tests/fuzz/$t.cpp" $lib \
        $([ "$t" = fuzz_checker ] && echo $checker) -o "$out/$t"
    corpus="$out/corpus-$t"
    mkdir -p "$corpus"
    [ -d "$here/tests/fuzz/seeds/$t" ] && cp "$here/tests/fuzz/seeds/$t"/* "$corpus/" 2>/dev/null
    w=1
    while [ $w -le "$workers" ]; do
        "$out/$t" -runs=$((runs / workers)) -seed=$w -max_len=4096 -print_final_stats=1 \
            "$corpus" >"$out/$t.$w.log" 2>&1 &
        eval "pid$w=$!"
        w=$((w + 1))
    done
    w=1
    execs=0
    while [ $w -le "$workers" ]; do
        if eval "wait \$pid$w"; then
            n=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/$t.$w.log" | grep -o '[0-9]*$')
            rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$out/$t.$w.log" | grep -o '[0-9]*$')
            echo "$t, worker $w: $n executions, $rate a second, no finding"
            execs=$((execs + n))
        else
            echo "$t, worker $w: FINDING, see $out/$t.$w.log"
            tail -n 30 "$out/$t.$w.log"
            status=1
        fi
        w=$((w + 1))
    done
    echo "$t: $execs executions in all"
done
exit $status
