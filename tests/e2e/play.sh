#!/usr/bin/env bash
# Plays the real game as a person does, on a virtual X display of its own: the window, START, a
# burst of 30 clicks on a chip while the machine is busy, a chip and DEAL, STAND, C twice (the
# coach on and off), A and M (motion and sound on) and a round, then a window manager's close
# request; in a second run START and EXIT; in a
# third a close request on the menu. On a 1280 x 720 screen the window opens smaller and a round is
# played with clicks at the scaled places; on a 1366 x 768 screen with a window manager (evilwm) a
# round is played by keyboard alone, then the window is resized, maximised and made fullscreen with
# F11 and Alt+Enter and back, with a click after each change. Last, started from another folder,
# START and SIGTERM. Every way out must end the game with status 0. Without its pictures or without
# a display the game must fail at once with status 1.
#
# Usage: play.sh [COMMAND...]
#   COMMAND starts the game, run in the current directory (default: $BLACKJACK_CMD, else
#   ./blackjack). The game finds its images and font itself; this script never looks for them.
# Environment:
#   BLACKJACK_LAYOUT    the file of click points and screenshot areas the build writes from the
#                       game's layout (build/tests/e2e/layout.sh); required
#   BLACKJACK_WM_CLOSE  the wm_close helper that sends the close request (default: wm_close)
#   BLACKJACK_LAUNCH_WAIT  seconds the game may take to show its window (default 30; more under
#                       Wine, whose first start sets up its services)
#   BLACKJACK_WINDOWS   if set, the game is the Windows build under Wine: a Windows program knows no
#                       SIGTERM and Wine needs a display of its own, so the last run ends with a
#                       close request and the start-up failures are left to the Linux build
#   BLACKJACK_WINESERVER  under Wine, its wineserver, which the script waits for before it changes
#                       screens (Wine's processes keep the screen they started on)
#   BLACKJACK_E2E_ONE_SCREEN  if set, the runs on the 1280 x 720 and 1366 x 768 screens are left
#                       out (the package test, which plays the same program again)
#   BLACKJACK_BET_DEADLINE  seconds the bet may take to settle after the burst of clicks (default
#                       30)
#   BLACKJACK_ANSWER_DEADLINE  seconds the game may take to show its answer to a click or key
#                       (default 20)
#   BLACKJACK_SHOTS     if set, a directory that receives menu.png and round.png (1024 x 768),
#                       or every screenshot when a check fails
# Needs Xvfb, evilwm, xprop, xdotool and ImageMagick (import, convert); without one it is skipped
# (status 77).
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../support/skip.sh"
require_programs Xvfb evilwm xprop xdotool import convert

