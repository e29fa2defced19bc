#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a fresh prefix; the programs, run elsewhere through their links in
# bin/, must find the world data beside their real files.
# Usage: install_tree_test.sh BUILD_DIR WORK_DIR [gui]
set -u
build=$1 work=$2 gui=${3:-}
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$work"
mkdir -p "$work/elsewhere"
prefix=$work/prefix
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log" >&2
    exit 1
fi

programs=(velmor-cli)
[ "$gui" = gui ] && programs+=(velmor)

# The layout: the programs with the four data files in lib/velmor, relative links in bin.
expected=$(printf '%s\n' WORLD.CIT WORLD.LAN WORLD.RIV WORLD.WAT "${programs[@]}" | sort)
[ "$(ls "$prefix/lib/velmor" | sort)" = "$expected" ] ||
    fail "lib/velmor holds: $(ls "$prefix/lib/velmor" | tr '\n' ' ')"
for program in "${programs[@]}"; do
    [ "$(readlink "$prefix/bin/$program")" = "../lib/velmor/$program" ] ||
        fail "bin/$program is not the relative link ../lib/velmor/$program"
done

# The programs, run from a folder without data.
cd "$work/elsewhere" || exit 1
png_magic=$(printf '\211PNG\r\n\032\n' | od -An -tx1)
check_cli() {  # how: a label; the rest: the command that starts velmor-cli
    local how=$1
    shift
    local listing
    listing=$("$@" eclipses --from 2024-01-01 --next) || fail "$how: eclipses failed"
    grep -q '^2024,4,8,18,18,55,-127,Total,' <<<"$listing" ||
        fail "$how: eclipses printed: $listing"
    if [ "$gui" = gui ]; then
        rm -f x.png
        "$@" map --from 2024-01-01 --next -o x.png || fail "$how: map failed ($?)"
        [ "$(head -c 8 x.png 2>/dev/null | od -An -tx1)" = "$png_magic" ] ||
            fail "$how: map wrote no PNG"
    fi
}
check_cli "bin link" "$prefix/bin/velmor-cli"
check_cli "found on PATH" env PATH="$prefix/bin:$PATH" velmor-cli

# Without its data the desktop program stops at once with status 3; with it, 0 on SIGTERM.
if [ "$gui" = gui ]; then
    QT_QPA_PLATFORM=offscreen timeout --preserve-status -s TERM 3 "$prefix/bin/velmor" \
        >/dev/null 2>"$work/velmor.err"
    status=$?
    [ "$status" -eq 0 ] || fail "velmor through its link: status $status: $(cat "$work/velmor.err")"
fi

[ "$failures" -eq 0 ] && echo "install tree: all checks passed"
exit $((failures > 0))
