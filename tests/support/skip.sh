# Sourced by the shell tests: what a test does when a program it needs is not installed.
#
# Such a test prints "skipped: NAME is not installed" and ends with status 77, which CTest reports
# as skipped (the tests' SKIP_RETURN_CODE). Where everything must run (CI: .ci/run sets
# BLACKJACK_REQUIRE_ALL=1) the same reason fails the test instead, so nothing is skipped unseen.

# skip REASON: ends the test as skipped, or as failed when BLACKJACK_REQUIRE_ALL=1.
skip() {
    if [ "${BLACKJACK_REQUIRE_ALL:-0}" = 1 ]; then
        echo "FAIL - $1 (BLACKJACK_REQUIRE_ALL=1: no test may be skipped)" >&2
        exit 1
    fi
    echo "skipped: $1"
    exit 77
}

# require_programs NAME...: skips the test unless every NAME is a command on the PATH.
require_programs() {
    local name
    for name in "$@"; do
        command -v "$name" >/dev/null 2>&1 || skip "$name is not installed"
    done
}