if [ $# -gt 0 ]; then
    game=("$@")
else
    read -r -a game <<<"${BLACKJACK_CMD:-./blackjack}"
fi
wm_close=${BLACKJACK_WM_CLOSE:-wm_close}
windows=${BLACKJACK_WINDOWS:-}
launch_wait=${BLACKJACK_LAUNCH_WAIT:-30}
shots=${BLACKJACK_SHOTS:-}
# Every word of the command that names a file is made absolute, so the command starts the game from
# any folder; the last such word is the program.
program=""
for i in "${!game[@]}"; do
    if [ -f "${game[$i]}" ]; then
        game[$i]=$(realpath "${game[$i]}")
        program=${game[$i]}
        program_at=$i
    fi
done

# Window coordinates of what the script clicks and looks at, from the game's layout: the points
# start, exit_button, add_five, add_fifty, remove_fifty, add_hundred, remove_hundred, deal, stand
# and away (over no button, so that nothing is drawn hovered); the areas logo_area (the menu's
# logo), table_area (cards and result text), deal_area (hidden while a round is in play),
# play_area (hit and stand, shown only while a round is in play), bet_area (the bet text),
# player_card_area (the player's first card) and coach_area (the coach's ledger, drawn only while
# the coach is on). The browser test reads the same file.
layout=${BLACKJACK_LAYOUT:-}
if [ -z "$layout" ] || [ ! -f "$layout" ]; then
    echo "play.sh: set BLACKJACK_LAYOUT to the click points the build writes (build/tests/e2e/layout.sh)" >&2
    exit 1
fi
# shellcheck source=/dev/null
. "$layout"

work=$(mktemp -d)
# The choices the game remembers go to this run's own folder, never to the player's file, which
# each launch empties first.
export BLACKJACK_PREFS_DIR="$work/choices"
# On Linux a game that turns its sound on plays into this file (SDL's disk driver), not a speaker.
if [ -z "$windows" ]; then
    export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw"
fi
xvfb_pid=""
wm_pid=""
game_pid=""
wid=""
hogs=()

cleanup() {
    kill "${hogs[@]}" 2>/dev/null || true
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
    fi
    stop_display
    rm -rf "$work"
}

# stop_display: ends the window manager and the virtual display, if they run. Under Wine, first
# Wine's own processes, which stay a moment after the game and keep the display they started on.
stop_display() {
    local pid
    if [ -n "$windows" ] && [ -n "${BLACKJACK_WINESERVER:-}" ]; then
        timeout 60 "$BLACKJACK_WINESERVER" -w 2>/dev/null || "$BLACKJACK_WINESERVER" -k 2>/dev/null ||
            true
    fi
    for pid in "$wm_pid" "$xvfb_pid"; do
        if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    wm_pid=""
    xvfb_pid=""
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE

source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
# What a failed check leaves to look at: the game's output and, in BLACKJACK_SHOTS, every
# screenshot.
on_fail() {
    for f in "$work"/*.out "$work"/*.err; do
        [ -s "$f" ] && { echo "--- $(basename "$f")" >&2; cat "$f" >&2; }
    done
    if [ -n "$shots" ]; then
        mkdir -p "$shots"
        for f in "$work"/*.miff; do
            convert "$f" "$shots/$(basename "$f" .miff).png" || true
        done
    fi
}

# --- the display ---------------------------------------------------------------------------------
# start_display WxH [wm]: a virtual screen of that size in place of the one before, with the
# evilwm window manager when asked (without one, nothing adds borders, maximises or fills the
# screen). Xvfb picks a free display number itself and writes it to fd 3 once it takes
# connections. -noreset: by default an X server resets when its last client leaves, and a game
# started during the reset finds no display; here every game ends before the next one starts.
start_display() {
    stop_display
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$work/display" \
        2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
        sleep 0.1
    done
    [ -s "$work/display" ] || fail "Xvfb gave no display number"
    DISPLAY=":$(head -n 1 "$work/display")"
    export DISPLAY
    if [ "${2:-}" = wm ]; then
        evilwm -fn fixed >"$work/wm.log" 2>&1 &
        wm_pid=$!
        for _ in $(seq 50); do
            [[ "$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null)" == *'window id'* ]] && return 0
            sleep 0.1
        done
        fail "evilwm did not start: $(cat "$work/wm.log")"
    fi
}
start_display 1280x1024

# --- helpers ------------------------------------------------------------------------------------
# launch NAME [FOLDER]: starts the game in FOLDER (default: the current one), waits for its window.
launch() {
    # Each run starts as a new player's would, with no choices kept: what one run turned on (the
    # coach, fullscreen) must not change what the next one is checked against.
    rm -rf "$BLACKJACK_PREFS_DIR"
    (cd "${2:-.}" && exec "${game[@]}") >"$work/$1.out" 2>"$work/$1.err" &
    game_pid=$!
    # SDL may replace its first window when it sets up the renderer: wait until the same window
    # is found twice in a row.
    local found last=""
    wid=""
    for _ in $(seq $((launch_wait * 2))); do
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
        fail "$1: no window titled Blackjack within $launch_wait s"
    fi
    # Under Wine the window is shown before the game's first frame: wait for a picture in it.
    for _ in $(seq $((launch_wait * 2))); do
        shot first
        [ "$(identify -format '%k' "$work/first.miff")" -gt 1 ] && return 0
        sleep 0.5
    done
    fail "$1: the window stayed blank for $launch_wait s"
}

# geometry: WIDTH and HEIGHT of the game window, and view, the part of it the table fills
# (W H X Y: the largest size of the table's shape that fits, centred, as SDL's logical size puts
# it), with scale, its size against the table's.
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    read -r -a view < <(awk -v w="$WIDTH" -v h="$HEIGHT" -v tw="$window_width" \
        -v th="$window_height" 'BEGIN {
            if (w * th > h * tw) { vh = h; vw = int(tw * h / th) } else { vw = w; vh = int(th * w / tw) }
            printf "%d %d %d %d\n", vw, vh, int((w - vw) / 2), int((h - vh) / 2) }')
}

# to_window X Y: where the table point (X, Y) is in the window as it is now.
to_window() {
    geometry
    awk -v x="$1" -v y="$2" -v vw="${view[0]}" -v vh="${view[1]}" -v vx="${view[2]}" \
        -v vy="${view[3]}" -v tw="$window_width" -v th="$window_height" \
        'BEGIN { printf "%d %d\n", vx + (x + 0.5) * vw / tw, vy + (y + 0.5) * vh / th }'
}

# shot NAME: the game window as $work/NAME.miff (quick to write, unlike PNG). A window of another
# size than the table's is cut to the table's part and brought to the table's size, so the
# screenshot areas of the layout apply to every window.
shot() {
    # import waits for ever on a window that has gone, as when the game ended by surprise: that is
    # a failure to report, not a reason to hang until the test's timeout.
    timeout 30 import -silent -window "$wid" "$work/$1.miff" 2>/dev/null || {
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended unexpectedly"
        fail "no screenshot of the window"
    }
    geometry
    if [ "${WIDTH}x${HEIGHT}" != "${window_width}x${window_height}" ]; then
        convert "$work/$1.miff" -crop "${view[0]}x${view[1]}+${view[2]}+${view[3]}" +repage \
            -resize "${window_width}x${window_height}!" "$work/$1.miff" ||
            fail "no table in the screenshot"
    fi
}

# digest NAME AREA: a fingerprint of one area of a screenshot
digest() {
    convert "$work/$1.miff" -crop "$2" +repage -depth 8 rgb:- | md5sum | cut -d ' ' -f 1
}

# The game takes a click at the last position the pointer moved to: move first, then click. X
# and Y are a point of the table, wherever the window shows it.
click() {
    local at away_at
    read -r -a at < <(to_window "$1" "$2")
    read -r -a away_at < <(to_window "${away[@]}")
    xdotool mousemove --window "$wid" "${at[@]}"
    sleep 0.2
    xdotool click 1
    sleep 0.2
    # The click may have ended the game, and its window with it.
    xdotool mousemove --window "$wid" "${away_at[@]}" 2>/dev/null || true
    sleep 0.3
}

# move_away: the pointer over no button, so that nothing is drawn hovered.
move_away() {
    local away_at
    read -r -a away_at < <(to_window "${away[@]}")
    xdotool mousemove --window "$wid" "${away_at[@]}"
    sleep 0.3
}

# press KEY...: the keys, each pressed and let go, into the game window.
press() {
    local key
    xdotool windowfocus "$wid" 2>/dev/null || true
    for key in "$@"; do
        xdotool key "$key"
        sleep 0.3
    done
}

# act click|keys POINT KEY: a click on the layout's POINT, or the key KEY.
act() {
    if [ "$1" = click ]; then
        local -n point=$2
        click "${point[@]}"
    else
        press "$3"
    fi
}

# play_round click|keys: from the betting table, with the pointer away, a chip of 5 and DEAL
# until a round stays in play (a natural settles at once and brings DEAL straight back), then
# STAND, which brings DEAL back; by clicks or by keys (1, Enter, S).
play_round() {
    local how=$1 in_play=no round base_deal base_play
    shot base
    base_deal=$(digest base "$deal_area")
    base_play=$(digest base "$play_area")
    for round in 1 2 3 4; do
        shot before
        act "$how" add_five 1
        until_shows "$bet_area" DIFFER "$(digest before "$bet_area")" ||
            fail "$how: the 5 chip did not change the bet"
        shot staked
        act "$how" deal Return
        until_shows "$table_area" DIFFER "$(digest staked "$table_area")" ||
            fail "$how: DEAL put no cards on the table"
        sleep 0.5
        shot dealt
        [ "$(digest dealt "$player_card_area")" != "$(digest staked "$player_card_area")" ] ||
            fail "$how: no player's first card"
        if [ "$(digest dealt "$deal_area")" != "$base_deal" ]; then
            in_play=yes
            break
        fi
        echo "# round $round was a natural, dealing again"
    done
    [ "$in_play" = yes ] || fail "$how: four naturals in a row"
    [ "$(digest dealt "$play_area")" != "$base_play" ] || fail "$how: no HIT and STAND in play"
    ok "$how: a chip and DEAL put cards on the table and bring HIT and STAND"
    act "$how" stand s
    until_shows "$deal_area" WANT "$base_deal" || fail "$how: STAND did not bring DEAL back"
    shot settled
    [ "$(digest settled "$play_area")" = "$base_play" ] || fail "$how: HIT and STAND still shown"
    ok "$how: STAND ends the round and brings DEAL back"
}

# until_shows AREA WANT|DIFFER FINGERPRINT: screenshots until AREA matches (or differs from) the
# fingerprint; false once BLACKJACK_ANSWER_DEADLINE seconds (default 20) have gone by with no such
# screen. The game answers within a frame or two; a machine busy with other tests makes it slower,
# and the deadline waits for it.
until_shows() {
    local now deadline=$(($(date +%s%N) + ${BLACKJACK_ANSWER_DEADLINE:-20} * 1000000000))
    while :; do
        shot now
        now=$(digest now "$1")
        if { [ "$2" = WANT ] && [ "$now" = "$3" ]; } ||
            { [ "$2" = DIFFER ] && [ "$now" != "$3" ]; }; then
            return 0
        fi
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.3
    done
}

# click_and_see X Y AREA WANT|DIFFER FINGERPRINT: one click, then screenshots until the screen
# answers. The game loses no click, so there is no second try.
click_and_see() {
    local x=$1 y=$2
    shift 2
    click "$x" "$y"
    until_shows "$@"
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

# fails_at_start NAME FOLDER COMMAND...: the game, started in FOLDER by COMMAND, must end within
# 10 s with status 1 and one line of its own on standard error.
fails_at_start() {
    local name=$1 folder=$2 status=0
    shift 2
    (cd "$folder" && exec "$@") >"$work/$name.out" 2>"$work/$name.err" &
    game_pid=$!
    gone_within 100 || fail "$name: the game still runs"
    wait "$game_pid" || status=$?
    game_pid=""
    [ "$status" -eq 1 ] || fail "$name: the game ended with status $status, not 1"
    [ "$(grep -c '^blackjack: ' "$work/$name.err")" -eq 1 ] || fail "$name: no line on stderr"
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
click_and_see "${start[@]}" "$logo_area" DIFFER "$menu_logo" || fail "START did not leave the menu"
sleep 0.5
shot betting
[ "$(digest betting "$deal_area")" != "$menu_deal" ] || fail "no DEAL button on the table"
betting_deal=$(digest betting "$deal_area")
betting_play=$(digest betting "$play_area")
# A Windows game ends its lines with CR LF.
[ "$(tr -d '\r' <"$work/round.out" | grep -c '^START GAME$')" -eq 1 ] ||
    fail "START GAME not printed once"
ok "START prints START GAME once and shows the table"

# The bet text for 150 dollars, made once with a chip of 100 and one of 50, then taken back off.
click_and_see "${add_hundred[@]}" "$bet_area" DIFFER "$(digest betting "$bet_area")" ||
    fail "the 100 chip did not change the bet"
shot hundred
click_and_see "${add_fifty[@]}" "$bet_area" DIFFER "$(digest hundred "$bet_area")" ||
    fail "the 50 chip did not change the bet"
shot hundred_fifty
bet_150=$(digest hundred_fifty "$bet_area")
click "${remove_hundred[@]}"
click_and_see "${remove_fifty[@]}" "$bet_area" WANT "$(digest betting "$bet_area")" ||
    fail "the chips did not come off the bet"

# 30 clicks 50 ms apart on the 5 chip while CPU-bound processes keep both cores busy: every click
# is a chip, so the bet must settle at 150. A busy machine may make the game slow to answer, never
# wrong (it takes a click every other frame, and under Wine on a loaded machine 30 clicks took
# from 24 s to a minute): the script waits for the answer up to BLACKJACK_BET_DEADLINE seconds
# (default 30) and fails on a bet that settles at another value, or on none by then. The rounds
# below stake it with their own chip of 5.
for _ in 1 2 3 4; do
    sh -c 'while :; do :; done' &
    hogs+=($!)
done
xdotool mousemove --window "$wid" "${add_five[@]}"
sleep 0.2
xdotool click --repeat 30 --delay 50 1
clicked_at=$(date +%s%N)
kill "${hogs[@]}"
hogs=()
xdotool mousemove --window "$wid" "${away[@]}"
# The bet has settled once three screenshots in a row show it the same; it counts from the first
# of them. A bet that settles at another value than 150 is looked at again until the deadline, in
# case the game was still busy.
deadline=$((clicked_at + ${BLACKJACK_BET_DEADLINE:-30} * 1000000000))
last="" same=0 shown_at=0 bet_now=""
while :; do
    shot now
    bet_now=$(digest now "$bet_area")
    if [ "$bet_now" = "$last" ]; then
        same=$((same + 1))
    else
        last=$bet_now
        same=1
        shown_at=$(date +%s%N)
    fi
    [ "$same" -ge 3 ] && [ "$bet_now" = "$bet_150" ] && break
    if [ "$(date +%s%N)" -ge "$deadline" ]; then
        [ "$same" -lt 3 ] ||
            fail "30 clicks on the 5 chip under load settled at another bet than 150"
        fail "30 clicks on the 5 chip under load: the bet still changed after" \
            "${BLACKJACK_BET_DEADLINE:-30} s"
    fi
    sleep 0.3
done
awk -v ns=$((shown_at - clicked_at)) 'BEGIN {
    printf "# the bet settled at 150 %.1f s after the last click\n", ns / 1e9 }'
ok "30 clicks 50 ms apart on a busy machine bet exactly 30 chips of 5"

play_round click
cp "$work/dealt.miff" "$work/round.miff"

# C turns the coach on (its ledger appears on the felt) and off again (the table as before).
coach_off=$(digest settled "$coach_area")
xdotool key c
until_shows "$coach_area" DIFFER "$coach_off" || fail "C did not show the coach"
xdotool key c
until_shows "$coach_area" WANT "$coach_off" || fail "C again did not hide the coach"
ok "C shows the coach's ledger and hides it again"
if [ -z "$windows" ]; then
    # Written just after the frame that showed it, so give the disk a moment.
    deadline=$(($(date +%s%N) + ${BLACKJACK_ANSWER_DEADLINE:-20} * 1000000000))
    while [ "$(date +%s%N)" -lt "$deadline" ]; do
        ! grep -qx 'coach = off' "$BLACKJACK_PREFS_DIR/choices.txt" 2>/dev/null || break
        sleep 0.1
    done
    grep -qx 'coach = off' "$BLACKJACK_PREFS_DIR/choices.txt" 2>/dev/null ||
        fail "the coach turned on and off was not remembered in $BLACKJACK_PREFS_DIR/choices.txt"
    ok "the coach's last turn is remembered in the choices file"
fi

# A and M: motion and sound on, and a round played with both, by clicks that never wait for a card
# in flight. On Linux the sound goes to SDL's disk driver, which writes what the game plays to a
# file: no file while the sound is off (no device opened), sound once it is on.
if [ -z "$windows" ]; then
    [ ! -e "$SDL_DISKAUDIOFILE" ] || fail "with the sound off the game opened an audio device"
fi
xdotool key a
xdotool key m
# The motion's speed shows for a second in a corner; the round starts once it has gone.
sleep 1.5
play_round click
if [ -z "$windows" ]; then
    sound_bytes=$(stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0)
    [ "$sound_bytes" -gt 0 ] && ! cmp -s -n "$sound_bytes" "$SDL_DISKAUDIOFILE" /dev/zero ||
        fail "a round with the sound on played nothing on the audio device"
fi
ok "A and M: a round plays with motion and sound on"

close_window
ended_with_zero "close on the table"
ok "a close request on the table ends the game with status 0"

# --- START, then EXIT ---------------------------------------------------------------------------
launch exit
xdotool mousemove --window "$wid" "${away[@]}"
sleep 0.3
shot menu2
click_and_see "${start[@]}" "$logo_area" DIFFER "$(digest menu2 "$logo_area")" ||
    fail "START did not leave the menu"
click "${exit_button[@]}"
ended_with_zero "EXIT"
[ "$(tr -d '\r' <"$work/exit.out" | grep -c '^START GAME$')" -eq 1 ] ||
    fail "START GAME not printed once"
ok "EXIT ends the game with status 0"

# --- a close request on the menu ----------------------------------------------------------------
launch menu
close_window
ended_with_zero "close on the menu"
! grep -q 'START GAME' "$work/menu.out" || fail "START GAME printed without a click"
ok "a close request on the menu ends the game with status 0"

# The window on other screens; BLACKJACK_E2E_ONE_SCREEN leaves them to another run of this script
# (the package test plays the same program, which the build's own run has tried on them).
other_screens() {
    # --- a 1280 x 720 screen: a smaller window, every click scaled ----------------------------------
    # on_screen: the window, borders aside, lies inside the screen, in the table's shape.
    on_screen() {
        geometry
        local screen_w screen_h
        read -r screen_w screen_h < <(xdotool getdisplaygeometry)
        [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le "$screen_w" ] &&
            [ $((Y + HEIGHT)) -le "$screen_h" ] &&
            [ $((WIDTH * window_height - HEIGHT * window_width)) -le $((2 * window_width)) ] &&
            [ $((HEIGHT * window_width - WIDTH * window_height)) -le $((2 * window_height)) ]
    }

    start_display 1280x720
    launch small
    on_screen || fail "on a 1280 x 720 screen the window is ${WIDTH}x${HEIGHT} at $X,$Y"
    if [ -z "$windows" ]; then
        [ "${WIDTH}x${HEIGHT}" = 960x720 ] || fail "on a 1280 x 720 screen the window is ${WIDTH}x${HEIGHT}"
    fi
    ok "on a 1280 x 720 screen the window opens at $WIDTH x $HEIGHT, inside the screen"
    move_away
    shot small_menu
    click_and_see "${start[@]}" "$logo_area" DIFFER "$(digest small_menu "$logo_area")" ||
        fail "1280 x 720: START did not leave the menu"
    sleep 0.5
    play_round click
    click "${exit_button[@]}"
    ended_with_zero "EXIT at 1280 x 720"
    ok "at $WIDTH x $HEIGHT START, the chip, DEAL, STAND and EXIT take their clicks, scaled"

    # --- a 1366 x 768 screen with a window manager: keys, resizing, fullscreen -----------------------
    # until_size WxH|-WxH: waits about 4 s for the window to be (or, with -, to stop being) WxH.
    until_size() {
        for _ in $(seq 20); do
            geometry
            if { [ "${1#-}" = "$1" ] && [ "${WIDTH}x${HEIGHT}" = "$1" ]; } ||
                { [ "${1#-}" != "$1" ] && [ "${WIDTH}x${HEIGHT}" != "${1#-}" ]; }; then
                sleep 0.3
                return 0
            fi
            sleep 0.2
        done
        return 1
    }

    # click_lands WHAT: a click on the 5 chip, wherever the window now shows it, adds to the bet.
    click_lands() {
        move_away
        shot pre
        click_and_see "${add_five[@]}" "$bet_area" DIFFER "$(digest pre "$bet_area")" ||
            fail "$1: a click on the 5 chip did not land"
        ok "$1: the window is $WIDTH x $HEIGHT and a click on the 5 chip lands"
    }

    start_display 1366x768 wm
    launch wide
    on_screen || fail "on a 1366 x 768 screen the window is ${WIDTH}x${HEIGHT} at $X,$Y"
    opened="${WIDTH}x${HEIGHT}"
    ok "on a 1366 x 768 screen with a window manager the window opens at $WIDTH x $HEIGHT, inside it"
    move_away
    shot wide_menu
    wide_logo=$(digest wide_menu "$logo_area")
    press F11
    until_size 1366x768 || fail "F11 did not fill the screen: the window is ${WIDTH}x${HEIGHT}"
    press Escape
    until_size "$opened" || fail "Escape did not leave fullscreen: the window is ${WIDTH}x${HEIGHT}"
    kill -0 "$game_pid" 2>/dev/null || fail "Escape in fullscreen ended the game"
    until_shows "$logo_area" WANT "$wide_logo" || fail "the menu is gone after Escape"
    ok "on the menu F11 fills the screen and Escape in fullscreen only leaves it"

    # A round by keyboard alone: Space is START, then 1, Enter and S.
    press space
    until_shows "$logo_area" DIFFER "$wide_logo" || fail "Space did not START"
    sleep 0.5
    play_round keys
    press r
    until_shows "$bet_area" WANT "$(digest staked "$bet_area")" || fail "R did not bet 5 again"
    press shift+1
    until_shows "$bet_area" WANT "$(digest settled "$bet_area")" || fail "Shift+1 took no chip back"
    press Escape
    sleep 0.5
    kill -0 "$game_pid" 2>/dev/null || fail "Escape on the table ended the game"
    ok "keys: R bets the last round's chip again, Shift+1 takes it back, Escape leaves the table be"

    xdotool windowsize "$wid" 800 500
    until_size 800x500 || fail "the window was not resized to 800 x 500: it is ${WIDTH}x${HEIGHT}"
    # A click in the bar left of the table lands on nothing. The table is first left to settle at
    # its new size, the pointer over no button (Wine draws the first frames of a new size late).
    move_away
    shot bar_before
    for _ in $(seq 10); do
        sleep 0.3
        shot bar_again
        whole="${window_width}x${window_height}+0+0"
        [ "$(digest bar_again "$whole")" = "$(digest bar_before "$whole")" ] && break
        cp "$work/bar_again.miff" "$work/bar_before.miff"
    done
    xdotool mousemove --window "$wid" $((view[2] / 2)) $((HEIGHT / 2))
    sleep 0.2
    xdotool click 1
    sleep 0.5
    move_away
    shot bar_after
    [ "$(digest bar_after "$bet_area")" = "$(digest bar_before "$bet_area")" ] &&
        [ "$(digest bar_after "$deal_area")" = "$(digest bar_before "$deal_area")" ] ||
        fail "a click in the bar beside the table changed it"
    click_lands "resized, bars at the sides"
    # evilwm maximises the window under the pointer on Ctrl+Alt+X, and gives it its size back on the
    # next.
    press ctrl+alt+x
    until_size -800x500 || fail "Ctrl+Alt+X did not maximise the window"
    click_lands "maximised"
    press ctrl+alt+x
    until_size 800x500 || fail "Ctrl+Alt+X did not give the window its size back"
    for toggle in F11:Escape alt+Return:alt+Return; do
        press "${toggle%%:*}"
        until_size 1366x768 || fail "${toggle%%:*} did not fill the screen: the window is ${WIDTH}x${HEIGHT}"
        click_lands "fullscreen by ${toggle%%:*}"
        press "${toggle#*:}"
        until_size 800x500 || fail "${toggle#*:} did not leave fullscreen: the window is ${WIDTH}x${HEIGHT}"
        click_lands "back from fullscreen by ${toggle#*:}"
    done
    close_window
    ended_with_zero "a close request after fullscreen"
}
[ -n "${BLACKJACK_E2E_ONE_SCREEN:-}" ] || other_screens

start_display 1280x1024
# --- from another folder, SIGTERM on the table; no pictures; no display ------------------------
mkdir "$work/elsewhere"
launch elsewhere "$work/elsewhere"
xdotool mousemove --window "$wid" "${away[@]}"
sleep 0.3
shot elsewhere
[ "$(digest elsewhere "$logo_area")" = "$menu_logo" ] || fail "another folder: no menu pictures"
click_and_see "${start[@]}" "$logo_area" DIFFER "$menu_logo" || fail "START did not leave the menu"
if [ -n "$windows" ]; then
    close_window
    ended_with_zero "a close request on the table"
    ok "started from another folder the game finds its pictures; a close request ends it"
    passed
    exit 0
fi
kill -TERM "$game_pid"
ended_with_zero "SIGTERM on the table"
ok "started from another folder the game finds its pictures; SIGTERM ends it with status 0"

# The program alone in a folder, started from another one (unless it is a launcher script, which
# would find no game there); and no display at all.
[ -n "$program" ] || fail "no program file in the command: ${game[*]}"
if [ "$(head -c 2 "$program")" != "#!" ]; then
    mkdir "$work/bare"
    cp "$program" "$work/bare/"
    bare=("${game[@]}")
    bare[$program_at]="$work/bare/$(basename "$program")"
    fails_at_start bare "$work/elsewhere" "${bare[@]}"
    grep -q "$work/bare" <<<"$(grep "$work/elsewhere" "$work/bare.err")" ||
        fail "the line does not name both folders looked in"
fi
fails_at_start no_display . env -u DISPLAY "${game[@]}"
ok "without its pictures or without a display the game fails at once with status 1"

if [ -n "$shots" ]; then
    mkdir -p "$shots"
    convert "$work/menu.miff" "$shots/menu.png"
    convert "$work/round.miff" "$shots/round.png"
fi
passed
