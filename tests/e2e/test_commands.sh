#!/usr/bin/env bash
# The device commands end to end, with the default addressing (255.255.255.255, device port
# 36, local port 4000) in private network namespaces: the program's own code (run by the
# command driver, which answers the dialogs) changes a simulated device's address and the
# re-scan 2000 ms later lists the new one; Soft Reset, Update Firmware and Modify MAC reach the
# simulator byte for byte with the typed password, and their re-scan 5000 ms later shows the
# result.
# usage: test_commands.sh <lanorix binary> <devsim binary>
set -u
devsim=$2
driver="$(dirname "$devsim")/lanorix_command_driver"
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
[[ -x "$driver" ]] || fail "$driver is missing"

netns_setup "cmd$$" || fail "cannot set up the namespaces"

cat >"$work/seg1.devices" <<'DEV'
# name | model | ip | mask | gateway | mac | version | password
Seg1-A | 31 | 10.77.1.10 | 255.255.255.0 | 10.77.1.1 | 00-1A-2B-01-00-01 | 1.20 | pw1
Seg1-B | 32 | 10.77.1.11 | 255.255.255.0 | 10.77.1.1 | 00-1A-2B-01-00-02 | 2.05 | secret
DEV
cat >"$work/seg2.devices" <<'DEV'
Seg2-A | 31 | 10.77.2.10 | 255.255.255.0 | 10.77.2.1 | 00-1A-2B-02-00-01 | 1.20 | fw
DEV

for seg in 1 2; do
  ns=NETNS_DEV$seg
  ip netns exec "${!ns}" "$devsim" --file "$work/seg$seg.devices" --log "$work/seg$seg.log" \
    --reset-silence 3000 --duration 600 --quiet >"$work/devsim$seg.out" 2>&1 &
done
for ((i = 0; i < 50; i++)); do
  [[ -f "$work/seg1.log" && -f "$work/seg2.log" ]] && break
  sleep 0.1
done
[[ -f "$work/seg1.log" && -f "$work/seg2.log" ]] || fail "the simulators did not start"

# hex TEXT: the bytes of TEXT in upper-case hexadecimal.
hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n' | tr 'a-f' 'A-F'; }
zeros() { printf '0%.0s' $(seq 1 $((2 * $1))); }
# A 52-byte datagram: command byte, ip, mask, mac, gateway (hex), password (text).
datagram() {
  local pw
  pw=$(hex "$5")
  printf '514B5A%s%s%s%s%s%s%s%s%s' "$1" "$2" "$3" "$4" "$(zeros 17)" "${6:-00000000}" \
    "$(zeros 3)" "$pw" "$(zeros $((10 - ${#pw} / 2)))"
}
# Runs the driver in the host namespace; its output goes to $work/$1.out.
drive() {
  local name=$1
  shift
  timeout 60 ip netns exec "$NETNS_HOST" "$driver" --in-test-namespace "$@" \
    >"$work/$name.out" 2>"$work/$name.err" || fail "$name: the driver failed"
}
# logged SEG HEX: segment SEG's simulator got the datagram from the host's port 4000 exactly
# once; sets sent to the time (us) at which it came.
logged() {
  local lines
  lines=$(grep -c " 10.77.$1.1:4000 52 $2\$" "$work/seg$1.log")
  [[ $lines -eq 1 ]] || fail "segment $1: datagram $2 logged $lines times"
  sent=$(grep " 10.77.$1.1:4000 52 $2\$" "$work/seg$1.log" | cut -d' ' -f1)
}
request="514B5A39$(zeros 48)"
# The first discovery request logged on segment SEG after time T (us).
request_after() {
  awk -v t="$2" -v r="$request" '$1 > t && $4 == r { print $1; exit }' "$work/seg$1.log"
}
# Milliseconds from A to B (us), within [LOW, HIGH].
between() {
  local ms=$((($2 - $1) / 1000))
  ((ms >= $3 && ms <= $4)) || fail "$5: $ms ms, expected $3..$4"
}

# Modify IP: only the address changed, so one ":" datagram carries all three values.
drive modify-ip --command modify-ip --target 10.77.1.10 --new-ip 10.77.1.50 --password pw1 \
  --after 3000
logged 1 "$(datagram 3A 0A4D0132 FFFFFF00 001A2B010001 pw1 0A4D0101)"
grep -qE '^emptied [0-9]{1,3}$' "$work/modify-ip.out" || fail "modify-ip: the list was not emptied at once"
between "$sent" "$(request_after 1 "$sent")" 1900 2700 "modify-ip: re-scan after the change"
grep -q '^rescan [0-9]* Seg1-A 10.77.1.50 255.255.255.0 10.77.1.1 00-1A-2B-01-00-01 1.20$' \
  "$work/modify-ip.out" || fail "modify-ip: the re-scan does not list the new address"
grep -q '^rescan [0-9]* [^ ]* 10.77.1.10 ' "$work/modify-ip.out" &&
  fail "modify-ip: the old address is still listed"
grep -qx 'prompts 2' "$work/modify-ip.out" || fail "modify-ip: expected two dialogs"

# Soft Reset: the thread waits 2000 ms, the re-scan comes 5000 ms after the command and finds
# the device back after its 3000 ms of silence.
drive soft-reset --command soft-reset --target 10.77.1.11 --password secret --after 6000
logged 1 "$(datagram 3D 00000000 00000000 001A2B010002 secret)"
held=$(sed -n 's/^command \([0-9]*\)$/\1/p' "$work/soft-reset.out")
((held >= 1950)) || fail "soft-reset: the command held the thread ${held} ms, expected 2000"
between "$sent" "$(request_after 1 "$sent")" 4900 5700 "soft-reset: re-scan after the command"
grep -q '^rescan [0-9]* Seg1-B 10.77.1.11 ' "$work/soft-reset.out" ||
  fail "soft-reset: the device is not listed again"
logged 2 "$(datagram 3D 00000000 00000000 001A2B010002 secret)"

# Update Firmware on the second segment: the simulator marks the device's name.
drive update-firmware --command update-firmware --target 10.77.2.10 --password fw --after 5800
logged 2 "$(datagram 3F 00000000 00000000 001A2B020001 fw)"
grep -q '^rescan [0-9]* Seg2-A-FW 10.77.2.10 ' "$work/update-firmware.out" ||
  fail "update-firmware: the re-scan does not show the device in firmware-update mode"

# Modify MAC, the new address typed without separators: the device is named by its IP address.
drive modify-mac --command modify-mac --target 10.77.2.10 --new-mac 001a2b0200aa --password fw \
  --after 5800
logged 2 "$(datagram 3C 0A4D020A 00000000 001A2B0200AA fw)"
grep -q '^rescan [0-9]* [^ ]* 10.77.2.10 255.255.255.0 10.77.2.1 00-1A-2B-02-00-AA ' \
  "$work/modify-mac.out" || fail "modify-mac: the re-scan does not show the new MAC address"

# A wrong password reaches the device as typed, and the device keeps its state.
drive wrong-password --command update-firmware --target 10.77.1.11 --password nope \
  --after 5800
logged 1 "$(datagram 3F 00000000 00000000 001A2B010002 nope)"
grep -q '^rescan [0-9]* Seg1-B 10.77.1.11 ' "$work/wrong-password.out" ||
  fail "wrong-password: the device's name changed"
echo "ok: Modify IP, Soft Reset, Update Firmware and Modify MAC reach the devices; the re-scans show it"
