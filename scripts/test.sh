#!/usr/bin/env bash
# Builds everything and runs every test (unit, scenario, Qt and end-to-end),
# then the unit and scenario tests once more under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
ctest --preset default
cmake --preset debug >/dev/null
cmake --build --preset sanitizers -j "$(nproc)"
ctest --preset sanitizers
