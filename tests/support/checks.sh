# Sourced by the shell tests: each check that passes is one numbered "ok" line, and the first that
# fails ends the test with a "FAIL" line on standard error and status 1. A test that has more to
# show when it fails (logs, screenshots) defines on_fail, which runs just before the exit.

step=0

# ok WHAT: one more check passed.
ok() {
    step=$((step + 1))
    echo "ok $step - $*"
}

# fail WHAT: the test fails here.
fail() {
    echo "FAIL - $*" >&2
    if declare -F on_fail >/dev/null; then
        on_fail || true
    fi
    exit 1
}

# passed: the closing line, once every check has passed.
passed() {
    echo "$step passed, 0 failed"
}
