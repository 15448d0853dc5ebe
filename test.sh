#!/bin/sh
# Builds everything and runs every test: the core's unit tests and fuzzers natively, the
# Windows-side unit tests and the end-to-end tests under Wine on a private Xvfb display.
# Ends with ctest's summary line and a short run of the start-up benchmark; the exit code is
# ctest's, or 1 when the benchmark could not run or the clang build failed. That second build
# of the program (a build only, beside the Wine set-up and the tests) catches code only GCC
# accepts.
# Folders (overridable): build/windows, build/windows-clang, build/native, build/wineprefix.
set -eu
cd "$(dirname "$0")"
repo=$(pwd)

WINDOWS_BUILD=${TOVIMAR_WINDOWS_BUILD:-$repo/build/windows}
NATIVE_BUILD=${TOVIMAR_NATIVE_BUILD:-$repo/build/native}
CLANG_BUILD=${TOVIMAR_CLANG_BUILD:-$repo/build/windows-clang}
. tests/wine-env.sh

tests/deps.sh

# Ninja when present; an existing build folder keeps the generator it was made with.
configure() {
    dir=$1
    shift
    if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null 2>&1; then
        set -- -G Ninja "$@"
    fi
    cmake -S "$repo" -B "$dir" "$@"
}

configure "$WINDOWS_BUILD" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release
cmake --build "$WINDOWS_BUILD"
CC=clang CXX=clang++ configure "$NATIVE_BUILD" -DCMAKE_BUILD_TYPE=Debug \
    -DTOVIMAR_WINDOWS_DIR="$WINDOWS_BUILD"
cmake --build "$NATIVE_BUILD"

# The clang build mostly overlaps the Wine set-up, which mostly waits; its output is shown
# only when it fails. An early exit still waits for it rather than leave it running.
mkdir -p "$CLANG_BUILD"
(
    configure "$CLANG_BUILD" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/clang-mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release &&
        nice cmake --build "$CLANG_BUILD" --target Tovimar
) >"$CLANG_BUILD/test-build.log" 2>&1 </dev/null &
clang_pid=$!
trap 'wait "$clang_pid" 2>/dev/null || true' EXIT

tests/setup-wine.sh
# Code page 65001 runs in a prefix of its own (the e2e harness's UTF8 language).
TOVIMAR_WINEPREFIX=${TOVIMAR_UTF8_WINEPREFIX:-$repo/build/wineprefix-utf8} tests/setup-wine.sh

trap 'stop_display; wait "$clang_pid" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
start_display

set +e
# The start-up and chain benchmarks, once and briefly: they must work; their figures are
# printed, not judged (bench/README.md has measured ones). They run first, so that the run
# ends with ctest's summary line.
echo "Benchmarks (a short run; see bench/README.md):"
TOVIMAR_WINDOWS_DIR="$WINDOWS_BUILD" python3 bench/startup.py --runs 3 --chain 5 --walk-rounds 1
bench=$?
ctest --test-dir "$NATIVE_BUILD" --output-on-failure -j2
rc=$?
wait "$clang_pid"
clang=$?
set -e
if [ "$clang" -ne 0 ]; then
    cat "$CLANG_BUILD/test-build.log" >&2
    echo "test.sh: the clang build failed (exit $clang)" >&2
    [ "$rc" -ne 0 ] || rc=1
fi
if [ "$bench" -ne 0 ]; then
    echo "test.sh: the benchmark run failed (exit $bench)" >&2
    [ "$rc" -ne 0 ] || rc=1
fi
exit "$rc"
