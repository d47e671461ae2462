#!/usr/bin/env bash
# Builds the game's packages from a configured and built tree and checks them as a user would
# meet them: the .deb's contents and layout, that every package it depends on is installed here
# (so `apt-get install ./blackjack_*.deb` needs nothing more), the .tar.gz's layout, and finally a
# real game started through the installed `blackjack` command, played by the end-to-end script.
#
# Usage: check_package.sh BUILD_DIR [PLAY_SCRIPT]
#   BUILD_DIR    the CMake build tree (with CPackConfig.cmake)
#   PLAY_SCRIPT  the end-to-end script, run with the installed command; without it the game is
#                not started
# Environment: BLACKJACK_WM_CLOSE and BLACKJACK_LAYOUT, passed on to the end-to-end script.
# Needs dpkg's programs; without them, or without the end-to-end script, it is skipped (status 77).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/skip.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../support/pictures.sh"
require_programs cpack dpkg-deb dpkg-query dpkg

build=$(readlink -f "$1")
play=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"

# --- build the packages -------------------------------------------------------------------------
# Into a folder of this test's own, so a `make package` beside it is left alone.
if ! (cd "$build" && cpack --config CPackConfig.cmake -G "DEB;TGZ" -B "$work/out") \
    >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    fail "cpack failed"
fi
debs=("$work"/out/blackjack_*.deb)
tgzs=("$work"/out/blackjack-*.tar.gz)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single .deb: $(ls "$work/out")"
[ ${#tgzs[@]} -eq 1 ] && [ -f "${tgzs[0]}" ] || fail "no single .tar.gz: $(ls "$work/out")"
deb=${debs[0]}
tgz=${tgzs[0]}
ok "cpack makes $(basename "$deb") and $(basename "$tgz")"

[ "$(dpkg-deb -f "$deb" Package)" = blackjack ] || fail "package name"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"
ok "the .deb is named blackjack and has a maintainer and a description"

# --- layout -------------------------------------------------------------------------------------
# check_layout ROOT: the installed tree under ROOT (a prefix such as ROOT/usr).
check_layout() {
    local prefix=$1 data="$1/share/blackjack" f line licence problem
    local dep5=https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
    [ -x "$prefix/bin/blackjack" ] || fail "no bin/blackjack in $prefix"
    # Each check reads what it looks at whole before matching: a grep -q that stops at the first
    # match would close a pipe under its writer, and pipefail count the broken pipe as a failure.
    [[ "$(head -n 1 "$prefix/bin/blackjack")" == '#!/bin/sh'* ]] ||
        fail "bin/blackjack is no sh script"
    [ -x "$data/blackjack" ] || fail "no game binary in $data"
    [ "$(head -c 4 "$data/blackjack")" = $'\x7fELF' ] || fail "the game binary is not an ELF file"
    problem=$(pictures_problem "$data/images") || fail "$problem"
    f="$data/fonts/ds-digit.ttf"
    [ -f "$f" ] && [ ! -L "$f" ] && [ -s "$f" ] ||
        fail "fonts/ds-digit.ttf missing, empty or a link"
    f="$prefix/share/applications/blackjack.desktop"
    [ -f "$f" ] || fail "no desktop entry"
    for line in Name=Blackjack Exec=blackjack Icon=blackjack; do
        grep -qx "$line" "$f" || fail "desktop entry lacks $line"
    done
    grep -q '^Categories=.*Game;' "$f" || fail "desktop entry is not in the Game category"
    f="$prefix/share/icons/hicolor/256x256/apps/blackjack.png"
    [ -f "$f" ] || fail "no 256 x 256 icon"
    # A PNG's IHDR holds width and height as big-endian words at bytes 16 to 23.
    [ "$(od -An -j16 -N8 -tx1 "$f" | tr -d ' \n')" = 0000010000000100 ] ||
        fail "icon is not 256 x 256"
    # The licences, in Debian's machine-readable format: the game's own and the font's, each
    # named by a Files paragraph and spelt out in a License paragraph of its own.
    f="$prefix/share/doc/blackjack/copyright"
    [ -f "$f" ] || fail "no share/doc/blackjack/copyright"
    [ "$(head -n 1 "$f")" = "Format: $dep5" ] ||
        fail "the copyright file is not in Debian's machine-readable format"
    for line in 'Files: \*' 'Files: \*/fonts/ds-digit\.ttf' 'License: MIT' \
        'License: bitstream-vera'; do
        grep -qx "$line" "$f" || fail "the copyright file lacks the line $line"
    done
    for licence in MIT bitstream-vera; do
        grep -q '^ Permission is hereby granted' <<<"$(grep -A 1 -x "License: $licence" "$f")" ||
            fail "the copyright file does not spell out the $licence licence"
    done
    # Nothing but the game, its assets, the launcher, the calculator, the desktop files and the
    # copyright file.
    local expected stray
    expected='bin/(blackjack|blackjack-sim)'
    expected+='|share/doc/blackjack/copyright'
    expected+='|share/blackjack/(blackjack|images/(2x/)?[A-Z]+\.png|fonts/ds-digit\.ttf)'
    expected+='|share/applications/blackjack\.desktop'
    expected+='|share/icons/hicolor/256x256/apps/blackjack\.png'
    stray=$(cd "$prefix" && find . -type f | grep -Ev "^\./($expected)\$" || true)
    [ -z "$stray" ] || fail "unexpected files installed: $stray"
}

root="$work/root"
dpkg-deb -x "$deb" "$root"
check_layout "$root/usr"
ok "the .deb installs the game, images (1x, 2x), font, launcher, desktop entry, icon, copyright"

mkdir "$work/tgz"
tar -xzf "$tgz" -C "$work/tgz"
tops=("$work"/tgz/*)
[ ${#tops[@]} -eq 1 ] || fail "the .tar.gz has more than one top folder"
check_layout "${tops[0]}"
ok "the .tar.gz holds the same tree"

# --- dependencies -------------------------------------------------------------------------------
depends=$(dpkg-deb -f "$deb" Depends)
echo "# Depends: $depends"
for lib in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-ttf-2.0-0; do
    grep -Eq "(^|[ ,|])$lib([ (,|]|$)" <<<"$depends" || fail "Depends does not name $lib"
done
# Every entry, a list of alternatives, needs one alternative installed in a fitting version.
IFS=',' read -r -a entries <<<"$depends"
for entry in "${entries[@]}"; do
    met=no
    IFS='|' read -r -a alternatives <<<"$entry"
    for alt in "${alternatives[@]}"; do
        name=$(sed -E 's/^ *([^ (]+).*/\1/' <<<"$alt")
        installed=$(dpkg-query -W -f='${db:Status-Status} ${Version}' "$name" 2>/dev/null || true)
        [ "${installed%% *}" = installed ] || continue
        if [[ "$alt" =~ \(([<>=]+)\ *([^\)]+)\) ]]; then
            op=${BASH_REMATCH[1]}
            want=${BASH_REMATCH[2]}
            case "$op" in
                '>=') op=ge ;; '<=') op=le ;; '=') op=eq ;; '>>') op=gt ;; '<<') op=lt ;;
            esac
            dpkg --compare-versions "${installed#* }" "$op" "$want" || continue
        fi
        met=yes
        break
    done
    [ "$met" = yes ] || fail "dependency not installed here: $entry"
