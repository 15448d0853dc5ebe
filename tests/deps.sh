#!/bin/sh
# Installs what the build and the tests need on Debian 12 and generates the glibc locales Wine
# needs for file names (without ja_JP.UTF-8 it falls back to ASCII and Japanese names fail).
# hi_IN has no ANSI code page of its own: under it Wine's ANSI code page is UTF-8 (65001).
# Quiet and quick when everything is already there; apt-get runs only for missing packages.
set -eu

PACKAGES="cmake ninja-build g++ clang lld libclang-rt-14-dev googletest libbenchmark-dev
g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
wine wine64 fonts-wine xvfb xdotool xclip x11-utils imagemagick fonts-ipafont locales python3"
LOCALES="ja_JP.UTF-8 en_US.UTF-8 hi_IN.UTF-8"

as_root() {
    if [ "$(id -u)" = 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "deps: need root (or sudo) for: $*" >&2
        exit 1
    fi
}

missing=""
for p in $PACKAGES; do
    if ! dpkg -s "$p" 2>/dev/null | grep -q '^Status: install ok installed'; then
        missing="$missing $p"
    fi
done
if [ -n "$missing" ]; then
    echo "deps: installing$missing"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -q
    # shellcheck disable=SC2086 # the list is meant to split into words
    as_root apt-get install -y -q --no-install-recommends $missing </dev/null
fi

# `locale -a` spells them ja_JP.utf8; compare in lower case without the dash.
have_locale() {
    want=$(echo "$1" | tr 'A-Z' 'a-z' | tr -d '-')
    locale -a 2>/dev/null | tr 'A-Z' 'a-z' | tr -d '-' | grep -qx "$want"
}
regen=""
for l in $LOCALES; do
    if ! have_locale "$l"; then
        regen=1
        if ! grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null; then
            # Uncomment the line if it is there, else add it.
            if grep -q "^# *$l UTF-8" /etc/locale.gen 2>/dev/null; then
                as_root sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
            else
                echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
            fi
        fi
    fi
done
if [ -n "$regen" ]; then
    echo "deps: generating locales $LOCALES"
    as_root locale-gen
fi
