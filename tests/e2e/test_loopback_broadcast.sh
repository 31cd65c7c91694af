#!/usr/bin/env bash
# The demo's addressing: requests to 127.255.255.255 on a non-default device port reach a
# simulator listening on all addresses of the same host (one namespace), and only that
# simulator: the segments' simulators hear nothing.
# usage: test_loopback_broadcast.sh <lanorix binary> <devsim binary>
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

netns_setup "lo$$" || fail "cannot set up the namespaces"
ip netns exec "$NETNS_HOST" "$devsim" --port 3636 --count 3 --log "$work/local.log" \
  --duration 240 --quiet >"$work/devsim.out" 2>&1 &
for seg in 1 2; do
  ns=NETNS_DEV$seg
  ip netns exec "${!ns}" "$devsim" --port 3636 --log "$work/seg$seg.log" --duration 240 \
    --quiet >"$work/devsim$seg.out" 2>&1 &
done
for ((i = 0; i < 50; i++)); do
  [[ -f "$work/local.log" && -f "$work/seg1.log" && -f "$work/seg2.log" ]] && break
  sleep 0.1
done
[[ -f "$work/local.log" && -f "$work/seg1.log" && -f "$work/seg2.log" ]] ||
  fail "the simulators did not start"

addressing=(--broadcast 127.255.255.255 --device-port 3636)
expected=0
if "$lanorix" --help 2>/dev/null | grep -q -- '--scan'; then
  timeout 60 ip netns exec "$NETNS_HOST" "$lanorix" --scan "${addressing[@]}" \
    >"$work/lanorix.out" 2>"$work/lanorix.err" || fail "lanorix --scan failed"
  expected=$((expected + 1))
fi
timeout 60 ip netns exec "$NETNS_HOST" "$probe" "${addressing[@]}" --wait 1000 \
  >"$work/probe.out" 2>"$work/probe.err" || fail "the probe failed"
expected=$((expected + 1))

request="514B5A39$(printf '0%.0s' {1..96})"
[[ $(wc -l <"$work/local.log") -eq $expected ]] || fail "expected $expected request(s) locally"
while read -r _time source length bytes; do
  [[ $source == "127.0.0.1:4000" && $length == 52 && $bytes == "$request" ]] ||
    fail "unexpected datagram: $source $length $bytes"
done <"$work/local.log"
for seg in 1 2; do
  [[ ! -s "$work/seg$seg.log" ]] || fail "segment $seg heard a loopback broadcast"
done
grep -qx "replies 3" "$work/probe.out" || fail "expected 3 replies"
echo "ok: loopback broadcast reaches the local simulator only"
