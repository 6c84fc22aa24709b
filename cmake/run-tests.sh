#!/bin/sh
# `make test`: every test of the build this machine can run end to end, then the other build's
# share. Where 32-bit code runs: the x86 build's whole suite under 32-bit Wine, then the x64
# build's image check and a short end-to-end smoke run under 64-bit Wine. Where only 64-bit code
# runs: the x64 build's whole suite under 64-bit Wine, then the x86 build's image check.
# usage: run-tests.sh BUILDDIR (the x86 tree; the x64 tree is BUILDDIR/x64)
set -e
build=$1
here=$(cd "$(dirname "$0")/.." && pwd)
arch=$(sh "$here/cmake/arch.sh")
if [ "$arch" = x86 ]; then
    main=$build other=$build/x64 other_arch=x64 other_labels='image|smoke'
    said="the x86 build (PE32) under 32-bit Wine"
else
    main=$build/x64 other=$build other_arch=x86 other_labels='image'
    said="the x64 build (PE32+) under 64-bit Wine"
    [ -n "${TARNWICK_ARCH:-}" ] && said="$said (forced by TARNWICK_ARCH)" ||
        said="$said: this machine does not run 32-bit code"
fi
echo "== tests: $said"
status=0
(cd "$main" && ctest --output-on-failure -j2) || status=1
echo "== the $other_arch build: $(echo "$other_labels" | sed 's/|/ and /') tests"
(cd "$other" && ctest --output-on-failure -j2 -L "$other_labels") || status=1
echo "== tests ran on $said; the $other_arch build got its $(echo "$other_labels" | sed 's/|/ and /') tests"
exit $status
