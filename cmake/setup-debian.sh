#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine; cheap when all is there.
set -e
need=""
for p in cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64 xvfb x11-apps imagemagick googletest clang-format zip unzip time \
         nsis wixl osslsigncode openssl python3-jsonschema; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || need="$need $p"
done
command -v npm >/dev/null || need="$need npm"
# The published SARIF 2.1.0 schema that the checker's SARIF output is validated against ships in
# Microsoft's SARIF Multitool package of the npm registry (sarif-2.1.0.json).
sarif_tool=@microsoft/sarif-multitool-linux@5.7.0
sarif_schema() { echo "$(npm root -g 2>/dev/null)/@microsoft/sarif-multitool-linux/sarif-2.1.0.json"; }
install_schema() {
  [ -f "$(sarif_schema)" ] && return 0
  if [ "$(id -u)" != 0 ]; then echo "setup: run as root to install $sarif_tool" >&2; exit 1; fi
  npm install -g --no-fund --no-audit --ignore-scripts "$sarif_tool" >/dev/null
}
# npm brings the SARIF schema; Debian's own package serves where the machine has none.
command -v npm >/dev/null 2>&1 || need="$need npm"
[ -z "$need" ] && { install_schema; exit 0; }
if [ "$(id -u)" != 0 ]; then echo "setup: run as root to install:$need" >&2; exit 1; fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
# Another install under way holds dpkg's lock: wait for it rather than fail.
apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends $need >/dev/null
install_schema
