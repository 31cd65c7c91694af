#!/usr/bin/env bash
# Builds the program and runs it. Without devices on the network it shows the demo: simulated
# devices on loopback. Without a display it prints the demo devices' list instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DLANORIX_BENCH=OFF
bin="$root/build/release/lanorix"
if [[ $# -gt 0 ]]; then
  exec "$bin" "$@"
elif [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  exec "$bin" --demo
else
  echo "No display: printing the demo devices' list instead of opening the window."
  exec "$bin" --demo --scan
fi
