#!/bin/sh
# Runs a Windows program under Wine in the project's prefix and passes its exit code on.
# Prefix: $TOVIMAR_WINEPREFIX, else <repo>/build/wineprefix (tests/setup-wine.sh makes it).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
WINEPREFIX=${TOVIMAR_WINEPREFIX:-$repo/build/wineprefix}
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$repo/tests/setup-wine.sh"
fi
exec wine "$@"
