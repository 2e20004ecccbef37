#!/usr/bin/env bash
# The real binary, headless, driven by scripts: dumps, the error rule, and the
# hint given when there is no display.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

printf 'dump Log\nquit\n' >"$work/ok.txt"
out=$(timeout 30 "$bin" --headless --app-folder "$work/app" --script "$work/ok.txt") \
  || fail "dump script exited $?"
grep -q '^Log form caption=' <<<"$out" || fail "no Log form line in: $out"

printf 'click Log.NoSuchControl\n' >"$work/bad.txt"
set +e
err=$(timeout 30 "$bin" --headless --app-folder "$work/app" --script "$work/bad.txt" 2>&1 >/dev/null)
status=$?
set -e
[[ $status -eq 2 ]] || fail "bad control: status $status, expected 2"
[[ $err == "script line 1: "* ]] || fail "bad control: stderr was: $err"

set +e
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 30 "$bin" \
      --app-folder "$work/app" 2>&1)
status=$?
set -e
[[ $status -ne 0 ]] || fail "no display: exited 0"
[[ $(wc -l <<<"$err") -eq 1 && $err == *--headless* ]] || fail "no display: hint was: $err"
echo "headless_script: ok"
