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
  libgtest-dev libbenchmark-dev libtidy-dev libhunspell-dev hunspell-fr
  xvfb xauth time fonts-dejavu-core desktop-file-utils
  qt6-multimedia-dev qt6-image-formats-plugins
  qt6-webengine-dev libqt6webenginecore6-bin
  ${TESSALINE_EXTRA_PACKAGES:-}
)
. "$root/scripts/packages.sh"
install_missing_packages "${packages[@]}"

if [ ! -f "$build/build.ninja" ]; then
  # A compiler cache, when installed, makes a fresh clone's build reuse the
  # objects of earlier builds on this machine.
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" "$@"
fi
cmake --build "$build" --parallel "$(nproc)"
