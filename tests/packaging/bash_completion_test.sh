#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The bash completion offers exactly the commands and options velmor-cli's --help names.
# Usage: bash_completion_test.sh COMPLETION_SCRIPT VELMOR_CLI WORK_DIR
set -u
script=$1 cli=$2 work=$3
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# shellcheck source=/dev/null
source "$script"

offers() {
    COMP_WORDS=(velmor-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _velmor_cli
    printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort -u | tr '\n' ' '
}
options_in() {
    grep -oE '(^|[^[:alnum:]-])--?[[:alpha:]][[:alnum:]-]*' | sed -E 's/^[^-]*//' |
        sort -u | tr '\n' ' '
}

commands=$("$cli" --help | awk 'tolower($0) ~ /commands:/ { on = 1; next }
    on && /^[[:space:]]*$/ { on = 0 } on && /^[[:space:]]+[[:alpha:]]/ { print $1 }' | sort)
[ -n "$commands" ] || fail "no commands found in velmor-cli --help"
expected=$(printf '%s\n' $commands --help --version | sort -u | tr '\n' ' ')
[ "$(offers '')" = "$expected" ] || fail "commands: offered '$(offers '')', expected '$expected'"

for command in $commands; do
    expected=$("$cli" "$command" --help | { cat; echo ' --help'; } | options_in)
    [ "$(offers "$command" -)" = "$expected" ] ||
        fail "$command: offered '$(offers "$command" -)', its help names '$expected'"
done

rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
touch eclipse.png eclipse.geojson notes.txt
while IFS='|' read -r line expected; do
    # shellcheck disable=SC2086
    got=$(offers $line)
    [ "$got" = "$expected" ] || fail "velmor-cli $line: offered '$got', expected '$expected'"
done <<'TABLE'
map --from n|now 
paths --count 3 -o ecl|eclipse.geojson eclipse.png 
paths --jde 2|
TABLE

[ "$failures" -eq 0 ] && echo "bash completion: all checks passed"
exit $((failures > 0))
