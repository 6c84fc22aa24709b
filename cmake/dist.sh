#!/bin/sh
# Packs a release from a build tree: OUTDIR/tarnwick-<version>/ and the same tree zipped beside
# it (cmake/pack.sh). The bytes depend only on the commit and the built files: every file carries
# the commit's time and a fixed mode, and the archive lists them in a fixed order.
# usage: dist.sh BUILDDIR OUTDIR
set -e
build=$1
out=$2
here=$(cd "$(dirname "$0")/.." && pwd)
version=$(sh "$here/cmake/version.sh") || exit 1
name=tarnwick-$version

# The commit's time stands for every file's time; outside a git checkout, SOURCE_DATE_EPOCH.
stamp=$(git -C "$here" log -1 --format=%ct 2>/dev/null || true)
[ -n "$stamp" ] || stamp=${SOURCE_DATE_EPOCH:-}
[ -n "$stamp" ] || { echo "dist: no commit time (not a git checkout, no SOURCE_DATE_EPOCH)" >&2; exit 1; }
if [ -n "$(git -C "$here" status --porcelain --untracked-files=no 2>/dev/null)" ]; then
    echo "dist: warning: the tree has changes not committed; this is not the commit's release" >&2
fi

[ -f "$build/tarnwick.exe" ] || { echo "dist: $build/tarnwick.exe is not built" >&2; exit 1; }
tree=$out/$name
rm -rf "$tree" "$out/$name.zip"
mkdir -p "$tree"

# Text for Windows users gets Windows line ends, whatever the checkout has.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }

ship() {  # ship SOURCE DEST: copies a built file into the release; a release lacks none
    [ -f "$1" ] || { echo "dist: $1 is not built" >&2; exit 1; }
    mkdir -p "$(dirname "$tree/$2")"
    cp "$1" "$tree/$2"
}
ship "$build/tarnwick.exe" x86/tarnwick.exe
ship "$build/x64/tarnwick.exe" x64/tarnwick.exe
ship "$build/tarnwick-check.exe" checker/windows/tarnwick-check.exe
ship "$build/tarnwick-check" checker/linux-x86_64/tarnwick-check

(cd "$here/examples" && find . -type f | sed 's#^\./##') | while read -r file; do
    mkdir -p "$(dirname "$tree/examples/$file")"
    case $file in
        *.cfg | *.inf | *.txt) crlf "$here/examples/$file" "$tree/examples/$file" ;;
        *) cp "$here/examples/$file" "$tree/examples/$file" ;;
    esac
done
sed "s/@VERSION@/$version/g" "$here/docs/guide.txt" >"$tree/guide.tmp"
crlf "$tree/guide.tmp" "$tree/guide.txt"
rm "$tree/guide.tmp"

sh "$here/cmake/pack.sh" "$tree" "$stamp"

echo "dist: $out/$name.zip"
(cd "$out" && sha256sum "$name.zip")
