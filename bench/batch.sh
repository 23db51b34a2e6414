#!/usr/bin/env bash
# Speed and peak memory of the batch passes on a generated 10 MB accented
# UTF-8 page with CR LF line ends, side by side with recode (the same
# conversion in the same direction) and cp of the same file:
#   --to-entities    against  recode utf8..html
#   --from-entities  against  recode html..utf8  (on the converted page)
#   --compact        against  cp
# and each pass against cp of the file it reads. Medians of interleaved runs
# of wall time, CPU time (user + system) and peak memory, with the CPU time
# ratios: on a machine that other work shares, CPU time is what compares.
#
# Usage: bench/batch.sh [path/to/tessaline-batch]
#   The program defaults to build/release/src/tessaline-batch (what
#   scripts/run.sh builds). RUNS=n sets the runs of each case (default 5,
#   interleaved; medians reported). CALLGRIND=1 adds the instruction count of
#   one run of each pass, which does not depend on the machine's load.
# recode is needed for the comparison only (apt-get install recode).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="${1:-$root/build/release/src/tessaline-batch}"
runs="${RUNS:-5}"
command -v recode >/dev/null || { echo "recode manque (apt-get install recode)" >&2; exit 2; }
[ -x "$program" ] || { echo "Programme introuvable: $program" >&2; exit 2; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# About 10 MB of French paragraphs, tags and a comment or two, CR LF.
python3 - "$work/page.htm" <<'PY'
import sys
words = ("élève", "à", "été", "côté", "naïf", "garçon", "forêt", "Noël", "cœur", "déjà", "où", "très",
         "maison", "page", "le", "la", "des", "une", "texte", "«", "»", "©", "™")
lines, size, i = [], 0, 0
while size < 10 * 1024 * 1024:
    i += 1
    w = " ".join(words[(i * 7 + k * 3) % len(words)] for k in range(12))
    line = f'  <p class="c{i % 9}">{w}   <b>{words[i % len(words)]}</b> </p>'
    if i % 500 == 0:
        line += " <!-- note é -->"
    lines.append(line)
    size += len(line.encode()) + 2
open(sys.argv[1], "wb").write(("\r\n".join(lines) + "\r\n").encode())
PY
cp "$work/page.htm" "$work/entities.htm"
"$program" --to-entities "$work/entities.htm" >/dev/null

# One timed run: prints "wall-seconds cpu-seconds peak-kB". A small C
# program runs the command so that its own size counts for nothing in the
# peak memory; CPU time is user + system of the command alone, to the
# microsecond: on a machine shared with other work it is the figure to compare.
cat >"$work/measure.c" <<'C'
#include <stdio.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <fcntl.h>
#include <unistd.h>
int main(int argc, char **argv)
{
    struct timespec a, b;
    clock_gettime(CLOCK_MONOTONIC, &a);
    pid_t pid = fork();
    if (pid == 0) {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status;
    struct rusage usage;
    wait4(pid, &status, 0, &usage);
    clock_gettime(CLOCK_MONOTONIC, &b);
    printf("%.4f %.4f %ld\n", (b.tv_sec - a.tv_sec) + (b.tv_nsec - a.tv_nsec) / 1e9,
           usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6,
           usage.ru_maxrss);
    return 0;
}
C
cc -O2 -o "$work/measure" "$work/measure.c"
measure() { "$work/measure" "$@"; }

declare -A wall cpu rss
run_case() { # name source command...
  local name="$1" source="$2"; shift 2
  cp "$source" "$work/in.htm"
  read -r w c m < <(measure "$@")
  wall[$name]+="$w "; cpu[$name]+="$c "; rss[$name]+="$m "
}

for _ in $(seq "$runs"); do
  run_case to-entities "$work/page.htm" "$program" --to-entities "$work/in.htm"
  run_case recode-utf8-html "$work/page.htm" recode utf8..html "$work/in.htm"
  run_case from-entities "$work/entities.htm" "$program" --from-entities "$work/in.htm"
  run_case recode-html-utf8 "$work/entities.htm" recode html..utf8 "$work/in.htm"
  run_case compact "$work/page.htm" "$program" --compact "$work/in.htm"
  run_case cp "$work/page.htm" cp "$work/in.htm" "$work/copy.htm"
  run_case cp-entities "$work/entities.htm" cp "$work/in.htm" "$work/copy.htm"
done

median() { tr ' ' '\n' <<<"$1" | grep . | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }

# Each pass beside its peer: recode in the same direction, and cp of the
# same file (the page, or the converted page the back conversion reads).
declare -A peer=([to-entities]=recode-utf8-html [from-entities]=recode-html-utf8 [compact]=)
declare -A copy=([to-entities]=cp [from-entities]=cp-entities [compact]=cp)
printf 'Page: %s octets (convertie: %s), %s exécutions par cas, alternées (médianes)\n' \
  "$(stat -c %s "$work/page.htm")" "$(stat -c %s "$work/entities.htm")" "$runs"
printf '%-18s %9s %9s %13s %11s %9s\n' cas "réel (s)" "CPU (s)" "mémoire (Ko)" "CPU/recode" "CPU/cp"
for name in to-entities recode-utf8-html from-entities recode-html-utf8 compact cp cp-entities; do
  c="$(median "${cpu[$name]}")"
  vs_recode="" vs_cp=""
  if [ -n "${copy[$name]+set}" ]; then
    [ -n "${peer[$name]}" ] && vs_recode="$(ratio "$c" "$(median "${cpu[${peer[$name]}]}")")"
    vs_cp="$(ratio "$c" "$(median "${cpu[${copy[$name]}]}")")"
  fi
  printf '%-18s %9s %9s %13s %11s %9s\n' "$name" "$(median "${wall[$name]}")" "$c" \
    "$(median "${rss[$name]}")" "$vs_recode" "$vs_cp"
done

if [ "${CALLGRIND:-0}" = 1 ]; then
  echo "Instructions (callgrind, une exécution):"
  for pass in to-entities from-entities compact; do
    source="$work/page.htm"
    [ "$pass" = from-entities ] && source="$work/entities.htm"
    cp "$source" "$work/in.htm"
    valgrind --tool=callgrind --callgrind-out-file="$work/cg.out" "$program" "--$pass" "$work/in.htm" \
      >/dev/null 2>"$work/cg.log" || true
    printf '  %-14s %s\n' "$pass" "$(grep -o 'refs: *[0-9,]*' "$work/cg.log" | tr -d ' refs:')"
  done
fi
