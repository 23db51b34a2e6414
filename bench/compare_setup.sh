# Sourced by the scripts that run Tessaline and Geany side by side: the
# program to measure (first argument, or the build of scripts/run.sh), RUNS,
# the tools they need, a work folder and a private X server (both removed on
# exit), and write_bench_page.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="${1:-$root/build/release/src/tessaline}"
runs="${RUNS:-5}"

fail() {
  echo "$(basename "$0"): $*" >&2
  exit 2
}
[ -x "$program" ] || fail "no program at $program (build it first, or give its path)"
for tool in Xvfb geany xdotool python3; do
  command -v "$tool" >/dev/null || fail "$tool is missing (Debian packages xvfb geany xdotool python3)"
done

work="$(mktemp -d)"
. "$(dirname "${BASH_SOURCE[0]}")/privatexvfb.sh"
# The pages: plain HTML with accented paragraphs, CR LF line ends.
. "$(dirname "${BASH_SOURCE[0]}")/benchpage.sh"
