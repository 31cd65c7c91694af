#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for a bounded time.
#
#   scripts/fuzz.sh [SECONDS] [NAME...]
#
# SECONDS per fuzzer (default 60); NAMEs from: reply layout address_text list_ops (default
# all). Each starts from its committed seed corpus fuzz/corpus/<name>/ and grows a working
# copy in build/fuzz/corpus/<name>/ (the committed corpus stays small). Findings are written
# to build/fuzz/findings/<name>/; the script exits 1 when a fuzzer found a crash or a
# disagreement with its reference. The last status line of each run (executions, coverage)
# is printed and kept in build/fuzz/findings/<name>/summary.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
names=("$@")
((${#names[@]})) || names=(reply layout address_text list_ops)

build="$root/build/fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DLANORIX_FUZZ=ON -DLANORIX_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for n in "${names[@]}"; do targets+=("fuzz_$n"); done
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

status=0
for n in "${names[@]}"; do
  work="$build/corpus/$n"
  findings="$build/findings/$n"
  mkdir -p "$work" "$findings"
  log="$findings/fuzz.log"
  echo "== fuzz_$n for ${seconds}s"
  if ! (cd "$findings" && "$build/fuzz/fuzz_$n" -max_total_time="$seconds" -max_len=4096 \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$work" "$root/fuzz/corpus/$n" \
        >"$log" 2>&1); then
    status=1
    echo "fuzz_$n found a problem: see $log and the crash-* file in $findings"
  fi
  grep -E '^#[0-9]+' "$log" | tail -1 | tee "$findings/summary.txt"
  grep -E '^stat::number_of_executed_units' "$log" | tee -a "$findings/summary.txt" || true
done
exit $status
