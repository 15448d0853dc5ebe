#!/bin/sh
# Runs a Windows program under Wine in the project's prefix and passes its exit code on.
# Prefix: $TOVIMAR_WINEPREFIX, else <repo>/build/wineprefix (tests/setup-wine.sh makes it).
set -eu
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tests/wine-env.sh"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$repo/tests/setup-wine.sh"
fi
exec wine "$@"
