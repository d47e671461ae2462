#!/usr/bin/env bash
# The game at rest, measured from outside on a virtual X display of its own (1280 x 1024, the
# window 1024 x 768): for each game given, in rounds that take the games in turn,
#   - its resident memory (VmRSS) on the menu and on the table, each after a few seconds still;
#   - the time from the START click (xdotool) to the first frame that shows the table: a strip
#     through the middle of the menu's logo, polled by frame_probe about every millisecond, differs
#     from the menu's;
#   - its processor time at rest, in % of one core, over REST_SPAN seconds on the menu and again
#     on the table, the pointer resting over no button; under Wine the sum over every process of
#     the game's Wine session, wineserver included. The X server's share is shown beside it.
# Then one line per game: the median of the rounds and, in brackets, the lowest and highest.
#
# Usage: bench/ui/rest.sh [-n ROUNDS] GAME...      (default 5 rounds, from the repository's root)
#   GAME  a run directory (the game beside images/ and fonts/): blackjack, or blackjack.exe, which
#         is played under Wine; or a Windows zip (build-windows/blackjack-windows-x64.zip), which is
#         unpacked and played under Wine; or 1x:GAME, a copy of GAME without images/2x; or a game
#         command in quotes ("env SDL_RENDER_DRIVER=software build/run/blackjack"), run in the
#         current directory.
# Environment:
#   BUILD_DIR     the build tree with bench/ui/frame_probe, tests/e2e/wm_close and
#                 tests/e2e/layout.sh built (default build)
#   REST_SETTLE   seconds still before each reading (default 3, under Wine 8)
#   REST_SPAN     seconds over which the processor time is taken (default 10)
#   REST_RAW      a file that receives every round's figures, one line per game and round
#   BLACKJACK_CACHE  where the Wine prefix of this script is kept (default ~/.cache/blackjack; it
#                 makes its own, wine-rest/, once, so that no other Wine program shares its
#                 wineserver)
# Needs Xvfb, xdotool and ImageMagick's import and identify; Wine (wine64) for a Windows game.
# shellcheck disable=SC2154 # window_width, window_height, logo_area and start: the layout's
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
rounds=5
if [ "${1:-}" = -n ]; then
    rounds=${2:-}
    shift 2 || true
