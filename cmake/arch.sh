#!/bin/sh
# Prints the build that this machine's tests run on: x86 where it runs 32-bit code (32-bit Wine
# starts), else x64. TARNWICK_ARCH=x64 (or x86) in the environment forces the choice.
case ${TARNWICK_ARCH:-} in
x86 | x64) echo "$TARNWICK_ARCH" ;;
"") if /usr/lib/wine/wine --version >/dev/null 2>&1; then echo x86; else echo x64; fi ;;
*) echo "TARNWICK_ARCH must be x86 or x64, not '$TARNWICK_ARCH'" >&2; exit 2 ;;
esac
