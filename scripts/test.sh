#!/usr/bin/env bash
# Builds everything and runs every test (unit, scenario, Qt and end-to-end).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
ctest --preset default
