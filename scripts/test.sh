#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Velmor twice (optimised, and with AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs every test of both builds; makes the Debian package from the first and checks it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

jobs=$(nproc)

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/release --output-on-failure -j "$jobs"
packaging/check-package.sh build/release

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMOR_SANITIZE=ON \
    -DVELMOR_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
