#!/usr/bin/env bash
# Builds the benchmarks in Release and runs them all; prints a summary against the targets.
#   scripts/bench.sh [build dir, default build/bench]
# Ingest, floor and sort click run 5 times each and report medians; memory runs once in a
# fresh process (resident memory reuses what earlier runs freed); paint runs on Qt's offscreen
# platform; start-up runs scripts/bench_startup.sh (needs root for network namespaces,
# otherwise skipped). Raw results land in <build dir>/bench-results/.
# Figures are only comparable on an idle machine: check `uptime` first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/bench}
"$root/scripts/setup.sh"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLANORIX_BENCH=ON >/dev/null
cmake --build "$dir" -j"$(nproc)" --target lanorix_bench lanorix_bench_paint lanorix devsim
out="$dir/bench-results"
mkdir -p "$out"
echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
echo "== load before: $(uptime)"
export QT_QPA_PLATFORM=offscreen

common=(--benchmark_repetitions=5 --benchmark_report_aggregates_only=true
  --benchmark_out_format=csv)
"$dir/bench/lanorix_bench" --benchmark_filter='BM_MemoryPerRow' \
  --benchmark_out="$out/memory.csv" --benchmark_out_format=csv
"$dir/bench/lanorix_bench" --benchmark_filter='BM_Ingest|BM_Floor|BM_SortClick' "${common[@]}" \
  --benchmark_out="$out/ingest.csv"
"$dir/bench/lanorix_bench_paint" "${common[@]}" --benchmark_out="$out/paint.csv"
startup_status=0
bash "$root/scripts/bench_startup.sh" "$dir/lanorix" "$dir/devsim" 9 | tee "$out/startup.txt" ||
  startup_status=$?

# Summary: medians of CPU time (ms) from the CSV files (name,iterations,real_time,cpu_time,...).
median_ms() { # file name
  awk -F, -v want="\"$2_median\"" '$1 == want { print $4 }' "$1"
}
ingest1k=$(median_ms "$out/ingest.csv" BM_Ingest/1000)
ingest10k=$(median_ms "$out/ingest.csv" BM_Ingest/10000)
ingest100k=$(median_ms "$out/ingest.csv" BM_Ingest/100000)
floor10k=$(median_ms "$out/ingest.csv" BM_Floor/10000)
sort100k=$(median_ms "$out/ingest.csv" BM_SortClick/100000)
paint100=$(median_ms "$out/paint.csv" BM_Paint/100)
paint10k=$(median_ms "$out/paint.csv" BM_Paint/10000)
paint100k=$(median_ms "$out/paint.csv" BM_Paint/100000)
rss=$(awk -F, '$1 == "name" { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); h[i] = $i } }
  $1 ~ /BM_MemoryPerRow/ { for (i = 1; i <= NF; i++) if (h[i] == "rss_bytes_per_row") print $i }' \
  "$out/memory.csv")
# The ingest's own floor ratio: the floor measured in the same iteration as each ingest.
ratio10k=$(awk -F, '$1 == "name" { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); h[i] = $i } }
  $1 == "\"BM_Ingest/10000_median\"" { for (i = 1; i <= NF; i++) if (h[i] == "floor_ratio") print $i }' \
  "$out/ingest.csv")
startup=$(awk '/^startup_to_request_median_ms/ { print $2 }' "$out/startup.txt")
echo
echo "== summary (CPU time, medians of 5 runs; targets in brackets)"
awk -v i1="$ingest1k" -v i10="$ingest10k" -v i100="$ingest100k" -v f10="$floor10k" \
  -v s="$sort100k" -v p1="$paint100" -v p10="$paint10k" -v p100="$paint100k" -v rss="$rss" \
  -v st="${startup:-skipped}" -v r="$ratio10k" 'BEGIN {
  printf "ingest 10,000 replies: %.1f ms [< 100 ms]; floor %.1f ms (separate run)\n", i10, f10
  printf "ingest / floor of the same iterations at 10,000: %.1f [<= 5]\n", r
  printf "per reply: %.2f us at 1,000, %.2f us at 10,000, %.2f us at 100,000; 100k/1k %.2f [<= 2]\n",
    i1 * 1000 / 1000, i10 * 1000 / 10000, i100 * 1000 / 100000, (i100 / 100000) / (i1 / 1000)
  printf "repaint: %.2f ms at 100 rows, %.2f ms at 10,000 [< 10 ms], %.2f ms at 100,000\n", p1, p10, p100
  printf "column click on 100,000 rows: %.1f ms [< 150 ms]\n", s
  printf "resident memory per row at 100,000 rows: %.0f bytes [< 1024]\n", rss
  printf "start-up to discovery request: %s ms [< 250 ms]\n", st
}'
echo "== load after: $(uptime)"
exit 0
