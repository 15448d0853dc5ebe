# The shell part of the Wine environment, sourced by the scripts that run Wine and read by
# tests/wine_env.py: the project's prefix, a quiet Wine, and a private X display.
# Needs $repo (the repository's root). Prefix: $TOVIMAR_WINEPREFIX, else <repo>/build/wineprefix.
TOVIMAR_WINEPREFIX=${TOVIMAR_WINEPREFIX:-$repo/build/wineprefix}
WINEPREFIX=$TOVIMAR_WINEPREFIX
WINEDEBUG=-all
# No Mono/Gecko download prompts and no desktop menu entries for a test prefix.
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export TOVIMAR_WINEPREFIX WINEPREFIX WINEDEBUG WINEDLLOVERRIDES

# An Xvfb display and a persistent wineserver for the prefix: start_display sets DISPLAY and
# XVFB_PID; stop_display undoes what start_display did.
start_display() {
    fdfile=$(mktemp)
    # -displayfd lets Xvfb pick a free display number and report it once it accepts clients;
    # -noreset keeps the pointer and the clipboard when the last client disconnects.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    tries=0
    while [ ! -s "$fdfile" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 300 ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
            echo "Xvfb did not start" >&2
            rm -f "$fdfile"
            return 1
        fi
        sleep 0.1
    done
    DISPLAY=:$(head -n1 "$fdfile" | tr -d ' \n')
    export DISPLAY
    rm -f "$fdfile"
    # A server left over from another display would keep Wine's clipboard on that display.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    wineserver -p >/dev/null 2>&1 || true
    # The first program in a session starts Wine's services and desktop process, which live
    # as long as the server and keep their inherited output open; start them here on
    # /dev/null so they don't hold a test's output pipe (ctest would wait for it to close).
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    wine rundll32 user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
}

stop_display() {
    wineserver -k >/dev/null 2>&1 || true
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=
    fi
}
