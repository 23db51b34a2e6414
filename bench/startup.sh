#!/usr/bin/env bash
# Start-up speed of Tessaline as a user sees it, under a virtual X server:
#   - from launch to the frame window painted and idle, with no file;
#   - from launch to a generated 10 MB page shown and the program idle;
#   - from launch to that page's first screenful painted;
#   - the peak memory of that second run.
#
# Usage: bench/startup.sh [path/to/tessaline]
#   The program defaults to build/release/src/tessaline (what scripts/run.sh
#   builds). RUNS=n sets the number of measured runs of each case (default 5;
#   the median is reported, after one warm-up run).
#
# The program is started with TESSALINE_BENCH_QUIT=1: once its window has
# been painted and its event loop has nothing left to do, it writes
# "TESSALINE_BENCH <milliseconds since TESSALINE_BENCH_T0>" to standard error
# and ends (with a page, only after the page was painted); the first paint
# of a page writes "TESSALINE_BENCH_FIRST <ms>". The runs use a home folder
# of their own, so no other copy receives the files and the settings are the
# defaults (apart from the about box, turned off so that the frame window
# itself is measured). Measure on a
# quiet machine: other work running beside it counts in the times.
#
# Exit status: 0 all budgets met, 1 a budget missed, 2 the measure failed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="${1:-$root/build/release/src/tessaline}"
runs="${RUNS:-5}"

budget_empty_ms=250
budget_page_ms=750
budget_first_ms=300
budget_rss_kb=$((130 * 1024))
page_bytes=$((10 * 1024 * 1024))

fail() {
  echo "startup.sh: $*" >&2
  exit 2
}

[ -x "$program" ] || fail "no program at $program (build it first, e.g. scripts/run.sh, or give its path)"
command -v Xvfb >/dev/null || fail "Xvfb is missing (Debian package xvfb)"
[ -x /usr/bin/time ] || fail "/usr/bin/time is missing (Debian package time)"
command -v timeout >/dev/null || fail "timeout is missing (coreutils)"

work="$(mktemp -d)"
# A private X server, stopped (and the work folder removed) on exit.
. "$(dirname "${BASH_SOURCE[0]}")/privatexvfb.sh"

# The page: a plain HTML document of 10 MB with CR LF line breaks.
. "$(dirname "${BASH_SOURCE[0]}")/benchpage.sh"
page="$work/grande.htm"
write_bench_page "$page_bytes" "$page"

# One run: sets run_ms, run_first_ms (0 without a page) and run_kb (peak
# memory), or ends the script.
run_once() {
  # The home folder (and the caches the warm-up run leaves in it) is kept
  # from run to run, as a user's; the settings and the socket folder start
  # afresh each time.
  local home="$work/home"
  rm -rf "$home/run"
  mkdir -p "$home/.config/Orbelune" "$home/run"
  chmod 700 "$home" "$home/run"
  printf '[Tessaline]\nAPropos=0\n' >"$home/.config/Orbelune/Tessaline.conf"
  local status=0
  HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/run" \
    TESSALINE_BENCH_QUIT=1 TESSALINE_BENCH_T0="$(date +%s%N)" \
    timeout 60 /usr/bin/time -v -o "$work/time.txt" "$program" "$@" 2>"$work/stderr.txt" >/dev/null || status=$?
  local ms rss
  ms="$(sed -n 's/^TESSALINE_BENCH \([0-9][0-9]*\)$/\1/p' "$work/stderr.txt" | head -n 1)"
  rss="$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): \([0-9][0-9]*\)$/\1/p' "$work/time.txt")"
  if [ -z "$ms" ]; then
    echo "startup.sh: no measure from the program (exit status $status)." >&2
    echo "  Does it honour TESSALINE_BENCH_QUIT (installBenchmarkQuitHook)? Its standard error:" >&2
    sed 's/^/  | /' "$work/stderr.txt" | tail -n 20 >&2
    exit 2
  fi
  run_ms="$ms"
  run_first_ms="$(sed -n 's/^TESSALINE_BENCH_FIRST \([0-9][0-9]*\)$/\1/p' "$work/stderr.txt" | head -n 1)"
  run_first_ms="${run_first_ms:-0}"
  run_kb="${rss:-0}"
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

# Measures one case: sets case_ms and case_first_ms (the medians) and case_kb
# (the largest peak).
measure() {
  run_once "$@" # warm-up: file cache, fonts
  local times="" firsts="" peak=0
  for _ in $(seq 1 "$runs"); do
    run_once "$@"
    times+="$run_ms"$'\n'
    firsts+="$run_first_ms"$'\n'
    if [ "$run_kb" -gt "$peak" ]; then
      peak="$run_kb"
    fi
  done
  case_ms="$(printf '%s' "$times" | median)"
  case_first_ms="$(printf '%s' "$firsts" | median)"
  case_kb="$peak"
}

measure
empty_ms="$case_ms"
empty_kb="$case_kb"
measure "$page"
page_ms="$case_ms"
page_first_ms="$case_first_ms"
page_kb="$case_kb"

verdict=0
check() { # label value budget unit
  local mark="ok"
  if [ "$2" -gt "$3" ]; then
    mark="OVER BUDGET"
    verdict=1
  fi
  printf '%-34s %8s %-3s (budget %s %s)  %s\n' "$1" "$2" "$4" "$3" "$4" "$mark"
}

echo "Tessaline start-up, median of $runs runs ($program)"
check "window shown and idle, no file" "$empty_ms" "$budget_empty_ms" ms
check "10 MB page shown and idle" "$page_ms" "$budget_page_ms" ms
check "10 MB page, first screenful" "$page_first_ms" "$budget_first_ms" ms
check "peak memory, 10 MB page" "$page_kb" "$budget_rss_kb" kB
printf '%-34s %8s %-3s\n' "peak memory, no file" "$empty_kb" kB
exit "$verdict"
