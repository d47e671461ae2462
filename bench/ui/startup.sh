#!/usr/bin/env bash
# Start-up time and peak memory of the real game, measured while the end-to-end script plays it
# under Xvfb. Each launch of the game goes through frame_probe, which notes the time from process
# start to the first frame the game presents and the game's peak resident memory. The end-to-end
# script launches the game three times per run: a whole round (START, a chip, DEAL, STAND, then a
# close request), START and EXIT, and a close on the menu.
#
# Usage: bench/ui/startup.sh [RUNS]            (default 5 runs, from the repository's root)
# Environment: BUILD_DIR (default build), the build tree with run/, bench/ui/frame_probe,
# tests/e2e/wm_close and tests/e2e/layout.sh built.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${BUILD_DIR:-$root/build}" && pwd)
runs=${1:-5}
probe="$build/bench/ui/frame_probe"
for f in "$probe" "$build/tests/e2e/wm_close" "$build/run/blackjack"; do
    [ -x "$f" ] || { echo "startup.sh: $f is not built" >&2; exit 1; }
done
[ -f "$build/tests/e2e/layout.sh" ] || { echo "startup.sh: $build/tests/e2e/layout.sh is not built" >&2; exit 1; }

out=$(mktemp)
trap 'rm -f "$out"' EXIT
for run in $(seq "$runs"); do
    echo "run $run of $runs" >&2
    (cd "$build/run" &&
        BLACKJACK_WM_CLOSE="$build/tests/e2e/wm_close" BLACKJACK_LAYOUT="$build/tests/e2e/layout.sh" \
            bash "$root/tests/e2e/play.sh" "$probe" "$out" -- ./blackjack >/dev/null)
done

# Lines 1, 4, 7, ... are the launches that played a round.
awk '
    function sorted(a, n,    i, j, t) {
        for (i = 2; i <= n; i++)
            for (j = i; j > 1 && a[j-1] > a[j]; j--) { t = a[j]; a[j] = a[j-1]; a[j-1] = t }
    }
    function median(a, n) { return n % 2 ? a[(n+1)/2] : (a[n/2] + a[n/2+1]) / 2 }
    {
        for (i = 1; i <= NF; i++) { split($i, kv, "="); v[kv[1]] = kv[2] }
        if (v["status"] != 0) bad++
        if (v["first_frame_ms"] != "none") ms[++nms] = v["first_frame_ms"] + 0
        else missed++
        if (NR % 3 == 1) rss[++nrss] = v["peak_rss_kb"] + 0
    }
    END {
        sorted(ms, nms); sorted(rss, nrss)
        printf "launches: %d (%d runs), first frame seen in %d, non-zero exits: %d\n",
            NR, NR / 3, nms, bad + 0
        printf "process start to first presented frame: median %.1f ms, min %.1f ms, max %.1f ms\n",
            median(ms, nms), ms[1], ms[nms]
        printf "peak resident memory, launches that played a round: " \
            "median %.1f MiB, min %.1f MiB, max %.1f MiB\n",
            median(rss, nrss) / 1024, rss[1] / 1024, rss[nrss] / 1024
    }' "$out"
