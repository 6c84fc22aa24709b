#!/bin/sh
# A release is the same bytes from any folder at any time: builds the shipped exe of a build tree
# again in a fresh tree elsewhere, under another time zone, locale and umask, compares the two,
# and looks for the source and build folders in the tree's shipped files. The x86 tree, which
# `make dist` packs from, also packs the release twice the same way and compares the archives,
# and checks the release's sums and that its archive unpacks to its tree.
# usage: check_reproducible.sh SRCDIR BUILDDIR x86|x64
set -e
src=$(cd "$1" && pwd -P)
build=$(cd "$2" && pwd -P)
arch=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-again.XXXXXX")
trap 'rm -rf "$work"' EXIT
bad=0
fail() { echo "FAIL: $*"; bad=1; }
elsewhere() { (umask 077 && cd "$work" && TZ=Pacific/Chatham LC_ALL=C "$@"); }

toolchain=$(sed -n 's/^CMAKE_TOOLCHAIN_FILE:[A-Z]*=//p' "$build/CMakeCache.txt")
case $toolchain in /*) ;; *) toolchain=$src/$toolchain ;; esac
elsewhere cmake -S "$src" -B "$work/again" -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
elsewhere cmake --build "$work/again" --target tarnwick >/dev/null
if cmp "$build/tarnwick.exe" "$work/again/tarnwick.exe"; then
    echo "same bytes: $build/tarnwick.exe ($arch) and a build in $work/again"
else
    fail "$build/tarnwick.exe differs from the same sources built in $work/again"
fi

for file in "$build/tarnwick.exe" "$build/tarnwick-check.exe" "$build/tarnwick-check"; do
    [ -f "$file" ] || continue
    for folder in "$src" "$build"; do
        if grep -qaF "$folder" "$file"; then fail "$file names the folder $folder"; fi
    done
done
[ "$arch" = x86 ] || exit $bad

sh "$src/cmake/dist.sh" "$build" "$work/dist" >/dev/null 2>&1 || fail "dist.sh failed"
elsewhere sh "$src/cmake/dist.sh" "$build" "$work/packed-again" >/dev/null 2>&1 ||
    fail "dist.sh failed elsewhere"
for zip in "$work"/dist/*.zip; do
    if cmp "$zip" "$work/packed-again/$(basename "$zip")"; then
        echo "same bytes: $(basename "$zip") packed twice"
    else
        fail "$(basename "$zip") packed twice differs"
    fi
done

# What a disc author checks: the sums hold, and the archive unpacks to the tree beside it.
for tree in "$work"/dist/tarnwick-*/; do
    (cd "$tree" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not hold"
    mkdir "$work/unpacked"
    (cd "$work/unpacked" && unzip -q "${tree%/}.zip") || fail "the archive does not unpack"
    diff -r "$tree" "$work/unpacked/$(basename "$tree")" || fail "the archive is not the tree"
done
exit $bad
