#!/bin/sh
# The signed release (make sign), with a throw-away certificate authority made here. The file
# checks: the signed exes verify against it; removing a signature gives back the unsigned exe
# byte for byte; a detached signature attached to the unsigned exe gives the signed exe again,
# and one over other bytes is refused; signing leaves the image (version information, manifest)
# as it was. The x86 tree signs the whole release, the x64 tree its exe alone. The run: the
# signed exe runs the sample disc under Wine.
# usage: check_signed.sh SRCDIR BUILDDIR x86|x64 ALLOWLIST files|run
set -e
src=$(cd "$1" && pwd -P)
build=$(cd "$2" && pwd -P)
arch=$3
list=$4
part=$5
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-signed.XXXXXX")
trap 'rm -rf "$work"' EXIT
if [ "$part" = run ] && [ "$arch" = x86 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "SKIPPED: this machine does not run 32-bit code; the signed x86 exe was not run"
    exit 77
fi
bad=0
fail() { echo "FAIL: $*"; bad=1; }
cd "$work"

# A certificate authority and a code-signing certificate it issued, as a PEM chain and as PKCS#12.
cat >x509.cnf <<'EOF'
[ca]
basicConstraints = critical,CA:TRUE
keyUsage = critical,keyCertSign
[leaf]
basicConstraints = critical,CA:FALSE
keyUsage = critical,digitalSignature
extendedKeyUsage = codeSigning
EOF
quiet() { "$@" >/dev/null 2>&1 || { echo "failed: $*"; exit 1; }; }
quiet openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Throw-away CA" \
    -keyout ca.key -out ca.pem -addext basicConstraints=critical,CA:TRUE \
    -addext keyUsage=critical,keyCertSign
quiet openssl req -new -newkey rsa:2048 -nodes -subj "/CN=Throw-away Signer" -keyout leaf.key \
    -out leaf.csr
quiet openssl x509 -req -in leaf.csr -CA ca.pem -CAkey ca.key -set_serial 2 -days 2 \
    -extfile x509.cnf -extensions leaf -out leaf.pem
cat leaf.pem ca.pem >chain.pem
quiet openssl pkcs12 -export -inkey leaf.key -in leaf.pem -certfile ca.pem -passout pass:Tw1 \
    -out leaf.p12
export SIGN_CAFILE="$work/ca.pem"

if [ "$arch" = x86 ] && [ "$part" = files ]; then
    quiet sh "$src/cmake/dist.sh" "$build" "$work"
    tree=$work/tarnwick-$(sh "$src/cmake/version.sh")
else
    tree=$work/tarnwick-0
    mkdir -p "$tree/$arch"
    cp "$build/tarnwick.exe" "$tree/$arch/tarnwick.exe"
    touch -d @1700000000 "$tree"
fi
exe=$arch/tarnwick.exe
signed=$tree-signed

# Signed with the PEM chain and with the PKCS#12 file: the same key and time, the same bytes.
SIGN_CERT=chain.pem SIGN_KEY=leaf.key sh "$src/cmake/sign.sh" "$tree" || fail "sign.sh (PEM)"
# The run: the signed exe carries out the sample disc from a read-only drive I: under Wine.
if [ "$part" = run ]; then
    mkdir disc
    cp -r "$src/examples/disc/." disc/
    cp "$signed/$exe" disc/tarnwick.exe
    chmod -R a-w disc
    ln -sfn "$work/disc" "$WINEPREFIX/dosdevices/i:"
    trap 'rm -f "$WINEPREFIX/dosdevices/i:"; chmod -R u+w "$work"; rm -rf "$work"' EXIT
    wine reg delete 'HKLM\Software\Example' /f </dev/null >/dev/null 2>&1 || true
    temp=$(wine cmd /c echo %TEMP% </dev/null 2>/dev/null | tr -d '\r')
    copied=$(winepath -u "$temp\\disp.inf" 2>/dev/null)
    rm -f "$copied"
    wine 'I:\tarnwick.exe' </dev/null || fail "the signed exe exited with $?"
    wine reg query 'HKLM\Software\Example\Setup' /v InfPath </dev/null 2>/dev/null | tr -d '\r' |
        grep -qF "$temp\\disp.inf" || fail "the sample disc's registry value is not there"
    cmp "$copied" disc/drivers/disp.inf || fail "the sample disc's file was not copied"
    wine reg delete 'HKLM\Software\Example' /f </dev/null >/dev/null 2>&1 || true
    rm -f "$copied"
    [ $bad = 1 ] || echo "the signed $exe ran the sample disc"
    exit $bad
fi

# The file checks.
mv "$signed.zip" pem.zip
mv "$tree-signatures" signatures
SIGN_PKCS12=leaf.p12 SIGN_PASS=Tw1 sh "$src/cmake/sign.sh" "$tree" >/dev/null ||
    fail "sign.sh (PKCS#12)"
cmp pem.zip "$signed.zip" || fail "PEM and PKCS#12 sign to different bytes"
# The detached signatures attached to the unsigned release give the signed release again.
SIGN_SIGNATURES=$work/signatures sh "$src/cmake/sign.sh" "$tree" >/dev/null ||
    fail "sign.sh (attaching)"
cmp pem.zip "$signed.zip" && echo "same bytes: signed, and attached from detached signatures"
cmp pem.zip "$signed.zip" >/dev/null || fail "attaching the detached signatures gives other bytes"
(cd "$signed" && sha256sum --quiet -c SHA256SUMS) || fail "the signed SHA256SUMS does not hold"
files() { unzip -Z1 "$1" | sed 's#^[^/]*/##'; }
if [ "$arch" = x86 ] && [ "$(files pem.zip)" != "$(files "$tree.zip")" ]; then
    fail "the signed archive holds other files than the unsigned one"
fi

# A signature over other bytes is refused: one byte of the unsigned exe changed.
cp -a "$tree" other
printf '\001' | dd of="other/$exe" bs=1 seek=1024 conv=notrunc 2>/dev/null
SIGN_SIGNATURES=$work/signatures sh "$src/cmake/sign.sh" other >/dev/null 2>&1 &&
    fail "a signature was attached to an exe it does not sign"

for file in $(cd "$signed" && find . -name '*.exe' | sed 's#^\./##'); do
    osslsigncode verify -CAfile ca.pem -in "$signed/$file" >verify.log 2>&1 ||
        { cat verify.log; fail "$file does not verify"; }
    rm -f removed.exe
    osslsigncode remove-signature -in "$signed/$file" -out removed.exe >/dev/null
    cmp removed.exe "$tree/$file" || fail "$file without its signature is not the unsigned exe"
    echo "$file: $(grep -c 'Signature verification: ok' verify.log) signature verified;" \
        "unsigned $(sha256sum <"$tree/$file" | cut -c1-16)," \
        "signature removed $(sha256sum <removed.exe | cut -c1-16)"
done
cmp "$tree/$exe" "$build/tarnwick.exe" || fail "the release's $exe is not the built exe"

# Signing changes the header's checksum and certificate-table entry and appends the table; the
# rest (code, version information, manifest) is the unsigned exe's.
sh "$src/tests/check_image.sh" "$signed/$exe" "$arch" "$list" || fail "the signed image check"
pe=$(od -An -tu4 -j60 -N4 "$tree/$exe" | tr -d ' ')
[ "$arch" = x86 ] && entry=$((pe + 152)) || entry=$((pe + 168))
changed=$(cmp -l -n "$(stat -c %s "$tree/$exe")" "$tree/$exe" "$signed/$exe" |
    awk -v sum=$((pe + 88)) -v entry="$entry" \
        '!($1 > sum && $1 <= sum + 4) && !($1 > entry && $1 <= entry + 8)' | wc -l)
[ "$changed" = 0 ] || fail "signing changed $changed bytes outside the checksum and table entry"

exit $bad
