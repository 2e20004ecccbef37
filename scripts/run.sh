#!/usr/bin/env bash
# Builds lecontrol and starts it: with windows when a display is available,
# headless otherwise. Arguments go to the program (see `--help`); without any,
# it starts the demo cabinet.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
# No arguments: the demo cabinet, so the program can be seen without a FADEC.
args=("$@")
if ((${#args[@]} == 0)); then
  args=(--demo)
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  args=(--headless "${args[@]}")
fi
exec build/default/lecontrol "${args[@]}"
