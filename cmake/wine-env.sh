# Sourced by the shell scripts: the Wine environment for the prefix named in $prefix (32-bit,
# quiet, no .NET or HTML engine download, no desktop menu entries).
export WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
