#!/bin/sh
# Signs a release (Authenticode, SHA-256, with osslsigncode): TREE's exes, signed, in TREE-signed/
# and TREE-signed.zip, the rest as it is. With a key each exe is signed, its signing time the
# release's own, and its detached signature written to TREE-signatures/; without one the
# signatures kept in the sources (signatures/<version>/) are attached. Either way each signed exe
# must verify and give back the unsigned exe byte for byte when its signature is removed.
# usage: sign.sh TREE (a tree made by dist.sh); the key and the rest from the environment:
#   SIGN_CERT + SIGN_KEY   PEM certificate chain (signer first) and PEM key
#   SIGN_PKCS12            or a PKCS#12 file; SIGN_PASS: the password of either key
#   SIGN_TSA               an RFC 3161 time-stamping server's URL
#   SIGN_CAFILE            the roots to verify against (default: the system's)
#   SIGN_SIGNATURES        the detached signatures to attach (default: signatures/<version>)
set -e
tree=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
name=$(basename "$tree")
version=${name#tarnwick-}
signed=$tree-signed
detached=$tree-signatures
stored=${SIGN_SIGNATURES:-$here/signatures/$version}
# The files carry the commit's time (dist.sh): it is the signing time too, so that one key signs
# one commit to the same bytes every time.
stamp=$(stat -c %Y "$tree")
command -v osslsigncode >/dev/null || { echo "sign: osslsigncode is not installed" >&2; exit 1; }

# The key's options stand in "$@"; none: attach the stored signatures.
if [ -n "${SIGN_PKCS12:-}" ]; then
    set -- -pkcs12 "$SIGN_PKCS12"
elif [ -n "${SIGN_CERT:-}" ] && [ -n "${SIGN_KEY:-}" ]; then
    set -- -certs "$SIGN_CERT" -key "$SIGN_KEY"
elif [ -d "$stored" ]; then
    set --
else
    echo "sign: give SIGN_CERT and SIGN_KEY (PEM), or SIGN_PKCS12; or keep the detached" \
        "signatures of this version in $stored" >&2
    exit 1
fi
exes=$(cd "$tree" && find . -type f -name '*.exe' | sed 's#^\./##' | LC_ALL=C sort)
[ -n "$exes" ] || { echo "sign: no exe in $tree" >&2; exit 1; }

rm -rf "$signed" "$signed.zip"
made=""
[ $# -eq 0 ] || { rm -rf "$detached"; made=$detached; }
# A signed release is whole or not there: a failure leaves none half made.
trap 'rm -rf "$signed" "$signed.zip" "$signed.log" ${made:+"$made"}' EXIT
cp -a "$tree" "$signed"
for exe in $exes; do
    rm "$signed/$exe"
    if [ $# -gt 0 ]; then
        # The password goes through a pipe, never on a command line.
        printf '%s' "${SIGN_PASS:-}" | osslsigncode sign "$@" ${SIGN_PASS:+-readpass -} \
            -h sha256 -n "$(basename "$exe" .exe)" -time "$stamp" ${SIGN_TSA:+-ts "$SIGN_TSA"} \
            -in "$tree/$exe" -out "$signed/$exe" >/dev/null
        mkdir -p "$(dirname "$detached/$exe")"
        osslsigncode extract-signature -in "$signed/$exe" -out "$detached/$exe.sig" >/dev/null
    else
        [ -f "$stored/$exe.sig" ] || { echo "sign: no signature $stored/$exe.sig" >&2; exit 1; }
        # Attaching checks that the signature is over these very bytes and that its chain holds.
        osslsigncode attach-signature -sigin "$stored/$exe.sig" \
            ${SIGN_CAFILE:+-CAfile "$SIGN_CAFILE"} -in "$tree/$exe" -out "$signed/$exe" \
            >"$signed.log" 2>&1 ||
            { cat "$signed.log" >&2; rm -f "$signed/$exe" "$signed.log"; \
              echo "sign: $stored/$exe.sig does not sign $tree/$exe" >&2; exit 1; }
        rm "$signed.log"
    fi
    osslsigncode verify ${SIGN_CAFILE:+-CAfile "$SIGN_CAFILE"} -in "$signed/$exe" \
        >"$signed.log" 2>&1 ||
        { cat "$signed.log" >&2; echo "sign: $signed/$exe does not verify" >&2; exit 1; }
    echo "sign: $exe: $(grep -m1 'Subject:' "$signed.log" | sed 's/^[[:space:]]*//'):" \
        "$(grep -E '^Signature verification' "$signed.log")"
    rm "$signed.log"
    # The layer comes off again: what is left is the release's unsigned exe.
    osslsigncode remove-signature -in "$signed/$exe" -out "$signed/$exe.unsigned" >/dev/null
    cmp -s "$signed/$exe.unsigned" "$tree/$exe" ||
        { echo "sign: $signed/$exe without its signature is not $tree/$exe" >&2; exit 1; }
    rm "$signed/$exe.unsigned"
done
sh "$here/cmake/pack.sh" "$signed" "$stamp"
trap - EXIT

echo "sign: $signed.zip"
(cd "$(dirname "$signed")" && sha256sum "$(basename "$signed").zip")
if [ $# -gt 0 ]; then
    echo "sign: detached signatures in $detached: kept as signatures/$version/ in the sources," \
        "they sign any rebuild of this commit (make sign without a key)"
fi
