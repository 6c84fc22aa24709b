#!/bin/sh
# The README's example sessions are what the checker says: each script is taken from the README,
# laid on a disc folder with the files the README names, and checked with the README's command.
# usage: readme_examples.sh CHECKER README
checker=$1
readme=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail=0
session() {  # HEADING COMMAND: the script below the heading, the findings below the command
    rm -rf "$dir/disc" && mkdir -p "$dir/disc/drivers"
    for f in tarnwick.exe setup.exe product.msi tools.msi nsissetup.exe utilsetup.exe \
        drivers/disp.inf; do
        : >"$dir/disc/$f"
    done
    command=$(printf '%s' "$2" | sed 's/[\/]/\\&/g')
    sed -n "/^$1/,/^    \\\$ build\\/tarnwick-check $command\$/p" "$readme" |
        sed -n 's/^    \(\[.*\|[A-Z].*=.*\)$/\1/p' | sed 's/$/\r/' >"$dir/disc/tarnwick.cfg"
    sed -n "/^    \\\$ build\\/tarnwick-check $command\$/,/^\$/p" "$readme" | sed -n 's/^    \(disc\/.*\)/\1/p' \
        >"$dir/expected"
    (cd "$dir" && "$checker" $2 >actual)
    if [ ! -s "$dir/expected" ] || ! cmp -s "$dir/expected" "$dir/actual"; then
        echo "the README's session \"$2\" under \"$1\" is not the checker's:"
        diff "$dir/expected" "$dir/actual"
        fail=1
    fi
}
session '### An example session' 'disc'
session '#### Installer command lines' '--options /r disc'
exit $fail
