#!/bin/sh
# Builds the Windows program and opens it under Wine (code page 932) on the given paths.
# Without a path it opens a demo file. Without $DISPLAY it runs on a private Xvfb display,
# saves a screenshot of the window to build/screenshot.png and closes the program.
set -eu
cd "$(dirname "$0")"
repo=$(pwd)

WINDOWS_BUILD=${TOVIMAR_WINDOWS_BUILD:-$repo/build/windows}
# On a desktop the window manager should manage the window: a prefix of its own keeps Wine's
# default there. The private display has no window manager and shares the tests' prefix,
# whose unmanaged windows close without waiting for one.
setup=""
if [ -n "${DISPLAY:-}" ]; then
    TOVIMAR_WINEPREFIX=${TOVIMAR_WINEPREFIX:-$repo/build/wineprefix-desktop}
    setup=--managed
fi
. tests/wine-env.sh
LANG=ja_JP.UTF-8
LC_ALL=ja_JP.UTF-8
export LANG LC_ALL

tests/deps.sh

if [ ! -f "$WINDOWS_BUILD/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
    gen="-G Ninja"
else
    gen=""
fi
# shellcheck disable=SC2086 # $gen is empty or two words
cmake -S "$repo" -B "$WINDOWS_BUILD" $gen -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$WINDOWS_BUILD" --target Tovimar
exe="$WINDOWS_BUILD/Tovimar.exe"

# shellcheck disable=SC2086 # $setup is empty or one word
tests/setup-wine.sh $setup

if [ "$#" -eq 0 ]; then
    demo="$repo/build/demo/サンプル 写真.jpg"
    mkdir -p "$(dirname "$demo")"
    [ -e "$demo" ] || : >"$demo"
    set -- "$demo"
fi

headless=""
if [ -z "${DISPLAY:-}" ]; then
    headless=1
    trap stop_display EXIT
    trap 'exit 130' INT TERM
    start_display
fi

# Linux paths become Windows ones (Z:\...); paths that already look like Windows ones pass.
first=1
for p in "$@"; do
    if [ "$first" = 1 ]; then
        set --
        first=0
    fi
    case "$p" in
    [A-Za-z]:*) set -- "$@" "$p" ;;
    *) set -- "$@" "$(winepath -w "$p" 2>/dev/null)" ;;
    esac
done

if [ -z "$headless" ]; then
    exec wine "$exe" "$@"
fi

wine "$exe" "$@" &
pid=$!
wid=""
tries=0
while [ -z "$wid" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 300 ] || ! kill -0 "$pid" 2>/dev/null; then
        echo "run.sh: the window did not appear" >&2
        kill "$pid" 2>/dev/null || true
        exit 1
    fi
    sleep 0.1
    # The window of this process: wine execs its loader, which keeps the pid.
    wid=$(xdotool search --all --onlyvisible --pid "$pid" --classname tovimar 2>/dev/null |
        head -n1 || true)
done
sleep 1 # let the first paint finish
shot="$repo/build/screenshot.png"
import -window "$wid" "$shot"
echo "$shot"
xdotool windowfocus --sync "$wid" key Escape || true
tries=0
while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 100 ]; do
    tries=$((tries + 1))
    sleep 0.1
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
