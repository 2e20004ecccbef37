#!/usr/bin/env bash
# Builds lecontrol and starts it: with windows when a display is available,
# headless otherwise. Arguments go to the program (see `--help`).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
args=("$@")
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  args=(--headless "${args[@]}")
fi
exec build/default/lecontrol "${args[@]}"
