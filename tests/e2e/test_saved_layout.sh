#!/usr/bin/env bash
# A saved column layout in the profile file (--profile) is applied when the program starts:
# with Subnet Mask hidden, other widths, the display order reversed and the sort state
# "Gateway IP descending", the scan still prints all six texts of each row (the hidden column
# included) and lists the rows by gateway, highest first (as numbers), equal gateways by name.
# A block of the wrong size is ignored: the rows come in ascending IP order.
# usage: test_saved_layout.sh <lanorix binary> <devsim binary>
set -u
lanorix=$1
devsim=$2
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

netns_setup "lay$$" || fail "cannot set up the namespaces"

cat >"$work/seg1.devices" <<'DEV'
Gamma | 31 | 10.77.1.10 | 255.255.255.0 | 10.77.1.3 | 00-1A-2B-01-00-01 | 1.20 |
Beta | 31 | 10.77.1.11 | 255.255.255.0 | 10.77.1.20 | 00-1A-2B-01-00-02 | 1.20 |
Alpha | 32 | 10.77.1.12 | 255.255.255.0 | 10.77.1.20 | 00-1A-2B-01-00-03 | 2.05 |
Delta | 31 | 10.77.1.13 | 255.255.0.0 | 10.77.1.100 | 00-1A-2B-01-00-04 | 1.20 |
DEV
ip netns exec "$NETNS_DEV1" "$devsim" --file "$work/seg1.devices" --duration 240 --quiet \
  >"$work/devsim.out" 2>&1 &

# count 6, sort state -4, then per column: visible, width, reserved, logical order
hex() { printf '%s' "$@"; }
layout=$(hex 06000000 FCFFFFFF \
  01 9600 EEEE 05000000 \
  01 6500 EEEE 04000000 \
  00 4D00 EEEE 03000000 \
  01 6700 EEEE 02000000 \
  01 4001 EEEE 01000000 \
  01 5A00 EEEE 00000000)
printf '[Settings]\nOverview=%s\n' "$layout" >"$work/layout.ini"
# One byte short: a block of another column set.
printf '[Settings]\nOverview=%s\n' "${layout:0:122}" >"$work/short.ini"

scan() {
  timeout 60 ip netns exec "$NETNS_HOST" "$lanorix" --scan --profile "$1" >"$work/$2.out" \
    2>"$work/$2.err" || fail "lanorix --scan with $1 failed"
}
rows() { printf '%s\n' "$@"; }

scan "$work/layout.ini" layout
rows $'Delta\t10.77.1.13\t255.255.0.0\t10.77.1.100\t00-1A-2B-01-00-04\t1.20' \
  $'Alpha\t10.77.1.12\t255.255.255.0\t10.77.1.20\t00-1A-2B-01-00-03\t2.05' \
  $'Beta\t10.77.1.11\t255.255.255.0\t10.77.1.20\t00-1A-2B-01-00-02\t1.20' \
  $'Gamma\t10.77.1.10\t255.255.255.0\t10.77.1.3\t00-1A-2B-01-00-01\t1.20' \
  >"$work/layout.expected"
diff "$work/layout.expected" "$work/layout.out" >"$work/layout.diff" ||
  fail "the saved layout's order or texts are not what the scan printed"

scan "$work/short.ini" short
rows $'Gamma\t10.77.1.10\t255.255.255.0\t10.77.1.3\t00-1A-2B-01-00-01\t1.20' \
  $'Beta\t10.77.1.11\t255.255.255.0\t10.77.1.20\t00-1A-2B-01-00-02\t1.20' \
  $'Alpha\t10.77.1.12\t255.255.255.0\t10.77.1.20\t00-1A-2B-01-00-03\t2.05' \
  $'Delta\t10.77.1.13\t255.255.0.0\t10.77.1.100\t00-1A-2B-01-00-04\t1.20' \
  >"$work/short.expected"
diff "$work/short.expected" "$work/short.out" >"$work/short.diff" ||
  fail "a block of the wrong size changed the order"
echo "ok: the saved layout orders the scan, hidden column included; a wrong block is ignored"
