#!/usr/bin/env bash
# Builds and runs every test: once normally, once under AddressSanitizer and UBSan.
# End-to-end tests need root (network namespaces); without it they report themselves skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

status=0
echo "== tests"
"$root/scripts/build.sh" "$root/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build/test" --output-on-failure -j2 || status=1

echo "== tests under AddressSanitizer and UBSan"
"$root/scripts/build.sh" "$root/build/asan" -DCMAKE_BUILD_TYPE=Debug -DLANORIX_SANITIZE=ON \
  -DLANORIX_BENCH=OFF
ctest --test-dir "$root/build/asan" --output-on-failure -j2 || status=1

exit $status
