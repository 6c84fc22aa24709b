#!/bin/sh
# Runs the checker given as the arguments (a program, or `wine` and a program) on a faulty
# script, as a CI job would: its findings, their form and its exit code.
# usage: faulty_script.sh CHECKER...
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf '%s\r\n' '[tarnwick]' 'NUMBEROFCOMMANDS=1' '[COMMAND1]' 'COMMANDTYPE=4' \
    'REGKEY=HKEY_LOCAL_MACHINE\Software\Example' 'REGVALUENAME=Path' 'REGVALUE=%temp%\x' \
    'COMMANDLNE=setup.exe' '[COMMAND2]' 'COMMANDTYPE=6' >"$dir/tarnwick.cfg"
cd "$dir" || exit 2
out=$("$@" tarnwick.cfg 2>&1)
code=$?
fail=0
expect() {
    printf '%s\n' "$out" | grep -qF -- "$1" || { echo "missing: $1"; fail=1; }
}
expect 'tarnwick.cfg:2:18: error: NUMBEROFCOMMANDS=1 leaves sections unrun'
expect 'tarnwick.cfg:5:8: error: REGKEY names a root'
expect 'write REGKEY=Software\Example [registry-path]'
expect 'tarnwick.cfg:7:10: error: `%temp%` is no macro'
expect 'tarnwick.cfg:8:1: error: `COMMANDLNE` is no key of this program'
expect 'tarnwick.cfg:9:1: error: [COMMAND2] never runs'
[ "$(printf '%s\n' "$out" | grep -c ': error: ')" = 5 ] || { echo "not 5 errors"; fail=1; }
[ $code = 1 ] || { echo "exit code $code, not 1"; fail=1; }
"$@" --plan missing.cfg >/dev/null 2>&1
code=$?
[ $code = 2 ] || { echo "unreadable script: exit code $code, not 2"; fail=1; }
# `..` goes no higher than the disc's root, as on Windows: the file is found there.
printf '%s\r\n' '[tarnwick]' 'NUMBEROFCOMMANDS=1' '[COMMAND1]' 'COMMANDTYPE=11' \
    'SOURCEFILENAME=%CURRENTDRIVE%\..\tarnwick.cfg' 'DESTFILENAME=%TEMP%\t.cfg' >"$dir/dots.cfg"
"$@" dots.cfg >/dev/null 2>&1 || { echo "a copy from the root's parent: not found"; fail=1; }
[ $fail = 0 ] || printf '%s\n' "$out"
exit $fail
