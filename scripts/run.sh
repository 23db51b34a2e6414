#!/usr/bin/env bash
# Installs what is missing, builds Tessaline and starts it with the given files.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/release"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSALINE_TESTS=OFF
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Pas d'affichage graphique (DISPLAY est vide)." >&2
  echo "Lancez l'éditeur sous un serveur X virtuel:  xvfb-run -a $0 $*" >&2
  exit 1
fi
exec "$build/src/tessaline" "$@"
