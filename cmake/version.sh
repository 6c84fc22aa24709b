#!/bin/sh
# Prints the release's version, set once in project() of CMakeLists.txt.
here=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(tarnwick VERSION \([0-9][0-9.]*\)[ )].*/\1/p' "$here/CMakeLists.txt")
[ -n "$version" ] || { echo "no version in project() of CMakeLists.txt" >&2; exit 1; }
echo "$version"
