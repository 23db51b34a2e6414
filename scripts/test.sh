#!/usr/bin/env bash
# Installs what is missing, builds Tessaline with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole test suite.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/test"
# Tests also load generated pages in a headless browser.
export TESSALINE_EXTRA_PACKAGES="chromium"
"$root/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Debug -DTESSALINE_SANITIZE=ON -DTESSALINE_TESTS=ON
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=0:halt_on_error=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
cd "$build"
ctest --output-on-failure --timeout 300 -j"$(nproc)"
