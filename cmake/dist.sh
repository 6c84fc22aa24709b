#!/bin/sh
# Packs a release from a build tree: OUTDIR/tarnwick-<version>/ and the same tree zipped beside
# it. The bytes depend only on the commit and the built files: every file carries the commit's
# time and a fixed mode, and the archive lists them in a fixed order with no owner or local time.
# usage: dist.sh BUILDDIR OUTDIR
set -e
build=$1
out=$2
here=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(tarnwick VERSION \([0-9][0-9.]*\)[ )].*/\1/p' "$here/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in project() of CMakeLists.txt" >&2; exit 1; }
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

sums=$(cd "$tree" && find . -type f | sed 's#^\./##' | LC_ALL=C sort | while read -r file; do
    sha256sum "$file"
done)
printf '%s\n' "$sums" >"$tree/SHA256SUMS"

# Fixed modes and the commit's time, not this machine's umask and clock.
find "$tree" -type d -exec chmod 755 {} +
find "$tree" -type f -exec chmod 644 {} +
chmod 755 "$tree/checker/linux-x86_64/tarnwick-check"
find "$tree" -exec touch -h -d "@$stamp" {} +

# zip writes local times: in UTC they are the same everywhere. -X leaves out the extra fields
# (owner, Unix times), -D the folder entries; options from the environment are not taken.
(cd "$out" && find "$name" -type f | LC_ALL=C sort |
    env -u ZIPOPT -u ZIP TZ=UTC0 zip -X -D -9 -q -@ "$name.zip")
touch -d "@$stamp" "$out/$name.zip"

echo "dist: $out/$name.zip"
(cd "$out" && sha256sum "$name.zip")
