#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds.
# Usage: fuzz/run.sh TARGET SECONDS [extra libFuzzer options...]
#   TARGET is a target's name (pagefile, entities, ...; see fuzz/CMakeLists.txt).
# Builds the clang build in build/fuzz when needed (installing clang and
# libclang-rt-14-dev when missing), fuzzes a copy of the target's seed corpus
# in build/fuzz/work/TARGET/corpus (new entries stay there, out of git) and
# exits non-zero on a crash, a hang, a sanitizer report or a failed property.
# Crashing inputs land in build/fuzz/work/TARGET/crashes/.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 TARGET SECONDS [libFuzzer options...]" >&2
  exit 2
fi
target="$1"
seconds="$2"
shift 2

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"
seeds="$root/fuzz/corpus/$target"
if [ ! -d "$seeds" ]; then
  echo "unknown target '$target' (no fuzz/corpus/$target)" >&2
  exit 2
fi

. "$root/scripts/packages.sh"
install_missing_packages clang libclang-rt-14-dev cmake ninja-build qt6-base-dev

# The whole core library is instrumented, so the fuzz build has its own
# folder. Debug keeps the code's own assertions; -O1 keeps it fast enough.
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DTESSALINE_FUZZ=ON -DTESSALINE_TESTS=OFF
fi
cmake --build "$build" --target "${target}_fuzz" --parallel 2

work="$build/work/$target"
mkdir -p "$work/corpus" "$work/crashes"
cp -n "$seeds"/* "$work/corpus/" 2>/dev/null || true

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# New entries go to the scratch corpus (the first folder); the seeds are
# only read.
cd "$work"
exec "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 -artifact_prefix="$work/crashes/" "$@" "$work/corpus" "$seeds"
