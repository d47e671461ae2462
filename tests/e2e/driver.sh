# The driver the end-to-end scripts share, sourced by play.sh and keeping.sh: it reads the game's
# command from their arguments and the click points from BLACKJACK_LAYOUT, gives them a work
# folder (with the choices' folder BLACKJACK_PREFS_DIR and, on Linux, the sound's file in it), a
# virtual display, and the helpers that launch the game, click, press keys, take screenshots and
# wait for what the screen shows. Their usage and environment are in play.sh's head.

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
    echo "$(basename "$0"): set BLACKJACK_LAYOUT to the click points the build writes (build/tests/e2e/layout.sh)" >&2
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

# --- helpers ------------------------------------------------------------------------------------
# launch NAME [FOLDER]: starts the game in FOLDER (default: the current one), waits for its window.
launch() {
    # Each run starts as a new player's would, with no choices kept: what one run turned on (the
    # coach, fullscreen) must not change what the next one is checked against. A script that
    # follows the choices from one run to the next sets keep_choices.
    [ -n "${keep_choices:-}" ] || rm -rf "$BLACKJACK_PREFS_DIR"
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
