#!/bin/sh
# Includes run one way: a source file includes from its own folder or from a lower layer, never
# from a layer above it or from another folder of its own layer.
# usage: check_layers.sh SRCDIR
# The layers, bottom first; folders on one line share a layer.
layers='base res
script ui
commands
sequence
app'
cd "$1" || exit 2
layer_of() { echo "$layers" | awk -v f="$1" '{ for (i = 1; i <= NF; i++) if ($i == f) print NR }'; }
bad=0
for file in $(find . -name '*.cpp' -o -name '*.h' | sed 's#^\./##' | sort); do
    folder=${file%%/*}
    own=$(layer_of "$folder")
    [ -n "$own" ] || { echo "$file: folder '$folder' is in no layer"; bad=1; continue; }
    for inc in $(sed -n 's/^#include "\([a-z_]*\)\/.*/\1/p' "$file" | sort -u); do
        [ "$inc" = "$folder" ] && continue
        theirs=$(layer_of "$inc")
        if [ -z "$theirs" ] || [ "$theirs" -ge "$own" ]; then
            echo "$file: includes from '$inc' (layer ${theirs:-none}), above or beside '$folder' (layer $own)"
            bad=1
        fi
    done
done
[ $bad -eq 0 ] && echo "layers: every include runs down"
exit $bad