done
ok "every dependency of the .deb is installed on this machine"

# apt's own answer, without installing anything: the package alone, nothing to fetch.
if command -v apt-get >/dev/null 2>&1; then
    apt-get install --simulate --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
        { cat "$work/apt.log" >&2; fail "apt-get cannot install the .deb"; }
    installs=$(grep '^Inst ' "$work/apt.log" || true)
    [ "$(wc -l <<<"$installs")" -eq 1 ] && grep -q '^Inst blackjack ' <<<"$installs" ||
        { cat "$work/apt.log" >&2; fail "apt-get would install more than the .deb: $installs"; }
    ok "apt-get install of the .deb would install it alone"
fi

# --- the installed command ----------------------------------------------------------------------
[ -n "$play" ] ||
    skip "the installed game is not started: no end-to-end script (it needs the X11 development files)"
# From a folder without images or fonts: the launcher finds the game's own. The script skips
# (status 77, its reason on standard output) when a program it needs is not installed.
mkdir "$work/elsewhere"
status=0
# The window on other screens is the build's own end-to-end test's: the installed program is the
# same one.
(cd "$work/elsewhere" && BLACKJACK_E2E_ONE_SCREEN=1 bash "$play" "$root/usr/bin/blackjack") ||
    status=$?
[ "$status" -ne 77 ] || exit 77
[ "$status" -eq 0 ] || fail "the end-to-end script failed against the installed command"
ok "the end-to-end script plays the game started by the installed blackjack command"

passed
