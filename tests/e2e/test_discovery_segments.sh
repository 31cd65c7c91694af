#!/usr/bin/env bash
# One discovery with the default addressing (255.255.255.255, device port 36, local port 4000)
# reaches the devices on both directly attached segments: each segment's simulator logs
# exactly one request, "QKZ9" and 48 zero bytes from port 4000 of the host's address there,
# and every simulated device's reply comes back.
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
DEV
cat >"$work/seg2.devices" <<'DEV'
Seg2-A | 31 | 10.77.2.10 | 255.255.255.0 | 10.77.2.1 | 00-1A-2B-02-00-01 | 1.20 | pw
Seg2-B | 7 | 10.77.2.11 | 255.255.255.0 | 10.77.2.1 | 00-1A-2B-02-00-02 | 1.00 |
DEV

for seg in 1 2; do
  ns=NETNS_DEV$seg
  ip netns exec "${!ns}" "$devsim" --file "$work/seg$seg.devices" --log "$work/seg$seg.log" \
    --duration 60 --quiet >"$work/devsim$seg.out" 2>&1 &
done
for ((i = 0; i < 50; i++)); do
  [[ -f "$work/seg1.log" && -f "$work/seg2.log" ]] && break
  sleep 0.1
done
[[ -f "$work/seg1.log" && -f "$work/seg2.log" ]] || fail "the simulators did not start"

# The program itself once it can scan without a window; until then the probe, which does the
# same discovery with the same platform code.
if "$lanorix" --help 2>/dev/null | grep -q -- '--scan'; then
  client=("$lanorix" --scan)
else
  [[ -x "$probe" ]] || fail "no discovery client: $probe is missing"
  client=("$probe" --in-test-namespace --wait 2000)
fi
timeout 60 ip netns exec "$NETNS_HOST" "${client[@]}" >"$work/client.out" 2>&1 ||
  fail "the discovery client failed: ${client[*]}"

request="514B5A39$(printf '0%.0s' {1..96})"
for seg in 1 2; do
  log="$work/seg$seg.log"
  lines=$(wc -l <"$log")
  [[ $lines -eq 1 ]] || fail "segment $seg: expected exactly one datagram, logged $lines"
  read -r _time source length bytes <"$log"
  [[ $source == "10.77.$seg.1:4000" ]] || fail "segment $seg: request from $source"
  [[ $length == 52 ]] || fail "segment $seg: request of $length bytes"
  [[ $bytes == "$request" ]] || fail "segment $seg: request bytes $bytes"
done

if [[ ${client[0]} == "$probe" ]]; then
  for expect in "10.77.1.10 00-1A-2B-01-00-01 31 1.20 Seg1-A" \
    "10.77.1.11 00-1A-2B-01-00-02 32 2.05 Seg1-B" \
    "10.77.2.10 00-1A-2B-02-00-01 31 1.20 Seg2-A" \
    "10.77.2.11 00-1A-2B-02-00-02 7 1.00 Seg2-B"; do
    grep -qx "reply $expect" "$work/client.out" || fail "no reply: $expect"
  done
  grep -qx "replies 4" "$work/client.out" || fail "expected 4 replies"
fi
echo "ok: one request per segment, all replies back (${client[0]##*/})"
