# Sourced by the command-line checks. Sets failed=0; each failing check sets it to 1.
failed=0

# expect STATUS TEXT COMMAND...: runs COMMAND, checks its status and that stderr holds TEXT.
expect() {
    local want=$1 text=$2
    shift 2
    local err
    err=$("$@" 2>&1 >/dev/null)
    local got=$?
    if [[ $got != "$want" || $err != *"$text"* ]]; then
        echo "FAIL: $* -> status $got (want $want), stderr lacks \"$text\":" >&2
        echo "$err" | head -5 >&2
        failed=1
    fi
}
