#!/usr/bin/env bash
# A start from the LE table over a real serial path: the real binary, headless,
# against a simulated FADEC on a pseudo-terminal. The test box's "normal", the
# parameter read and its confirmation, then the start order, the green Start
# cell, the record, and the FADEC leaving phase 0.
set -euo pipefail
bin=$1
sim="$(dirname "$bin")/tools/fadec-sim"
work=$(mktemp -d)
pid=
cleanup() {
  if [[ -n $pid ]]; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

app=$work/app
mkdir -p "$app"
"$sim" --count 1 --dir "$app/dev" >"$work/sim.txt" 2>&1 &
pid=$!
for _ in $(seq 200); do [[ -e $app/dev/COM1 ]] && break; sleep 0.05; done
[[ -e $app/dev/COM1 ]] || fail "fadec-sim not ready: $(cat "$work/sim.txt")"

# LE-1 on COM1, activated; the other engines without a port.
printf '"1"\r\n"1"\r\n' >"$app/ParamComx.ini"
for _ in 2 3 4 5 6; do printf '"0"\r\n"0"\r\n' >>"$app/ParamComx.ini"; done

cat >"$work/start.txt" <<'SCRIPT'
wait 3500
click Log.ActiveDesactiveRS232
click ConfigurationRS232.Command1
wait 1500
click Log.Label26(0)
click Log.Label27(0)
wait 300
dump Log.Label27(0)
click BoiteStartTest.CmdNormal
wait 1200
dump OKTransfert.Label1
wait 3000
dump Log.Label27(0)
wait 2000
dump Log.Label29(0)
quit
SCRIPT
out=$(timeout 60 "$bin" --headless --app-folder "$app" --script "$work/start.txt") \
  || fail "script exited $?: $out"
dumps=$(grep -E '^(Log|OKTransfert)\.' <<<"$out")

light_blue='back=&H00FF8080&'
green='back=&H0000FF00&'
line() { sed -n "$1p" <<<"$dumps"; }
[[ $(line 1) == *"$light_blue"* ]] || fail "Start cell while the box waits: $(line 1)"
[[ $(line 2) == *'caption="Reading the settings on LE1 went well ! "'* ]] \
  || fail "confirmation: $(line 2)"
[[ $(line 3) == *"$green"* ]] || fail "Start cell after the read: $(line 3)"
[[ $(line 4) =~ caption=\"([0-9]+)\" ]] || fail "phase cell: $(line 4)"
[[ ${BASH_REMATCH[1]} != 0 ]] || fail "the FADEC is still in phase 0: $(line 4)"
grep -q $'LE1  Starting LE \r$' "$app/Histo.txt" || fail "no start record: $(cat "$app/Histo.txt")"
echo "engine_start: ok"
