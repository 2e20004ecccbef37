#!/usr/bin/env bash
# The real binary, headless, on pseudo-terminals mapped to COM3 and COM4 by
# links under <app folder>/dev: the port window refuses a port above 14, its
# OK saves ParamComx.ini and opens the ticked ports at 19200 8N1 with
# XON/XOFF, a pseudo-terminal that goes away is dropped without a crash or a
# busy loop, and unticking a port closes it.
set -euo pipefail
bin=$1
if ! command -v socat >/dev/null; then
  echo "serial_ports: skipped, socat is not installed"
  exit 0
fi
work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [[ -f $work/out ]] && sed 's/^/  | /' "$work/out" >&2; exit 1; }

# Polls `cmd` every 50 ms for up to `tenths` tenths of a second.
until_true() {
  local tenths=$1; shift
  for ((k = 0; k < tenths * 2; k++)); do
    if "$@"; then return 0; fi
    sleep 0.05
  done
  return 1
}

mkdir -p "$work/app/dev"
for n in 3 4; do
  socat pty,raw,echo=0,link="$work/app/dev/COM$n" pty,raw,echo=0,link="$work/fadec$n" \
    2>"$work/socat$n.log" &
  pids+=($!)
done
socat3=${pids[0]}
socat4=${pids[1]}
until_true 50 test -e "$work/app/dev/COM3" -a -e "$work/app/dev/COM4" -a -e "$work/fadec3" \
  -a -e "$work/fadec4" || fail "socat made no pseudo-terminals"
pts3=$(readlink -f "$work/app/dev/COM3")
pts4=$(readlink -f "$work/app/dev/COM4")

cat >"$work/script.txt" <<'SCRIPT'
wait 5000
click Log.ActiveDesactiveRS232
set ConfigurationRS232.Text1(0) 3
check ConfigurationRS232.Check1(0) 1
set ConfigurationRS232.Text1(1) 4
check ConfigurationRS232.Check1(1) 1
set ConfigurationRS232.Text1(2) 15
wait 300
answer OK
dump ConfigurationRS232.Text1(2)
click ConfigurationRS232.Command1
wait 100
dump Log.mnuFadecParameters
wait 12000
click Log.ActiveDesactiveRS232
check ConfigurationRS232.Check1(0) 0
click ConfigurationRS232.Command1
wait 200
dump Log.mnuTestMateriel
wait 3000
quit
SCRIPT
"$bin" --headless --app-folder "$work/app" --script "$work/script.txt" >"$work/out" 2>&1 &
pid=$!
pids+=("$pid")

holds() {  # holds PTS: the program has that terminal open
  local f
  for f in /proc/"$pid"/fd/*; do
    [[ $(readlink "$f" 2>/dev/null) == "$1" ]] && return 0
  done
  return 1
}
seen() { grep -qF -- "$1" "$work/out"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
# The line settings while the program holds COM3 (the port test closes an
# unsynchronised port for one second in three).
settled() {
  holds "$pts3" && holds "$pts4" || return 1
  local s
  s=" $(stty -F "$work/app/dev/COM3" -a 2>/dev/null | tr '\n;' '  ') "
  holds "$pts3" || return 1
  [[ $s == *" speed 19200 baud "* && $s == *" cs8 "* && $s == *" -parenb "* \
     && $s == *" -cstopb "* && $s == *" ixon "* && $s == *" ixoff "* ]]
}

until_true 100 seen 'Log.mnuFadecParameters menu' || fail "the script did not reach OK"
seen 'box " Warning! " "Port numbers 1 to 14 (max) " [OK]' || fail "port 15 was not refused"
seen 'ConfigurationRS232.Text1(2) textbox text="0"' || fail "the refused field is not 0"
seen 'Log.mnuFadecParameters menu caption="FADEC Parameters" visible=1 enabled=1' \
  || fail "the FADEC menus were not enabled by the open ports"
printf '"%s"\r\n' 3 1 4 1 0 0 0 0 0 0 0 0 >"$work/expected"
cmp -s "$work/expected" "$work/app/ParamComx.ini" \
  || fail "ParamComx.ini after OK: $(od -c "$work/app/ParamComx.ini")"
until_true 60 settled || fail "COM3 not held at 19200 8N1 XON/XOFF: $(stty -F "$work/app/dev/COM3" -a)"

# The far end of COM4 goes away, as a USB adapter pulled out.
kill "$socat4"
until_true 30 bash -c "! [[ -e /proc/$pid/fd ]] || ! ls -l /proc/$pid/fd | grep -qF '$pts4'" \
  || fail "COM4 was not dropped when its device went away"
kill -0 "$pid" 2>/dev/null || fail "the program ended when COM4 went away"
before=$(cpu_ticks)
sleep 2
after=$(cpu_ticks)
# A busy loop would take nearly all of the 200 ticks of those two seconds.
((after - before < 60)) || fail "the program is busy after COM4 went away: $((after - before)) ticks in 2 s"

until_true 150 seen 'Log.mnuTestMateriel menu' || fail "the script did not reach the second OK"
seen 'Log.mnuTestMateriel menu caption="Hardward Tests" visible=1 enabled=0' \
  || fail "the FADEC menus stay enabled with no port open"
holds "$pts3" && fail "COM3 still open after it was unticked"
printf '"%s"\r\n' 3 0 4 1 0 0 0 0 0 0 0 0 >"$work/expected"
cmp -s "$work/expected" "$work/app/ParamComx.ini" \
  || fail "ParamComx.ini after the second OK: $(od -c "$work/app/ParamComx.ini")"

set +e
wait "$pid"
status=$?
set -e
[[ $status -eq 0 ]] || fail "the program exited $status"
kill -0 "$socat3" 2>/dev/null || fail "socat of COM3 ended early"
echo "serial_ports: ok"
