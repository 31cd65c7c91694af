#!/usr/bin/env bash
# The demo on loopback: --demo starts the simulator that sits next to the program, the scan
# lists its six devices (six tab-separated texts each), and the simulator is gone when the
# program ends, after a scan as well as after SIGTERM.
# usage: test_app_demo.sh <lanorix binary> <devsim binary>
set -u
lanorix=$1
devsim=$2
if [[ "$(cd "$(dirname "$lanorix")" && pwd)" != "$(cd "$(dirname "$devsim")" && pwd)" ]]; then
  echo "skipped: the simulator is not next to the program"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  for f in "$work"/*; do [[ -f "$f" ]] && { echo "--- $f"; cat "$f"; }; done
  exit 1
}
# Non-default ports, so that a real program or another test run is not disturbed.
local_port=$((20000 + RANDOM % 20000))
device_port=$((local_port + 1))
simulator_running() { pgrep -f -- "devsim --bind 0.0.0.0 --port $device_port" >/dev/null; }

QT_QPA_PLATFORM=offscreen timeout 60 "$lanorix" --demo --scan --local-port "$local_port" \
  --device-port "$device_port" >"$work/scan.out" 2>"$work/scan.err" ||
  fail "lanorix --demo --scan failed"
[[ $(wc -l <"$work/scan.out") -eq 6 ]] || fail "the scan did not list six devices"
awk -F'\t' 'NF != 6 { bad = 1 } END { exit bad }' "$work/scan.out" ||
  fail "a row has not six texts"
sleep 0.5
simulator_running && fail "the simulator outlived the scan"

QT_QPA_PLATFORM=offscreen "$lanorix" --demo --local-port "$local_port" \
  --device-port "$device_port" >"$work/run.out" 2>"$work/run.err" &
pid=$!
for _ in $(seq 50); do simulator_running && break; sleep 0.1; done
simulator_running || fail "the demo did not start the simulator"
sleep 1
kill -TERM "$pid"
wait "$pid"
status=$?
[[ $status -eq 143 ]] || fail "lanorix ended with status $status after SIGTERM"
sleep 0.5
simulator_running && fail "the simulator outlived the program"
echo "ok: the demo finds its six simulated devices and takes the simulator with it"
