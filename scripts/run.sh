#!/usr/bin/env bash
# Installs what is missing, builds Numsift (Release, in build/) and starts
# the window; without a display, run-window.sh says so and names the
# alternatives.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNUMSIFT_TESTS=OFF -DNUMSIFT_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target numsift numsift-cli
exec scripts/run-window.sh --build-dir build "$@"
