#!/usr/bin/env bash
# fadec-sim serves FADEC status frames on pseudo-terminals linked as DIR/COMn,
# and takes its links away when it is stopped.
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

[[ -x $sim ]] || fail "no fadec-sim beside lecontrol: $sim"
"$sim" --count 2 --dir "$work/dev" >"$work/out.txt" 2>&1 &
pid=$!

# Ready once it has printed one line per port.
for _ in $(seq 200); do
  [[ $(grep -c ' -> ' "$work/out.txt" || true) -eq 2 ]] && break
  kill -0 "$pid" 2>/dev/null || fail "fadec-sim ended early: $(cat "$work/out.txt")"
  sleep 0.05
done
[[ $(grep -c ' -> ' "$work/out.txt" || true) -eq 2 ]] || fail "not ready: $(cat "$work/out.txt")"

for n in 1 2; do
  link="$work/dev/COM$n"
  [[ -L $link ]] || fail "no link $link"
  grep -qx "COM$n -> $(readlink "$link")" "$work/out.txt" || fail "COM$n line: $(cat "$work/out.txt")"
  stty -F "$link" raw 19200
  frame=$(timeout 2 head -c 160 <"$link") || fail "COM$n: no frame within 2 s"
  [[ ${#frame} -eq 160 ]] || fail "COM$n: ${#frame} characters: '$frame'"
  for k in $(seq 0 31); do
    field=${frame:$((k * 5)):5}
    [[ $field =~ ^\ *-?[0-9]+$ ]] || fail "COM$n field $k is '$field' in '$frame'"
  done
  [[ ${frame:150:5} == "  123" ]] || fail "COM$n field 30 is '${frame:150:5}'"
done

kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
[[ $status -eq 0 ]] || fail "fadec-sim exited $status after SIGTERM"
[[ ! -e $work/dev/COM1 && ! -L $work/dev/COM1 && ! -L $work/dev/COM2 ]] || fail "links left behind"
echo "fadec_sim_smoke: ok"
