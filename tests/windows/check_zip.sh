#!/usr/bin/env bash
# Checks the Windows zip as a Windows player meets it: unpacked into a folder of its own, it holds
# blackjack.exe (64-bit, a console program that needs only Windows' own DLLs) beside images/,
# fonts/, README.txt and the licences, and declares itself DPI aware; then the end-to-end script
# plays it under Wine on a virtual display, exactly as it plays the Linux game.
#
# Usage: check_zip.sh ZIP WM_CLOSE LAYOUT
#   ZIP       build-windows/blackjack-windows-x64.zip
#   WM_CLOSE  the end-to-end test's close helper (a native program)
#   LAYOUT    the end-to-end script's click points, as the native build writes them
#             (build/tests/e2e/layout.sh)
# Environment:
#   BLACKJACK_SHOTS  passed on to the end-to-end script (screenshots of the game under Wine)
#   BLACKJACK_CACHE  where the Wine prefix is kept between runs (default ~/.cache/blackjack)
# Needs Wine (wine64), MinGW-w64's objdump, and what the end-to-end script needs.
set -euo pipefail

zip=$(readlink -f "$1")
wm_close=$(readlink -f "$2")
layout=$(readlink -f "$3")
here=$(cd "$(dirname "$0")" && pwd)
cache="${BLACKJACK_CACHE:-$HOME/.cache/blackjack}"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
objdump=x86_64-w64-mingw32-objdump

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$here/../support/checks.sh"

[ -f "$zip" ] || fail "no zip at $1"
[ -x "$wine" ] || fail "no $wine: run scripts/install-deps windows"

# --- what the zip holds -------------------------------------------------------------------------
game="$work/Blackjack"
mkdir "$game"
(cd "$game" && cmake -E tar xf "$zip") || fail "the zip does not unpack"
ok "$(basename "$zip") unpacks ($(du -k "$zip" | cut -f 1) KiB)"

[ -f "$game/blackjack.exe" ] || fail "no blackjack.exe at the top of the zip"
for f in BG LOGO BUTTONS TABLE CHIPBG CHIPS ARROWS CARDS; do
    [ "$(head -c 8 "$game/images/$f.png" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = \
        89504e470d0a1a0a ] || fail "images/$f.png missing or not a PNG file"
done
[ -s "$game/fonts/ds-digit.ttf" ] || fail "no fonts/ds-digit.ttf"
grep -q 'blackjack.exe' "$game/README.txt" || fail "README.txt does not say how to start the game"
ok "blackjack.exe beside images/, fonts/ds-digit.ttf and README.txt"

# licensed NAME FILE PHRASE: FILE is there and carries PHRASE from NAME's licence.
licensed() {
    [ -f "$game/$2" ] || fail "no $2 for $1"
    grep -q "$3" "$game/$2" || fail "$2 is not $1's licence"
}
licensed "the game" LICENSE.txt 'MIT License'
licensed "the font" licenses/DejaVu-fonts.txt 'Bitstream Vera'
licensed SDL2 licenses/SDL2.txt 'Sam Lantinga'
licensed SDL2_image licenses/SDL2_image.txt 'Sam Lantinga'
licensed stb_image licenses/stb_image.txt 'Sean Barrett'
licensed SDL2_ttf licenses/SDL2_ttf.txt 'Sam Lantinga'
licensed FreeType licenses/FreeType.txt 'The FreeType Project LICENSE'
licensed "the MinGW-w64 runtime" licenses/mingw-w64-runtime.txt winpthreads
grep -q 'The FreeType Project (www.freetype.org)' "$game/README.txt" ||
    fail "README.txt lacks the credit FreeType's licence asks for"
expected='blackjack\.exe|README\.txt|LICENSE\.txt|images/[A-Z]+\.png|fonts/ds-digit\.ttf'
expected+='|licenses/[A-Za-z0-9_-]+\.txt'
stray=$(cd "$game" && find . -type f | grep -Ev "^\./($expected)\$" || true)
[ -z "$stray" ] || fail "unexpected files in the zip: $stray"
ok "the licences of the game, its font, SDL2, SDL2_image, stb_image, SDL2_ttf, FreeType, MinGW-w64"

# --- the program --------------------------------------------------------------------------------
"$objdump" -p "$game/blackjack.exe" >"$work/headers" || fail "blackjack.exe is no PE file"
grep -q 'file format pei-x86-64' "$work/headers" || fail "blackjack.exe is not 64-bit"
grep -Eq '^Subsystem[[:space:]]+0+3[[:space:]]' "$work/headers" ||
    fail "blackjack.exe is not a console program: $(grep '^Subsystem' "$work/headers")"
# Every DLL it loads at start-up comes with Windows: no MinGW runtime, no SDL beside it.
windows_dlls='advapi32|cfgmgr32|gdi32|imm32|kernel32|msvcrt|ole32|oleaut32|setupapi|shell32'
windows_dlls+='|user32|version|winmm'
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' "$work/headers" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || fail "blackjack.exe imports no DLL at all"
foreign=$(grep -Evx "($windows_dlls)\.dll" <<<"$imports" || true)
[ -z "$foreign" ] || fail "blackjack.exe needs DLLs Windows does not have: $foreign"
ok "blackjack.exe is a 64-bit console program that loads only $(tr '\n' ' ' <<<"$imports")"
# Its manifest says it draws for each monitor's DPI itself, so Windows does not stretch it.
grep -aq '<dpiAwareness[^>]*>PerMonitorV2' "$game/blackjack.exe" ||
    fail "blackjack.exe declares no per-monitor DPI awareness"
ok "blackjack.exe's manifest declares it aware of each monitor's DPI"

# --- played under Wine --------------------------------------------------------------------------
# A Wine prefix of the tests' own, made once per Wine version (wineboot takes a while) and kept
# in the cache; the player's machine is never touched. No Mono or Gecko: the game needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=fixme-all
export WINEARCH=win64
wine_version=$("$wine" --version | tr -cs 'A-Za-z0-9.\n' '-')
export WINEPREFIX="$cache/wine/${wine_version%-}-win64"
mkdir -p "$cache/wine"
(
    flock 9
    if [ ! -f "$WINEPREFIX/.made" ]; then
        echo "# making a Wine prefix in $WINEPREFIX (once)"
        rm -rf "$WINEPREFIX"
        DISPLAY= "$wine" wineboot -i >"$work/wineboot.log" 2>&1 ||
            { cat "$work/wineboot.log" >&2; fail "wineboot could not make the prefix"; }
        "$wineserver" -w
        touch "$WINEPREFIX/.made"
    fi
) 9>"$cache/wine/.lock"
# Wine's own services end a moment after the last program; wait for them (stop them if they
# linger) before the scratch folder goes.
trap 'timeout 60 "$wineserver" -w 2>/dev/null || "$wineserver" -k 2>/dev/null; rm -rf "$work"' EXIT

(cd "$game" && BLACKJACK_WM_CLOSE="$wm_close" BLACKJACK_LAYOUT="$layout" BLACKJACK_LAUNCH_WAIT=90 \
    BLACKJACK_WINDOWS=1 BLACKJACK_WINESERVER="$wineserver" \
    bash "$here/../e2e/play.sh" "$wine" blackjack.exe) ||
    fail "the end-to-end script failed against blackjack.exe under Wine"
ok "the end-to-end script plays blackjack.exe under Wine"

passed
