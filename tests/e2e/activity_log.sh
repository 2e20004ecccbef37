#!/usr/bin/env bash
# The real binary, headless: the activity log window tidies Histo.txt, and its
# question window is printed and answered like any question box.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/app"
printf '  14:05:33    09.12.2026    000    LE1   Alarm LFC \r\n\r\nshort\r\n' >"$work/app/Histo.txt"
cat >"$work/histo.txt" <<'SCRIPT'
wait 300
click Log.mnuhisto
wait 300
dump Histo.List1
click Histo.mnuEffLeFichier
answer No
click Histo.mnuEffLeFichier
answer Yes
dump Histo.List1
quit
SCRIPT
out=$(timeout 30 "$bin" --headless --app-folder "$work/app" --script "$work/histo.txt") \
  || fail "activity log script exited $?"
grep -qxF 'Histo.List1[3]="    14:05:33    09.12.2026    000    LE1  Alarm LFC "' <<<"$out" \
  || fail "the record was not tidied: $out"
box='box " Warning" "Are you sure you want to delete the entire file" [Yes No]'
[[ $(grep -cxF "$box" <<<"$out") -eq 2 ]] || fail "expected the question twice in: $out"
grep -q '^Histo.List1 listbox .* items=0 ' <<<"$out" || fail "the list was not cleared: $out"
[[ -f "$work/app/Histo.txt" && ! -s "$work/app/Histo.txt" ]] || fail "Histo.txt was not emptied"
echo "activity_log: ok"
