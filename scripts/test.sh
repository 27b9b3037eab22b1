#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors under
# AddressSanitizer + UndefinedBehaviorSanitizer, runs the whole test suite
# (logic, widget, command-line and fuzz tests) and checks the formatting.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=$(nproc)
build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-O1" \
  -DNUMSIFT_WERROR=ON -DNUMSIFT_SANITIZE=ON -DNUMSIFT_BENCH=ON
cmake --build "$build" -j"$jobs"

# The fuzz targets need clang's libFuzzer: a build of their own.
fuzzbuild=build-fuzz
CXX=clang++ cmake -S . -B "$fuzzbuild" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS="-O1" \
  -DNUMSIFT_FUZZ=ON -DNUMSIFT_GUI=OFF -DNUMSIFT_TESTS=OFF -DNUMSIFT_BENCH=OFF
cmake --build "$fuzzbuild" -j"$jobs" --target numsift_fuzzers

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=offscreen

ctest --test-dir "$build" --output-on-failure --no-tests=error -j"$jobs"
ctest --test-dir "$fuzzbuild" --output-on-failure --no-tests=error -L fuzz

scripts/check-format.sh
