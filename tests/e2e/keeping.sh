#!/usr/bin/env bash
# The career as a player builds it: the real game on a virtual X display, keeping turned on with K,
# 20 rounds played off a known shoe (BLACKJACK_DECK_SEED), one in four by clicks and the rest by
# keys, with splits and doubles among them; V opens the review, which steps back through all 20
# rounds; the game is closed and started again. Then history.jsonl must hold the 20 rounds, each
# decision confirmed by blackjack-sim --check-history, and blackjack-sim --career's net must be
# its three parts added to the cent, and the wallet's change. Last, blackjack --drill and 40
# drills answered by keys: 40 more lines, confirmed too, at least 8 of them a single deck's own
# exceptions, and counted apart by --career.
#
# Usage: keeping.sh GAME SIM
#   GAME starts the game in the current directory (./blackjack), SIM is blackjack-sim.
# Environment: BLACKJACK_LAYOUT as for play.sh; BLACKJACK_SHOTS, if set, a directory that receives
# review.png (the review of the last round) and review-first.png (of the first), 1024 x 768.
set -euo pipefail

sim=$(realpath "${2:?usage: keeping.sh GAME SIM}")
set -- "$1"
# shellcheck source=driver.sh
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"

# The same shoe in every run: with it these keys split twice and double three times in 20 rounds.
export BLACKJACK_DECK_SEED=33
# The choices (keeping among them) and the history go from one run to the next.
keep_choices=yes
rm -rf "$BLACKJACK_PREFS_DIR"
history="$BLACKJACK_PREFS_DIR/history.jsonl"
rounds=20

# lines_in FILE: how many whole lines FILE holds (0 when there is none).
lines_in() {
    if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi
}

# quick_keys KEY...: the keys typed as a quick player types them; the game takes one a frame.
quick_keys() {
    xdotool windowfocus "$wid" 2>/dev/null || true
    xdotool key --delay 60 "$@"
}

