#!/usr/bin/env bash
# Shared set-up: installs the missing Debian packages, configures and builds.
# Usage: scripts/setup.sh BUILD_DIR [extra cmake options...]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"
shift

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n qt6-qpa-plugins libgl-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth time fonts-dejavu-core desktop-file-utils
  ${TESSALINE_EXTRA_PACKAGES:-}
)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installation des paquets manquants: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja "$@"
fi
cmake --build "$build" --parallel "$(nproc)"
