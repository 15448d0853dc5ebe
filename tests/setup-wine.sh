#!/bin/sh
# Creates the Wine prefix the program and the tests run in, once, and makes the Japanese
# MS fonts the program asks for render with the IPA fonts. Safe to run again.
# Prefix: $TOVIMAR_WINEPREFIX, else <repo>/build/wineprefix.
# Windows are unmanaged unless --managed is given: without a window manager Wine waits about
# 2 s on every close of a managed window for the unmap to be confirmed. A real desktop wants
# --managed, so that its window manager places and decorates the window.
set -eu

windows=unmanaged
if [ "${1:-}" = --managed ]; then
    windows=managed
fi

repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/tests/wine-env.sh"
export LANG=ja_JP.UTF-8

# Bump when the registry settings below change, so existing prefixes pick them up.
stamp_version=6
stamp="$WINEPREFIX/.tovimar-setup"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_version $windows" ]; then
    exit 0
fi

mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup-wine: creating $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi

# Wine draws the caption buttons with Marlett (package fonts-wine); without it the close
# box shows a letter r. This Wine only reads TrueType fonts from the prefix's Fonts folder.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for f in /usr/share/wine/fonts/*.ttf; do
    [ -e "$f" ] || continue
    [ -e "$fonts/$(basename "$f")" ] || cp "$f" "$fonts/"
done
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "setup-wine: wineboot did not create $WINEPREFIX" >&2
    exit 1
fi

# regedit reads UTF-16 .reg files regardless of the code page, so the full-width font names
# survive whatever LANG the caller has.
reg=$(mktemp)
trap 'rm -f "$reg" "$reg.utf16"' EXIT
cat >"$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"ＭＳ Ｐ明朝"="IPAPMincho"
"ＭＳ 明朝"="IPAMincho"
"MS UI Gothic"="IPAPGothic"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"winemenubuilder.exe"=""

; Windows opens .txt with Notepad; a fresh Wine prefix has no association for it.
[HKEY_CLASSES_ROOT\.txt]
@="txtfile"
REG
if [ "$windows" = unmanaged ]; then
    managed='"Managed"="N"'
else
    managed='"Managed"=-'
fi
printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n%s\n' "$managed" >>"$reg"
{ printf '\377\376'; sed 's/$/\r/' "$reg" | iconv -f UTF-8 -t UTF-16LE; } >"$reg.utf16"
wine regedit /S "$(winepath -w "$reg.utf16")"
wineserver -w
echo "$stamp_version $windows" >"$stamp"
echo "setup-wine: $WINEPREFIX ready"
