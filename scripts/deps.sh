#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing.
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev qt6-serialport-dev
          libgl-dev fonts-liberation libgtest-dev libbenchmark-dev socat xvfb xauth python3
          clang libclang-rt-14-dev direwolf
          libsndfile1-dev libpulse-dev pkg-config
          pipewire pipewire-pulse wireplumber dbus-daemon pulseaudio-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
