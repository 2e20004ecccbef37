#!/usr/bin/env bash
# The real binary, headless: a first start fills an empty folder, Connect is
# enabled after the initialisation, and Quit asks before it ends the program.
set -euo pipefail
bin=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cat >"$work/quit.txt" <<'SCRIPT'
wait 5000
dump Log.ActiveDesactiveRS232
click Log.mnuQuit
answer No
wait 100
click Log.mnuQuit
answer Yes
SCRIPT
out=$(timeout 30 "$bin" --headless --app-folder "$work/app" --script "$work/quit.txt") \
  || fail "quit script exited $?"
box='box " Warning!" "Are you sure you want to exit the program!" [Yes No]'
[[ $(grep -cxF "$box" <<<"$out") -eq 2 ]] || fail "expected the quit question twice in: $out"
grep -q 'caption="Connect/Disconnect" visible=1 enabled=1 .*back=&H004DFF6B&' <<<"$out" \
  || fail "Connect/Disconnect not enabled: $out"
for f in ConsignePW.ini StatusHalogen.ini ParamComx.ini Consigne.ini ConsSliderLCF.ini NS.ini \
         TypeFile.ini CocheSelect.ini Coefficients.ini StartHalogen.ini Histo.txt ParamSt.ini \
         ParamLogStart.ini SHTConsigne.ini SHTPCStatusHal.ini system/Name.inc; do
  [[ -f "$work/app/$f" ]] || fail "$f was not created"
done
for d in Img Screen Datalogger; do
  [[ -d "$work/app/$d" ]] || fail "folder $d was not created"
done
[[ $(stat -c %a "$work/app/system/Name.inc") == 600 ]] || fail "Name.inc is readable by others"
echo "startup_quit: ok"
