#!/usr/bin/env bash
# Installs what is missing, configures and builds (through ccache).
# Usage: scripts/build.sh [preset]   (default: "default")
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:-default}
bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
