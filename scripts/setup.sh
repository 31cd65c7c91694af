#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12. Safe to run again:
# it only asks apt for packages that are missing, and updates the package lists first then.
set -euo pipefail

packages=(
  build-essential cmake g++ clang ninja-build
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev googletest libbenchmark-dev
  xvfb xauth x11-apps imagemagick poppler-utils
  iproute2 procps
  fonts-dejavu-core fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [[ $(id -u) -ne 0 ]]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
