#!/usr/bin/env bash
# One discovery with the default addressing (255.255.255.255, device port 36, local port 4000)
# reaches the devices on both directly attached segments: each segment's simulator logs
# exactly one request, "QKZ9" and 48 zero bytes from port 4000 of the host's address there,
# and every simulated device's reply comes back: the probe prints each reply, and the
# program's scan lists each device with the texts of its row, in ascending IP order.
# usage: test_discovery_segments.sh <lanorix binary> <devsim binary>
set -u
lanorix=$1
devsim=$2
probe="$(dirname "$devsim")/lanorix_probe"
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=../../scripts/netns.sh
source "$root/scripts/netns.sh"

netns_require_root
work=$(mktemp -d)
trap 'netns_cleanup; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
fail() {
  echo "FAIL: $*"
  for f in "$work"/*; do [[ -f "$f" ]] && { echo "--- $f"; cat "$f"; }; done
  exit 1
}

netns_setup "e2e$$" || fail "cannot set up the namespaces"

cat >"$work/seg1.devices" <<'DEV'
# name | model | ip | mask | gateway | mac | version | password
Seg1-A | 31 | 10.77.1.10 | 255.255.255.0 | 10.77.1.1 | 00-1A-2B-01-00-01 | 1.20 | pw
Seg1-B | 32 | 10.77.1.11 | 255.255.255.0 | 10.77.1.1 | 00-1A-2B-01-00-02 | 2.05 |
 | 31 | 10.77.1.9 | 255.255.255.0 | 10.77.1.1 | 00-1A-2B-01-00-03 | 1A.FF |
hex:4142434445464748494A4B4C4D4E4F5051 | 32 | 10.77.1.100 | 255.255.0.0 | 10.77.1.1 | 00-1A-2B-01-00-04 | 2.05 |
DEV
cat >"$work/seg2.devices" <<'DEV'
Seg2-A | 31 | 10.77.2.10 | 255.255.255.0 | 10.77.2.1 | 00-1A-2B-02-00-01 | 1.20 | pw
Seg2-B | 7 | 10.77.2.11 | 255.255.255.0 | 10.77.2.1 | 00-1A-2B-02-00-02 | 1.00 |
50%,off | 32 | 10.77.2.9 | 255.255.255.0 | 10.77.2.1 | 00-1A-2B-02-00-03 | 1.20 |
DEV

for seg in 1 2; do
  ns=NETNS_DEV$seg
  ip netns exec "${!ns}" "$devsim" --file "$work/seg$seg.devices" --log "$work/seg$seg.log" \
    --duration 240 --quiet >"$work/devsim$seg.out" 2>&1 &
done
for ((i = 0; i < 50; i++)); do
  [[ -f "$work/seg1.log" && -f "$work/seg2.log" ]] && break
  sleep 0.1
done
[[ -f "$work/seg1.log" && -f "$work/seg2.log" ]] || fail "the simulators did not start"

request="514B5A39$(printf '0%.0s' {1..96})"
# Each segment's log holds exactly $1 datagrams, every one the discovery request from port
# 4000 of the host's address on that segment.
check_requests() {
  local seg log lines _time source length bytes
  for seg in 1 2; do
    log="$work/seg$seg.log"
    lines=$(wc -l <"$log")
    [[ $lines -eq $1 ]] || fail "segment $seg: expected $1 datagram(s), logged $lines"
    while read -r _time source length bytes; do
      [[ $source == "10.77.$seg.1:4000" ]] || fail "segment $seg: request from $source"
      [[ $length == 52 ]] || fail "segment $seg: request of $length bytes"
      [[ $bytes == "$request" ]] || fail "segment $seg: request bytes $bytes"
    done <"$log"
  done
}
expected=0

# The program's own scan: every device once, with the texts of the naming rule (model name
# for an empty or unterminated name, "Unknown" with gateway 0.0.0.0 and version 0.00 for an
# unknown model), sorted by IP address as numbers; nothing else on standard output.
timeout 60 ip netns exec "$NETNS_HOST" "$lanorix" --scan --profile "$work/no-profile.ini" \
  >"$work/lanorix.out" \
  2>"$work/lanorix.err" || fail "lanorix --scan failed"
expected=$((expected + 1))
check_requests $expected
printf '%s\n' \
  $'NQ-710\t10.77.1.9\t255.255.255.0\t10.77.1.1\t00-1A-2B-01-00-03\t1A.FF' \
  $'Seg1-A\t10.77.1.10\t255.255.255.0\t10.77.1.1\t00-1A-2B-01-00-01\t1.20' \
  $'Seg1-B\t10.77.1.11\t255.255.255.0\t10.77.1.1\t00-1A-2B-01-00-02\t2.05' \
  $'NQ-710-W\t10.77.1.100\t255.255.0.0\t10.77.1.1\t00-1A-2B-01-00-04\t2.05' \
  $'50%,off\t10.77.2.9\t255.255.255.0\t10.77.2.1\t00-1A-2B-02-00-03\t1.20' \
  $'Seg2-A\t10.77.2.10\t255.255.255.0\t10.77.2.1\t00-1A-2B-02-00-01\t1.20' \
  $'Unknown\t10.77.2.11\t255.255.255.0\t0.0.0.0\t00-1A-2B-02-00-02\t0.00' \
  >"$work/expected.out"
diff "$work/expected.out" "$work/lanorix.out" >"$work/scan.diff" ||
  fail "lanorix --scan listed other rows (diff in scan.diff)"

# With port 4000 held by another program the scan cannot wait for a click on the port
# message: it prints it on standard error, nothing on standard output, and fails.
ip netns exec "$NETNS_HOST" "$devsim" --bind 0.0.0.0 --port 4000 --count 1 --duration 120 \
  --quiet >"$work/holder.out" 2>&1 &
holder=$!
for ((i = 0; i < 50; i++)); do
  ip netns exec "$NETNS_HOST" ss -Hun "sport = :4000" 2>/dev/null | grep -q . && break
  sleep 0.1
done
timeout 60 ip netns exec "$NETNS_HOST" "$lanorix" --scan --profile "$work/no-profile.ini" \
  >"$work/taken.out" 2>"$work/taken.err"
status=$?
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
[[ $status -ne 0 && $status -ne 124 ]] || fail "a scan without its port ended with status $status"
[[ ! -s "$work/taken.out" ]] || fail "a scan without its port printed rows"
grep -qF "Socket port '4000' Open fail" "$work/taken.err" || fail "no port message on stderr"

# The probe does the same discovery with the same platform code and prints every reply.
[[ -x "$probe" ]] || fail "$probe is missing"
timeout 60 ip netns exec "$NETNS_HOST" "$probe" --in-test-namespace --wait 2000 \
  >"$work/probe.out" 2>"$work/probe.err" || fail "the probe failed"
expected=$((expected + 1))
check_requests $expected
for expect in "10.77.1.10 00-1A-2B-01-00-01 31 1.20 Seg1-A" \
  "10.77.1.11 00-1A-2B-01-00-02 32 2.05 Seg1-B" \
  "10.77.2.10 00-1A-2B-02-00-01 31 1.20 Seg2-A" \
  "10.77.2.11 00-1A-2B-02-00-02 7 1.00 Seg2-B"; do
  grep -qx "reply $expect" "$work/probe.out" || fail "no reply: $expect"
done
grep -qx "replies 7" "$work/probe.out" || fail "expected 7 replies"
echo "ok: one request per segment from each client, all replies back"
