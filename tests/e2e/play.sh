#!/usr/bin/env bash
# Plays the real game as a person does, on a virtual X display of its own: the window, START, a
# chip and DEAL, STAND, then a window manager's close request; in a second run START and EXIT; in
# a third a close request on the menu. Every way out must end the game with status 0.
#
# Usage: play.sh [COMMAND...]
#   COMMAND starts the game, run in the current directory (default: $BLACKJACK_CMD, else
#   ./blackjack). The game finds its images and font itself; this script never looks for them.
# Environment:
#   BLACKJACK_WM_CLOSE  the wm_close helper that sends the close request (default: wm_close)
#   BLACKJACK_SHOTS     if set, a directory that receives menu.png and round.png (1024 x 768),
#                       or every screenshot when a check fails
# Needs Xvfb, xdotool and ImageMagick (import, convert); without one it is skipped (status 77).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/skip.sh"
require_programs Xvfb xdotool import convert

if [ $# -gt 0 ]; then
    game=("$@")
else
    read -r -a game <<<"${BLACKJACK_CMD:-./blackjack}"
fi
wm_close=${BLACKJACK_WM_CLOSE:-wm_close}
shots=${BLACKJACK_SHOTS:-}

# Window coordinates of what the script clicks and looks at.
start=(512 524)
exit_button=(912 714)
add_five=(978 130)
deal=(912 644)
stand=(337 684)
away=(700 745)                  # over no button, so that nothing is drawn hovered
logo_area=918x357+53+120        # the menu's logo
table_area=820x650+0+0          # the table: cards and result text
deal_area=134x48+845+620        # the deal button, hidden while a round is in play
play_area=284x48+120+660        # hit and stand, shown only while a round is in play
bet_area=204x35+820+62          # the bet text

work=$(mktemp -d)
xvfb_pid=""
game_pid=""
wid=""

cleanup() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE

step=0
ok() {
    step=$((step + 1))
    echo "ok $step - $*"
}
fail() {
    echo "FAIL - $*" >&2
    for f in "$work"/*.out "$work"/*.err; do
        [ -s "$f" ] && { echo "--- $(basename "$f")" >&2; cat "$f" >&2; }
    done
    if [ -n "$shots" ]; then
        mkdir -p "$shots"
        for f in "$work"/*.miff; do
            convert "$f" "$shots/$(basename "$f" .miff).png" || true
        done
    fi
    exit 1
}

# --- the display --------------------------------------------------------------------------------
# Xvfb picks a free display number itself and writes it to fd 3 once it takes connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb gave no display number"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

# --- helpers ------------------------------------------------------------------------------------
launch() {
    "${game[@]}" >"$work/$1.out" 2>"$work/$1.err" &
    game_pid=$!
    # SDL may replace its first window when it sets up the renderer: wait until the same window
    # is found twice in a row.
    local found last=""
    wid=""
    for _ in $(seq 60); do
        found=$(xdotool search --onlyvisible --name '^Blackjack$' 2>/dev/null | tail -n 1) || true
        if [ -n "$found" ] && [ "$found" = "$last" ]; then
            wid=$found
            break
        fi
        last=$found
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.5
    done
    if [ -z "$wid" ]; then
        kill -0 "$game_pid" 2>/dev/null || fail "$1: the game ended before showing its window"
        fail "$1: no window titled Blackjack within 30 s"
    fi
}

# shot NAME: the game window as $work/NAME.miff (quick to write, unlike PNG)
shot() {
    import -silent -window "$wid" "$work/$1.miff" 2>/dev/null || fail "no screenshot of the window"
}

# digest NAME AREA: a fingerprint of one area of a screenshot
digest() {
    convert "$work/$1.miff" -crop "$2" +repage -depth 8 rgb:- | md5sum | cut -d ' ' -f 1
}

# The game takes a click at the last position the pointer moved to: move first, then click.
click() {
    xdotool mousemove --window "$wid" "$1" "$2"
    sleep 0.2
    xdotool click 1
    sleep 0.2
    # The click may have ended the game, and its window with it.
    xdotool mousemove --window "$wid" "${away[@]}" 2>/dev/null || true
    sleep 0.3
}

# until_shows AREA WANT|DIFFER FINGERPRINT: screenshots until AREA matches (or differs from) the
# fingerprint; false after about 4 s.
until_shows() {
    local now
    for _ in $(seq 10); do
        shot now
        now=$(digest now "$1")
        if { [ "$2" = WANT ] && [ "$now" = "$3" ]; } ||
            { [ "$2" = DIFFER ] && [ "$now" != "$3" ]; }; then
            return 0
        fi
        sleep 0.4
    done
    return 1
}

# click_until X Y AREA WANT|DIFFER FINGERPRINT: clicks until the screen answers, at most three
# times. While the table is shown the game drops events that arrive during its own input
# handling, so a click can be lost; every click retried here does nothing once it has worked.
click_until() {
    local x=$1 y=$2
    shift 2
    for _ in 1 2 3; do
        click "$x" "$y"
        until_shows "$@" && return 0
    done
    return 1
}

# gone_within TENTHS: true once the game has ended, false if it still runs after TENTHS / 10 s.
gone_within() {
    for _ in $(seq "$1"); do
        [ "$(cut -d ' ' -f 3 "/proc/$game_pid/stat" 2>/dev/null || echo gone)" != Z ] ||
            return 0
        kill -0 "$game_pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# ended_with_zero WHAT: waits up to 10 s for the game to end and checks its status is 0.
ended_with_zero() {
    local status
    gone_within 100 || fail "$1: the game still runs"
    status=0
    wait "$game_pid" || status=$?
    game_pid=""
    [ "$status" -eq 0 ] || fail "$1: the game ended with status $status"
}

close_window() {
    "$wm_close" "$wid" || fail "the close request could not be sent"
}

# --- a round, then a window manager's close request --------------------------------------------
launch round
[ "$(xdotool getwindowname "$wid")" = Blackjack ] || fail "window title"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "${WIDTH:-0}x${HEIGHT:-0}" = 1024x768 ] || fail "window is ${WIDTH:-?}x${HEIGHT:-?}"
ok "one window titled Blackjack, 1024 x 768"

xdotool mousemove --window "$wid" "${away[@]}"
sleep 0.3
shot menu
menu_logo=$(digest menu "$logo_area")
menu_deal=$(digest menu "$deal_area")
click_until "${start[@]}" "$logo_area" DIFFER "$menu_logo" || fail "START did not leave the menu"
sleep 0.5
shot betting
[ "$(digest betting "$deal_area")" != "$menu_deal" ] || fail "no DEAL button on the table"
betting_deal=$(digest betting "$deal_area")
betting_play=$(digest betting "$play_area")
[ "$(grep -c '^START GAME$' "$work/round.out")" -eq 1 ] || fail "START GAME not printed once"
ok "START prints START GAME once and shows the table"

# Deal until a round stays in play (a natural settles at once and brings DEAL straight back).
in_play=no
for round in 1 2 3 4; do
    shot before
    click_until "${add_five[@]}" "$bet_area" DIFFER "$(digest before "$bet_area")" ||
        fail "the 5 chip did not change the bet"
    shot staked
    click_until "${deal[@]}" "$table_area" DIFFER "$(digest staked "$table_area")" ||
        fail "DEAL put no cards on the table"
    sleep 0.5
    shot dealt
    [ "$(digest dealt 117x164+30+300)" != "$(digest staked 117x164+30+300)" ] ||
        fail "no player's card at (30, 300)"
    if [ "$(digest dealt "$deal_area")" != "$betting_deal" ]; then
        in_play=yes
        break
    fi
    echo "# round $round was a natural, dealing again"
done
[ "$in_play" = yes ] || fail "four naturals in a row"
[ "$(digest dealt "$play_area")" != "$betting_play" ] || fail "no HIT and STAND in play"
ok "a chip and DEAL put cards on the table and bring HIT and STAND"
cp "$work/dealt.miff" "$work/round.miff"

click_until "${stand[@]}" "$deal_area" WANT "$betting_deal" || fail "STAND did not bring DEAL back"
shot settled
[ "$(digest settled "$play_area")" = "$betting_play" ] || fail "HIT and STAND still shown"
ok "STAND ends the round and brings DEAL back"

close_window
ended_with_zero "close on the table"
ok "a close request on the table ends the game with status 0"

# --- START, then EXIT ---------------------------------------------------------------------------
launch exit
xdotool mousemove --window "$wid" "${away[@]}"
sleep 0.3
shot menu2
click_until "${start[@]}" "$logo_area" DIFFER "$(digest menu2 "$logo_area")" ||
    fail "START did not leave the menu"
for _ in 1 2 3; do
    click "${exit_button[@]}"
    gone_within 30 && break
done
ended_with_zero "EXIT"
[ "$(grep -c '^START GAME$' "$work/exit.out")" -eq 1 ] || fail "START GAME not printed once"
ok "EXIT ends the game with status 0"

# --- a close request on the menu ----------------------------------------------------------------
launch menu
close_window
ended_with_zero "close on the menu"
! grep -q 'START GAME' "$work/menu.out" || fail "START GAME printed without a click"
ok "a close request on the menu ends the game with status 0"

if [ -n "$shots" ]; then
    mkdir -p "$shots"
    convert "$work/menu.miff" "$shots/menu.png"
    convert "$work/round.miff" "$shots/round.png"
fi
echo "$step passed, 0 failed"
