#!/usr/bin/env bash
# Faults around a discovery, in private namespaces, seen through the real program's --scan:
# - port 4000 held by another process: the port message once on standard error, nothing
#   listed, exit status 1; the next scan after the port is freed lists every device;
# - the host's interface to one segment going down and up during a discovery: the scan ends
#   normally and lists what answered;
# - a profile file that is missing, empty, a directory, cut short, of the wrong block size,
#   binary garbage or not hex: the built-in layout (the same rows in the same order as without
#   any profile), nothing on standard error.
# usage: test_faults.sh <lanorix binary> <devsim binary>
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
  for f in "$work"/*; do [[ -f "$f" ]] && { echo "--- $f"; head -c 4000 "$f"; echo; }; done
  exit 1
}

netns_setup "ft$$" || fail "cannot set up the namespaces"

# Replies come in file order, which is neither the IP nor the name order.
cat >"$work/seg1.devices" <<'DEV'
Mike | 31 | 10.77.1.30 | 255.255.255.0 | 10.77.1.1 | 00-1A-2B-01-00-01 | 1.20 |
Alpha | 32 | 10.77.1.12 | 255.255.255.0 | 10.77.1.9 | 00-1A-2B-01-00-02 | 2.05 |
Zulu | 31 | 10.77.1.20 | 255.255.0.0 | 10.77.1.5 | 00-1A-2B-01-00-03 | 1.20 |
DEV
cat >"$work/seg2.devices" <<'DEV'
Echo | 31 | 10.77.2.10 | 255.255.255.0 | 10.77.2.1 | 00-1A-2B-02-00-01 | 1.20 |
DEV
for seg in 1 2; do
  ns=NETNS_DEV$seg
  ip netns exec "${!ns}" "$devsim" --file "$work/seg$seg.devices" --log "$work/seg$seg.log" \
    --duration 600 --quiet >"$work/devsim$seg.out" 2>&1 &
done
for ((i = 0; i < 50; i++)); do
  [[ -f "$work/seg1.log" && -f "$work/seg2.log" ]] && break
  sleep 0.1
done
[[ -f "$work/seg1.log" && -f "$work/seg2.log" ]] || fail "the simulators did not start"

# scan NAME [lanorix options...]: stdout to NAME.out, stderr to NAME.err, status in $status.
scan() {
  local name=$1
  shift
  timeout 60 ip netns exec "$NETNS_HOST" "$lanorix" --scan "$@" >"$work/$name.out" \
    2>"$work/$name.err"
  status=$?
}

# The program's own messages on standard error (the toolkit may note its environment there).
said() { grep -q '^lanorix' "$1"; }

# The built-in layout: no profile at all.
scan builtin --profile "$work/missing.ini"
((status == 0)) || fail "a missing profile: status $status"
[[ $(wc -l <"$work/builtin.out") -eq 4 ]] || fail "a missing profile: not four rows"
! said "$work/builtin.err" || fail "a missing profile: messages on standard error"

# 1. Saved layouts that are not usable leave the built-in one.
layout="06000000FCFFFFFF"
for c in 5 4 3 2 1 0; do layout+="01640000000${c}000000"; done
printf '[Settings]\nOverview=%s\n' "$layout" >"$work/good.ini"
: >"$work/empty.ini"
mkdir "$work/directory.ini"
printf '[Settings]\nOverview=%s\n' "${layout:0:41}" >"$work/cut-odd.ini"
printf '[Settings]\nOverview=%s\n' "${layout:0:60}" >"$work/cut-even.ini"
printf '[Settings]\nOverview=%s%s\n' "$layout" "01640000000600000" >"$work/long.ini"
printf '[Settings]\nOverview=%s\n' "${layout//0/Z}" >"$work/not-hex.ini"
printf '[Settings]\nOverview=' >"$work/no-value.ini"
head -c 3000 /dev/urandom >"$work/garbage.ini"
{ printf '[Settings]\nOverview='; head -c 2000 /dev/urandom; } >"$work/garbage-value.ini"

scan good --profile "$work/good.ini"
cmp -s "$work/builtin.out" "$work/good.out" &&
  fail "a good saved layout changed nothing: the profile is not read in this setup"
for p in empty directory cut-odd cut-even long not-hex no-value garbage garbage-value; do
  scan "$p" --profile "$work/$p.ini"
  ((status == 0)) || fail "profile $p: status $status"
  cmp -s "$work/builtin.out" "$work/$p.out" || fail "profile $p: not the built-in layout"
  ! said "$work/$p.err" || fail "profile $p: messages on standard error"
done
echo "ok: unusable profiles leave the built-in layout"

# 2. Port 4000 held by another process (a second simulator bound there).
ip netns exec "$NETNS_HOST" "$devsim" --bind 0.0.0.0 --port 4000 --count 0 --duration 240 \
  --quiet >"$work/holder.out" 2>&1 &
holder=$!
for ((i = 0; i < 50; i++)); do
  grep -q "devsim:" "$work/holder.out" 2>/dev/null && break
  sleep 0.1
done
requests_before=$(wc -l <"$work/seg1.log")
scan held --profile "$work/missing.ini"
((status == 1)) || fail "port held: status $status"
[[ ! -s $work/held.out ]] || fail "port held: rows listed"
grep -c "4000" "$work/held.err" >"$work/held.count"
[[ $(cat "$work/held.count") -eq 1 ]] || fail "port held: the message is not there exactly once"
grep -q "^lanorix: Socket port '4000' Open fail" "$work/held.err" ||
  fail "port held: not the port message"
[[ $(wc -l <"$work/seg1.log") -eq $requests_before ]] || fail "port held: a request went out"
kill "$holder"
wait "$holder" 2>/dev/null
scan freed --profile "$work/missing.ini"
((status == 0)) || fail "port freed: status $status"
cmp -s "$work/builtin.out" "$work/freed.out" || fail "port freed: not every device listed"
echo "ok: a held port gives the port message once; the next scan after it is freed works"

# 3. The interface to segment 1 goes down after the request went out, and up again.
requests_before=$(wc -l <"$work/seg1.log")
scan updown --profile "$work/missing.ini" &
scanner=$!
for ((i = 0; i < 100; i++)); do
  (($(wc -l <"$work/seg1.log") > requests_before)) && break
  sleep 0.05
done
ip -n "$NETNS_HOST" link set h1 down
sleep 1
ip -n "$NETNS_HOST" link set h1 up
ip -n "$NETNS_HOST" addr add 10.77.1.1/24 broadcast 10.77.1.255 dev h1 2>/dev/null
wait "$scanner"
status=$?
((status == 0)) || fail "interface down and up: status $status"
! said "$work/updown.err" || fail "interface down and up: messages on standard error"
awk -F'\t' 'NF != 6 { bad = 1 } END { exit bad }' "$work/updown.out" ||
  fail "interface down and up: a malformed row"
grep -q $'^Echo\t10.77.2.10' "$work/updown.out" || fail "interface down and up: segment 2 lost"

# 4. The interface is down when the discovery starts and comes up during it: the other
# segment is found, and the next scan finds both again.
ip -n "$NETNS_HOST" link set h1 down
scan downfirst --profile "$work/missing.ini" &
scanner=$!
sleep 1
ip -n "$NETNS_HOST" link set h1 up
wait "$scanner"
status=$?
((status == 0)) || fail "interface down at the start: status $status"
! said "$work/downfirst.err" || fail "interface down at the start: messages on standard error"
grep -q $'^Echo\t10.77.2.10' "$work/downfirst.out" ||
  fail "interface down at the start: segment 2 not found"
for ((i = 0; i < 50; i++)); do
  ip -n "$NETNS_HOST" -4 addr show dev h1 | grep -q "inet " && break
  sleep 0.1
done
scan again --profile "$work/missing.ini"
cmp -s "$work/builtin.out" "$work/again.out" || fail "after the interface came back: not every device"
echo "ok: the interface going down and up during a discovery harms nothing"
echo "PASS"
