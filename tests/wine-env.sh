# Sourced by the scripts that run Wine: the project's prefix and a quiet Wine.
# Needs $repo (the repository's root). Prefix: $TOVIMAR_WINEPREFIX, else <repo>/build/wineprefix.
TOVIMAR_WINEPREFIX=${TOVIMAR_WINEPREFIX:-$repo/build/wineprefix}
WINEPREFIX=$TOVIMAR_WINEPREFIX
WINEDEBUG=-all
# No Mono/Gecko download prompts and no desktop menu entries for a test prefix.
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export TOVIMAR_WINEPREFIX WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
