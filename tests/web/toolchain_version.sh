#!/usr/bin/env bash
# The toolchain's version, which keys the web libraries' cache (scripts/build-web-deps), read RUNS
# times in a row (default 50) through SCRIPT (scripts/emscripten-version): every run must succeed
# and print the same version. Read through `emcc --version | head -n 1` under pipefail, emcc died
# of a broken pipe now and then (1 run in 20 here), which failed `make web` on a fresh clone.
#
# Usage: toolchain_version.sh SCRIPT [RUNS]
set -euo pipefail

script=$1
runs=${2:-50}
first=""
for run in $(seq "$runs"); do
    version=$("$script") || { echo "run $run of $runs failed" >&2; exit 1; }
    [[ "$version" =~ ^[0-9]+(\.[0-9]+)+$ ]] ||
        { echo "run $run of $runs printed \"$version\", no version" >&2; exit 1; }
    [ -z "$first" ] || [ "$version" = "$first" ] ||
        { echo "run $run of $runs printed $version, run 1 $first" >&2; exit 1; }
    first=$version
done
echo "# Emscripten $first, read $runs times in a row without a failure"
