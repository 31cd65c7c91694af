#!/usr/bin/env bash
# Start-up benchmark: the time from the program's process start to its discovery request on
# the wire, end to end, in network namespaces of its own (scripts/netns.sh). The simulator in
# a device namespace logs the request with its receive time (CLOCK_MONOTONIC, shared by all
# namespaces); the start time is taken on the same clock just before the program is exec'ed.
# Prints each run and the median. Needs root (exits 77, skipped, without it).
# usage: bench_startup.sh <lanorix binary> <devsim binary> [runs, default 9]
set -u
lanorix=${1:?usage: bench_startup.sh <lanorix binary> <devsim binary> [runs]}
devsim=${2:?usage: bench_startup.sh <lanorix binary> <devsim binary> [runs]}
runs=${3:-9}
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=netns.sh
source "$root/scripts/netns.sh"

netns_require_root
command -v perl >/dev/null || { echo "skipped: needs perl for the start time stamp"; exit 77; }
work=$(mktemp -d)
trap 'netns_cleanup; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM HUP
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

netns_setup "bench$$" || fail "cannot set up the namespaces"
ip netns exec "$NETNS_DEV1" "$devsim" --count 6 --log "$work/requests.log" --duration 600 \
  --quiet >"$work/devsim.out" 2>&1 &
for ((i = 0; i < 50; i++)); do
  [[ -f "$work/requests.log" ]] && break
  sleep 0.1
done
[[ -f "$work/requests.log" ]] || fail "the simulator did not start"

# Lines of the log: "<receive time in us> <source> <length> <bytes>".
logged() { wc -l <"$work/requests.log"; }

times=()
for ((run = 1; run <= runs; run++)); do
  before=$(logged)
  # The program reads no profile of the user running the benchmark; with no display it uses
  # Qt's offscreen platform.
  ip netns exec "$NETNS_HOST" env QT_QPA_PLATFORM=offscreen perl -MTime::HiRes=clock_gettime,CLOCK_MONOTONIC \
    -e 'open(my $f, ">", shift) or die; printf $f "%d\n", clock_gettime(CLOCK_MONOTONIC) * 1e6;
        close $f; exec @ARGV or die' \
    "$work/start.$run" "$lanorix" --profile "$work/no-profile.ini" \
    >"$work/lanorix.$run.out" 2>&1 &
  pid=$!
  for ((i = 0; i < 100; i++)); do
    (($(logged) > before)) && break
    sleep 0.05
  done
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  (($(logged) > before)) || fail "run $run: no discovery request reached the simulator"
  start=$(cat "$work/start.$run")
  received=$(sed -n "$((before + 1))p" "$work/requests.log" | cut -d' ' -f1)
  ms=$(awk -v a="$start" -v b="$received" 'BEGIN { printf "%.1f", (b - a) / 1000 }')
  echo "run $run: ${ms} ms"
  times+=("$ms")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | awk '{ v[NR] = $1 } END {
  if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }')
echo "startup_to_request_median_ms $median (runs: $runs)"