fi
die() {
    echo "rest.sh: $*" >&2
    exit 1
}
[[ "$rounds" =~ ^[1-9][0-9]*$ ]] || die "-n takes a number of rounds, not '$rounds'"
[ $# -gt 0 ] || die "usage: bench/ui/rest.sh [-n ROUNDS] GAME... (run directories, zips or commands)"
settle_native=${REST_SETTLE:-3}
settle_wine=${REST_SETTLE:-8}
span=${REST_SPAN:-10}
raw=${REST_RAW:-}

for program in Xvfb xdotool import identify; do
    command -v "$program" >/dev/null || die "$program is not installed"
done
build=$(cd "${BUILD_DIR:-$root/build}" 2>/dev/null && pwd) || die "no build tree ${BUILD_DIR:-$root/build}"
probe="$build/bench/ui/frame_probe"
wm_close="$build/tests/e2e/wm_close"
layout="$build/tests/e2e/layout.sh"
for f in "$probe" "$wm_close"; do
    [ -x "$f" ] || die "$f is not built (cmake --build $build --target frame_probe wm_close e2e_layout)"
done
[ -f "$layout" ] || die "$layout is not built (cmake --build $build --target e2e_layout)"
# shellcheck source=/dev/null
. "$layout"
[ "${window_width}x${window_height}" = 1024x768 ] || die "the layout is not 1024 x 768"
away=(700 745) # over no button on the menu and on the table, as in tests/e2e/play.sh
# The strip START is timed by: 8 rows through the middle of the logo, its whole width.
IFS='x+' read -r logo_w logo_h logo_x logo_y <<<"$logo_area"
strip="${logo_w}x8+${logo_x}+$((logo_y + logo_h / 2 - 4))"
ticks_per_s=$(getconf CLK_TCK)

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
work=$(mktemp -d)
xvfb_pid=""
game_pid=""
wine_used=""

# stop_game: ends the game, if it runs, and under Wine its session.
stop_game() {
    if [ -n "$game_pid" ] && kill -0 "$game_pid" 2>/dev/null; then
        kill "$game_pid" 2>/dev/null || true
        wait "$game_pid" 2>/dev/null || true
    fi
    game_pid=""
    if [ -n "$wine_used" ]; then
        timeout 30 "$wineserver" -w 2>/dev/null || "$wineserver" -k 2>/dev/null || true
    fi
}
cleanup() {
    stop_game
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP PIPE

# fail WHAT: ends the script, with the game's output when there is some.
fail() {
    local f
    for f in "$work/game.out" "$work/game.err"; do
        [ -s "$f" ] && { echo "--- $(basename "$f")" >&2; tail -n 20 "$f" >&2; }
    done
    die "$*"
}

# --- the games ----------------------------------------------------------------------------------
# For game i: label[i] (as given), dir[i] (where it starts), cmd[i] (the command, one word a line)
# and kind[i] (native or wine).
label=()
dir=()
cmd=()
kind=()
prepare() {
    local given=$1 game_path=$1 without_2x="" here
    if [ "${game_path#1x:}" != "$game_path" ]; then
        game_path=${game_path#1x:}
        without_2x=1
    fi
    here="$work/game${#label[@]}"
    if [ -f "$game_path" ] && [ "${game_path%.zip}" != "$game_path" ]; then
        local zip
        zip=$(readlink -f "$game_path")
        mkdir "$here"
        (cd "$here" && cmake -E tar xf "$zip") || die "$game_path does not unpack"
    elif [ -d "$game_path" ]; then
        if [ -n "$without_2x" ]; then
            cp -a "$game_path" "$here"
        else
            here=$(cd "$game_path" && pwd)
        fi
    elif [ -n "$without_2x" ]; then
        die "1x: takes a run directory or a zip, not '$game_path'"
    else
        read -r -a words <<<"$game_path"
        command -v "${words[0]}" >/dev/null || [ -x "${words[0]}" ] ||
            die "'$given' is no run directory, zip or command"
        label+=("$given")
        dir+=("$PWD")
        cmd+=("$(printf '%s\n' "${words[@]}")")
        kind+=(native)
        return
    fi
    if [ -n "$without_2x" ]; then
        [ -d "$here/images/2x" ] || die "$game_path has no images/2x to leave out"
        rm -r "$here/images/2x"
    fi
    { [ -d "$here/images" ] && [ -d "$here/fonts" ]; } || die "$game_path holds no images/ and fonts/"
    label+=("$given")
    dir+=("$here")
    if [ -x "$here/blackjack" ]; then
        cmd+=("./blackjack")
        kind+=(native)
    elif [ -f "$here/blackjack.exe" ]; then
        [ -x "$wine" ] || die "no $wine for $game_path: run scripts/install-deps windows"
        cmd+=("$(printf '%s\n' "$wine" blackjack.exe)")
        kind+=(wine)
        wine_used=1
    else
        die "$game_path holds neither blackjack nor blackjack.exe"
    fi
}
for given in "$@"; do
    prepare "$given"
done

# A Wine prefix of this script's own, made once (as tests/windows/check_zip.sh makes the tests'),
# so that its wineserver serves no other program and its processes are the game's alone.
if [ -n "$wine_used" ]; then
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEDEBUG=-all
    export WINEARCH=win64
    wine_version=$("$wine" --version | tr -cs 'A-Za-z0-9.\n' '-')
    cache="${BLACKJACK_CACHE:-$HOME/.cache/blackjack}/wine-rest"
    export WINEPREFIX="$cache/${wine_version%-}-win64"
    mkdir -p "$cache"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.made" ]; then
            echo "# making a Wine prefix in $WINEPREFIX (once)" >&2
            rm -rf "$WINEPREFIX"
            DISPLAY='' "$wine" wineboot -i >"$work/wineboot.log" 2>&1 ||
                { cat "$work/wineboot.log" >&2; die "wineboot could not make the prefix"; }
            "$wineserver" -w
            touch "$WINEPREFIX/.made"
        fi
    ) 9>"$cache/.lock"
fi

# --- the display --------------------------------------------------------------------------------
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || die "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
[ -s "$work/display" ] || die "Xvfb gave no display number"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

# --- readings -----------------------------------------------------------------------------------
# tagged TAG: the processes whose environment holds BLACKJACK_REST_TAG=TAG: the game and, under
# Wine, every process of its session (wineserver, services, explorer), which all inherit it.
# Only the game and Wine's programs are looked at.
tagged() {
    local -a environs
    mapfile -t environs < <(echo "/proc/$game_pid/environ"
        find /proc -mindepth 2 -maxdepth 2 -name exe -lname "$(dirname "$wine")/*" 2>/dev/null |
            sed 's|/exe$|/environ|')
    grep -lzx "BLACKJACK_REST_TAG=$1" "${environs[@]}" 2>/dev/null | sort -u |
        sed 's|^/proc/\([0-9]*\)/environ$|\1|' || true
}

# ticks PID...: "PID TICKS" for each process still there, TICKS its user and system time.
ticks() {
    local pid stat
    local -a field
    for pid in "$@"; do
        stat=$(cat "/proc/$pid/stat" 2>/dev/null) || continue
        read -r -a field <<<"${stat##*) }"
        echo "$pid $((field[11] + field[12]))"
    done
}

# cpu TAG: the processor time of the tagged processes and of Xvfb over REST_SPAN seconds, in % of
# one core: "GAME XVFB". A process that starts within the span counts from its start.
cpu() {
    local t0 t1 before after
    local -a pids
    mapfile -t pids < <(tagged "$1")
    before=$(ticks "${pids[@]}" "$xvfb_pid")
    t0=$(date +%s.%N)
    sleep "$span"
    mapfile -t pids < <(tagged "$1")
    after=$(ticks "${pids[@]}" "$xvfb_pid")
    t1=$(date +%s.%N)
    awk -v xvfb="$xvfb_pid" -v hz="$ticks_per_s" -v t0="$t0" -v t1="$t1" '
        NR == FNR { start[$1] = $2; next }
        { spent = $2 - start[$1]; if ($1 == xvfb) x += spent; else g += spent }
        END { printf "%.1f %.1f\n", 100 * g / hz / (t1 - t0), 100 * x / hz / (t1 - t0) }
    ' <(echo "$before") <(echo "$after")
}

rss_kb() {
    awk '/^VmRSS:/ { print $2 }' "/proc/$game_pid/status" 2>/dev/null || echo 0
}

# launch I TAG: starts game I and waits for its window (the same one found twice, as SDL may
# replace its first) to show a picture; sets wid.
launch() {
    local i=$1 found last="" wait_s=30
    local -a words
    [ "${kind[$i]}" = wine ] && wait_s=90
    mapfile -t words <<<"${cmd[$i]}"
    # Each launch starts with no choices kept (an empty folder of its own), as a new player's
    # does, and leaves nothing in the player's folder; older builds ignore the variable.
    rm -rf "$work/choices"
    (cd "${dir[$i]}" && BLACKJACK_PREFS_DIR="$work/choices" BLACKJACK_REST_TAG=$2 \
        exec "${words[@]}") >"$work/game.out" \
        2>"$work/game.err" &
    game_pid=$!
    wid=""
    for _ in $(seq $((wait_s * 2))); do
        found=$(xdotool search --onlyvisible --name '^Blackjack$' 2>/dev/null | tail -n 1) || true
        if [ -n "$found" ] && [ "$found" = "$last" ]; then
            wid=$found
            break
        fi
        last=$found
        kill -0 "$game_pid" 2>/dev/null || fail "${label[$i]}: the game ended before showing its window"
        sleep 0.5
    done
    [ -n "$wid" ] || fail "${label[$i]}: no window titled Blackjack within $wait_s s"
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    [ "${WIDTH}x${HEIGHT}" = 1024x768 ] || fail "${label[$i]}: the window is ${WIDTH}x${HEIGHT}"
    for _ in $(seq $((wait_s * 2))); do
        timeout 30 import -silent -window "$wid" "$work/first.miff" 2>/dev/null &&
            [ "$(identify -format '%k' "$work/first.miff")" -gt 1 ] && return 0
        sleep 0.5
    done
    fail "${label[$i]}: the window stayed blank for $wait_s s"
}

# close_game I: a close request, as a window manager sends it; the game must end within 20 s.
close_game() {
    "$wm_close" "$wid" || fail "${label[$1]}: the close request could not be sent"
    for _ in $(seq 100); do
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$game_pid" 2>/dev/null && fail "${label[$1]}: a close request did not end the game"
    wait "$game_pid" || fail "${label[$1]}: the game ended with status $?"
    game_pid=""
    if [ "${kind[$1]}" = wine ]; then
        timeout 30 "$wineserver" -w || fail "${label[$1]}: Wine's processes outlived the game by 30 s"
    fi
}

# measure I ROUND: one round of game I; its figures in one line, in `line`.
measure() {
    local i=$1 tag="rest-$$-$2-$1" settle=$settle_native menu_rss table_rss menu_cpu table_cpu
    local start_line start_ms menu_game menu_x table_game table_x
    [ "${kind[$i]}" = wine ] && settle=$settle_wine
    launch "$i" "$tag"
    xdotool mousemove --window "$wid" "${away[@]}"
    sleep "$settle"
    menu_rss=$(rss_kb)
    menu_cpu=$(cpu "$tag")
    # The menu must be still where START is timed, else any frame would count as the table.
    xdotool mousemove --window "$wid" "${start[@]}"
    sleep 0.5
    "$probe" --changed "$wid" "$strip" 500 -- true >/dev/null &&
        fail "${label[$i]}: the menu's logo changes by itself; START cannot be timed by it"
    start_line=$("$probe" --changed "$wid" "$strip" 20000 -- xdotool click 1) || true
    start_ms=${start_line#changed_ms=}
    [[ "$start_line" =~ ^changed_ms=[0-9.]+$ ]] ||
        fail "${label[$i]}: START did not show the table within 20 s ($start_line)"
    xdotool mousemove --window "$wid" "${away[@]}"
    sleep "$settle"
    table_rss=$(rss_kb)
    table_cpu=$(cpu "$tag")
    close_game "$i"
    read -r menu_game menu_x <<<"$menu_cpu"
    read -r table_game table_x <<<"$table_cpu"
    line="$i menu_rss_kb=$menu_rss table_rss_kb=$table_rss start_ms=$start_ms"
    line+=" menu_cpu=$menu_game table_cpu=$table_game menu_xvfb_cpu=$menu_x table_xvfb_cpu=$table_x"
}

# --- the rounds ---------------------------------------------------------------------------------
echo "# $rounds rounds of ${#label[@]} games, settle ${settle_native} s (Wine ${settle_wine} s)," \
    "span $span s; load average at the start: $(cut -d ' ' -f 1-3 /proc/loadavg)"
results="$work/results"
: >"$results"
count=${#label[@]}
for round in $(seq "$rounds"); do
    # Each round starts with another game, so that no game always follows the same one.
    for k in $(seq 0 $((count - 1))); do
        i=$(((round - 1 + k) % count))
        measure "$i" "$round"
        echo "$line" >>"$results"
        echo "# round $round of $rounds, ${label[$i]}: ${line#* }" >&2
        [ -z "$raw" ] || echo "round=$round game=${label[$i]} ${line#* }" >>"$raw"
    done
done

# One line per game: median (lowest to highest) of each figure.
echo "# load average at the end: $(cut -d ' ' -f 1-3 /proc/loadavg)"
for i in "${!label[@]}"; do
    awk -v game="$i" -v name="${label[$i]}" -v kind="${kind[$i]}" '
        function sorted(a, n,    i, j, t) {
            for (i = 2; i <= n; i++)
                for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t }
        }
        function figure(key, scale, format,    a, n, k, m) {
            n = 0
            for (k = 1; k <= rows; k++) a[++n] = value[k, key] / scale
            sorted(a, n)
            m = n % 2 ? a[(n+1)/2] : (a[n/2] + a[n/2+1]) / 2
            return sprintf(format " (" format "-" format ")", m, a[1], a[n])
        }
        $1 == game {
            rows++
            for (f = 2; f <= NF; f++) { split($f, kv, "="); value[rows, kv[1]] = kv[2] }
        }
        END {
            printf "%s [%s, %d rounds]: resident menu %s MiB, table %s MiB; START to table %s ms;" \
                " CPU at rest menu %s %%, table %s %% (Xvfb menu %s %%, table %s %%)\n", name,
                kind, rows, figure("menu_rss_kb", 1024, "%.1f"), figure("table_rss_kb", 1024, "%.1f"),
                figure("start_ms", 1, "%.0f"), figure("menu_cpu", 1, "%.0f"),
                figure("table_cpu", 1, "%.0f"), figure("menu_xvfb_cpu", 1, "%.0f"),
                figure("table_xvfb_cpu", 1, "%.0f")
        }' "$results"
done
