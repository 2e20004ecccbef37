#!/usr/bin/env bash
# Builds everything and runs every test: a short run of every fuzz target from
# its committed seeds, the unit and scenario tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the whole suite (unit, scenario, Qt and
# end-to-end) on the normal build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
cmake --preset debug >/dev/null
cmake --build --preset sanitizers -j "$(nproc)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)"
ctest --preset fuzz
ctest --preset sanitizers
ctest --preset default