# until_lines N: waits for history.jsonl to hold N lines.
until_lines() {
    local deadline=$(($(date +%s%N) + ${BLACKJACK_ANSWER_DEADLINE:-20} * 1000000000))
    while [ "$(lines_in "$history")" -lt "$1" ]; do
        [ "$(date +%s%N)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

start_display 1280x1024
launch keep
move_away
shot menu
click_and_see "${start[@]}" "$logo_area" DIFFER "$(digest menu "$logo_area")" ||
    fail "START did not leave the menu"
sleep 0.5
shot betting
betting_deal=$(digest betting "$deal_area")
press k
ok "K turns keeping on"

# A round: a chip and DEAL (by clicks, or by 1 and Enter), then P, D, S and S, of which the table
# takes only what is live: a pair is split and both hands stand, a 9 to 11 doubles, any other hand
# stands, and a natural has settled at the deal already.
for round in $(seq "$rounds"); do
    if [ $((round % 4)) -eq 0 ]; then
        click "${add_five[@]}"
        click "${deal[@]}"
    else
        quick_keys 1 Return
    fi
    quick_keys p d s s
    until_shows "$deal_area" WANT "$betting_deal" || fail "round $round did not come to its end"
    until_lines "$round" || fail "round $round was not kept in $history"
done
[ "$(lines_in "$history")" -eq "$rounds" ] || fail "$(lines_in "$history") lines kept, not $rounds"
ok "$rounds rounds by clicks and keys: one line each in history.jsonl"

# The review: the last round first, then Left steps back through every other one; each is drawn
# afresh, and Left at the first stays there.
whole="${window_width}x${window_height}+0+0"
shot table
press v
until_shows "$whole" DIFFER "$(digest table "$whole")" || fail "V did not open the review"
shot review_last
[ -z "$shots" ] || { mkdir -p "$shots" && convert "$work/review_last.miff" "$shots/review.png"; }
previous=$(digest review_last "$whole")
for step in $(seq $((rounds - 1))); do
    quick_keys Left
    until_shows "$whole" DIFFER "$previous" || fail "Left did not step back to round $((rounds - step))"
    previous=$(digest now "$whole")
done
cp "$work/now.miff" "$work/review_first.miff"
[ -z "$shots" ] || convert "$work/review_first.miff" "$shots/review-first.png"
press Left
sleep 0.5
shot past_first
[ "$(digest past_first "$whole")" = "$previous" ] || fail "Left went past the first round"
ok "V opens the review; Left steps back through all $rounds rounds and stops at the first"
press Escape
until_shows "$whole" WANT "$(digest table "$whole")" || fail "Escape did not close the review"
ok "Escape closes the review, and the table is as it was"

close_window
ended_with_zero "close after the rounds kept"
launch again
move_away
sleep 1
close_window
ended_with_zero "the second start"
[ "$(lines_in "$history")" -eq "$rounds" ] || fail "after a second start $(lines_in "$history") lines"
[ ! -e "$history.torn" ] || fail "a whole history was set aside as torn"
grep -qx 'keeping = on' "$BLACKJACK_PREFS_DIR/choices.txt" || fail "keeping was not remembered"
ok "closed and started again: keeping is on and the $rounds lines are all there"

# Every decision confirmed from its own cards, and the career added up.
"$sim" --check-history "$history" >"$work/check.out" 2>&1 || {
    cat "$work/check.out" >&2
    fail "blackjack-sim --check-history found decisions that do not agree"
}
decisions=$(sed -n 's/^\([0-9]*\) of \1 decisions agree$/\1/p' "$work/check.out")
[ -n "$decisions" ] && [ "$decisions" -ge "$rounds" ] ||
    fail "--check-history said: $(cat "$work/check.out")"
grep -q '"chosen":"split"' "$history" || fail "no split among the rounds"
grep -q '"chosen":"double"' "$history" || fail "no double among the rounds"
ok "blackjack-sim --check-history confirms all $decisions decisions, splits and doubles among them"

"$sim" --career "$history" >"$work/career.out" || fail "blackjack-sim --career failed"
# The first ledger is the whole file's: net = edge + decisions + luck, in dollars and cents.
read -r net edge choices luck < <(sed -n \
    's/^ *net \(-\{0,1\}[0-9.]*\) = table.s edge \(-\{0,1\}[0-9.]*\) + decisions \(-\{0,1\}[0-9.]*\) + luck \(-\{0,1\}[0-9.]*\)$/\1 \2 \3 \4/p' \
    "$work/career.out" | head -n 1)
[ -n "${luck:-}" ] || { cat "$work/career.out" >&2; fail "--career printed no ledger"; }
cents() { awk -v d="$1" 'BEGIN { printf "%d\n", (d < 0 ? d * 100 - 0.5 : d * 100 + 0.5) }'; }
[ $(($(cents "$edge") + $(cents "$choices") + $(cents "$luck"))) -eq "$(cents "$net")" ] ||
    fail "--career: $edge + $choices + $luck is not the net $net"
wallet=$(tail -n 1 "$history" | sed -n 's/.*"wallet":\([0-9]*\).*/\1/p')
[ "$(cents "$net")" -eq $(((wallet - 1000) * 100)) ] ||
    fail "--career's net $net is not the wallet's change, $wallet - 1000"
grep -q "rounds $rounds:" "$work/career.out" || fail "--career did not count $rounds rounds"
ok "--career: net $net = edge $edge + decisions $choices + luck $luck, the wallet's change"

# --- 40 drills with keeping on: blackjack --drill, answered by keys --------------------------------
drills=40
before=$(lines_in "$history")
plain=("${game[@]}")
game+=(--drill)
launch drills
game=("${plain[@]}")
sleep 0.5
for answer in $(seq "$drills"); do
    if [ $((answer % 3)) -eq 0 ]; then quick_keys h; else quick_keys s; fi
    until_lines $((before + answer)) || fail "drill $answer was not kept"
done
press Escape
close_window
ended_with_zero "close after the drills"
[ "$(grep -c '"drill":true' "$history")" -eq "$drills" ] ||
    fail "$(grep -c '"drill":true' "$history") drills kept, not $drills"
"$sim" --check-history "$history" >"$work/check.out" 2>&1 || {
    cat "$work/check.out" >&2
    fail "blackjack-sim --check-history found drill answers that do not agree"
}
! grep -q '"cost":-' "$history" || fail "a negative cost"
# A single deck's own exception: the best play with the seen cards is not the full pack's.
exceptions=$(grep '"drill":true' "$history" |
    sed -n 's/.*"best":"\([a-z]*\)".*"packBest":"\([a-z]*\)".*/\1 \2/p' |
    awk '$1 != $2 { n++ } END { print n + 0 }')
[ "$exceptions" -ge 8 ] || fail "only $exceptions of the $drills drills were a single deck's exceptions"
"$sim" --career "$history" >"$work/career.out" || fail "blackjack-sim --career failed"
grep -q "drills: $drills answered" "$work/career.out" || fail "--career did not count the drills apart"
ok "blackjack --drill: $drills answers by keys kept and confirmed, $exceptions on a single deck's exceptions"
