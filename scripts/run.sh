#!/usr/bin/env bash
# Builds Velmor (optimised) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$(nproc)" --target velmor-cli
exec build/release/bin/velmor-cli eclipses --from now --next --count 10
