#!/usr/bin/env bash
# End-to-end measure of the link: lecontrol, headless, against six fadec-sim
# FADECs on pseudo-terminals that send each status frame as soon as the
# previous one was answered. Prints per port the frames, answers and answer
# delays (measured by fadec-sim from the last status character to the end of
# the answer's arrival... see fadec-sim --stats), and the program's CPU use
# and peak memory.
#
# Usage: bench/link_end_to_end.sh BUILD_DIR [SECONDS]   (default 600)
set -euo pipefail
build=${1:?build folder, e.g. build/default}
seconds=${2:-600}
work=$(mktemp -d)
trap 'kill $sim $prog 2>/dev/null || true; rm -rf "$work"' EXIT

app=$work/app
mkdir -p "$app"
"$build/tools/fadec-sim" --count 6 --dir "$app/dev" --eager --stats >"$work/sim.out" 2>&1 &
sim=$!
for _ in $(seq 50); do [[ -e $app/dev/COM6 ]] && break; sleep 0.1; done

# LE n on COMn, all six activated.
: >"$app/ParamComx.ini"
for n in 1 2 3 4 5 6; do printf '"%s"\r\n"1"\r\n' "$n" >>"$app/ParamComx.ini"; done
cat >"$work/run.txt" <<SCRIPT
wait 3500
click Log.ActiveDesactiveRS232
click ConfigurationRS232.Command1
wait $((seconds * 1000))
quit
SCRIPT
"$build/lecontrol" --headless --app-folder "$app" --script "$work/run.txt" >"$work/prog.out" 2>&1 &
prog=$!
sleep 10  # connected and running
ticks() { awk '{print $14 + $15}' "/proc/$prog/stat"; }
wakeups() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$prog/status"; }
t0=$(ticks); w0=$(wakeups); s0=$(date +%s.%N)
sleep $((seconds - 12))
t1=$(ticks); w1=$(wakeups); s1=$(date +%s.%N)
hwm=$(awk '/VmHWM/ {print $2}' "/proc/$prog/status")
rss=$(awk '/VmRSS/ {print $2}' "/proc/$prog/status")
wait $prog || true
kill -INT $sim; wait $sim || true
hz=$(getconf CLK_TCK)
cat "$work/sim.out"
awk -v t0="$t0" -v t1="$t1" -v s0="$s0" -v s1="$s1" -v hz="$hz" -v hwm="$hwm" -v rss="$rss" \
    -v w0="$w0" -v w1="$w1" 'BEGIN {
  printf "lecontrol: CPU %.2f %% of one core over %.0f s; %.0f wake-ups a second; " \
         "memory peak %.1f MB, now %.1f MB\n",
         100 * (t1 - t0) / hz / (s1 - s0), s1 - s0, (w1 - w0) / (s1 - s0), hwm / 1024, rss / 1024 }'
