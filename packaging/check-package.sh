#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Debian package from a release build and checks it as the distribution would:
# lintian (no errors), desktop-file-validate on its menu entry and appstreamcli on its
# metadata. Prints the package's name on the last line.
# Usage: packaging/check-package.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}

rm -f "$build"/velmor_*.deb
if ! (cd "$build" && cpack -G DEB >cpack.log 2>&1); then
    cat "$build/cpack.log" >&2
    exit 1
fi
deb=$(ls "$build"/velmor_*.deb)

contents="$build/package-contents"
rm -rf "$contents"
dpkg-deb -x "$deb" "$contents"

echo "lintian $deb"
status=0
report=$(lintian --fail-on error --display-level '>=warning' "$deb" 2>&1) || status=$?
grep -v 'running with root' <<<"$report" || true
if [ "$status" -ne 0 ]; then
    echo "lintian found errors in the package" >&2
    exit 1
fi

for desktop in "$contents"/usr/share/applications/*.desktop; do
    desktop-file-validate "$desktop"
done
for metainfo in "$contents"/usr/share/metainfo/*.xml; do
    appstreamcli validate --no-net "$metainfo"
done
echo "$deb"
