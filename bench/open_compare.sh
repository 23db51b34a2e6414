#!/usr/bin/env bash
# Opening large pages in Tessaline and in Geany, side by side in the same run,
# under a private virtual X server: generated accented UTF-8 pages of 10 and
# 50 MB with CR LF line ends, opened from the command line until the program
# is idle. Runs alternate between the two programs (interleaved), each case
# RUNS times after one warm-up run; medians are reported.
#
# Usage: bench/open_compare.sh [path/to/tessaline]
#   Default program: build/release/src/tessaline. RUNS=n (default 5);
#   SIZES="10 50" (megabytes).
#
# How "until idle" is measured:
#   - Tessaline: TESSALINE_BENCH_QUIT=1. The program writes
#     "TESSALINE_BENCH_FIRST <ms>" when the page's first screenful is painted
#     and "TESSALINE_BENCH <ms>" once the whole page is in the editor, the
#     window painted and its event loop about to wait (then it ends); both
#     counted from TESSALINE_BENCH_T0, set just before the launch.
#   - Geany (no hook): the time from launch until the process is idle, idle
#     meaning that its window is mapped (xdotool search --onlyvisible --pid)
#     and the process has been quiet for QUIET_MS (default 300) milliseconds.
#     /proc/PID/stat is polled every 10 ms; a poll counts as busy when the
#     process used at least two clock ticks (20 ms) of processor time in the
#     100 ms before it, so that the caret blinking now and then does not
#     count. Reported is the moment its processor time last went up during
#     a busy stretch (or the window mapped, when later), not the time of
#     the last busy poll: that poll comes up to 80 ms after the work ended,
#     as the 100 ms window slides past it. The time to the window mapped is
#     shown as its "first shown". It is then ended.
#   - Peak memory of both: the maximum resident set size of the ended
#     process (wait4), in MB.
# Geany runs with a fresh private configuration folder, a new instance, no
# session, no plugins. Measure on a quiet machine.
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/compare_setup.sh"
sizes="${SIZES:-10 50}"
for mb in $sizes; do
  write_bench_page "$((mb * 1024 * 1024))" "$work/page$mb.htm" accented
done

mkdir -p "$work/home/.config/Orbelune" "$work/home/run" "$work/geany"
chmod 700 "$work/home" "$work/home/run"

WORK="$work" PROGRAM="$program" RUNS="$runs" SIZES="$sizes" QUIET_MS="${QUIET_MS:-300}" python3 - <<'EOF'
import os, re, shutil, signal, statistics, subprocess, sys, time

work, program = os.environ["WORK"], os.environ["PROGRAM"]
runs, quiet_ms = int(os.environ["RUNS"]), int(os.environ["QUIET_MS"])
sizes = os.environ["SIZES"].split()
home = os.path.join(work, "home")
tick_ms = 1000 / os.sysconf("SC_CLK_TCK")


def ms_since(t0):
    return (time.monotonic_ns() - t0) / 1e6


def tessaline(page):
    shutil.rmtree(os.path.join(home, "run"), ignore_errors=True)
    os.makedirs(os.path.join(home, "run"), mode=0o700)
    with open(os.path.join(home, ".config/Orbelune/Tessaline.conf"), "w") as conf:
        conf.write("[Tessaline]\nAPropos=0\n")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_RUNTIME_DIR=os.path.join(home, "run"), TESSALINE_BENCH_QUIT="1",
               TESSALINE_BENCH_T0=str(time.time_ns()))
    p = subprocess.Popen([program, page], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    err = p.stderr.read().decode(errors="replace")
    _, status, usage = os.wait4(p.pid, 0)
    p.returncode = status
    idle = re.search(r"^TESSALINE_BENCH (\d+)$", err, re.M)
    first = re.search(r"^TESSALINE_BENCH_FIRST (\d+)$", err, re.M)
    if not idle:
        raise SystemExit("open_compare.sh: no measure from Tessaline:\n" + err[-2000:])
    return {"idle": int(idle.group(1)), "first": int(first.group(1)) if first else None,
            "rss": usage.ru_maxrss / 1024}


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def geany(page):
    # Geany now and then ends at once without a window under Xvfb: such a
    # run is started again (three tries).
    for attempt in range(3):
        result = geany_once(page)
        if result:
            return result
        print("open_compare.sh: Geany ended without a window; run again", file=sys.stderr)
    raise SystemExit("open_compare.sh: Geany ended without a window three times")


def geany_once(page):
    # A fresh configuration folder each run: nothing left by the run before.
    shutil.rmtree(os.path.join(work, "geany"), ignore_errors=True)
    os.makedirs(os.path.join(work, "geany"))
    t0 = time.monotonic_ns()
    p = subprocess.Popen(["geany", "-c", os.path.join(work, "geany"), "-i", "-s", "-p", page],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    mapped = None
    last_busy, next_look, history = 0.0, 0.0, []
    last_rise, last_ticks = 0.0, 0
    while True:
        time.sleep(0.01)
        now = ms_since(t0)
        t = cpu_ticks(p.pid)
        history.append((now, t))
        while history[0][0] < now - 100:
            history.pop(0)
        if t != last_ticks:
            last_rise, last_ticks = now, t
        if t - history[0][1] >= 2:
            last_busy = last_rise
        if mapped is None and now >= next_look:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(p.pid)],
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout.strip()
            if found:
                mapped = now
            next_look = now + 50
        if mapped is not None and now - last_busy >= quiet_ms:
            break
        if p.poll() is not None:
            return None
        if now > 120000:
            p.kill()
            raise SystemExit(f"open_compare.sh: Geany did not settle in 2 minutes (window mapped: "
                             f"{mapped is not None}, last busy at {last_busy:.0f} ms)")
    p.send_signal(signal.SIGKILL)
    _, _, usage = os.wait4(p.pid, 0)
    return {"idle": round(max(last_busy, mapped)), "first": round(mapped), "rss": usage.ru_maxrss / 1024}


def med(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else float("nan")


print(f"Opening until idle, median of {runs} interleaved runs ({program})")
print(f"{'page':>6} {'program':<10} {'until idle':>11} {'first shown':>12} {'peak memory':>12}")
for mb in sizes:
    page = os.path.join(work, f"page{mb}.htm")
    tessaline(page), geany(page)  # warm-up: file cache, fonts
    results = {"Tessaline": [], "Geany": []}
    for _ in range(runs):
        results["Tessaline"].append(tessaline(page))
        results["Geany"].append(geany(page))
    row = {}
    for name, rs in results.items():
        row[name] = {k: med([r[k] for r in rs]) for k in ("idle", "first", "rss")}
        r = row[name]
        print(f"{mb:>4}MB {name:<10} {r['idle']:>8.0f} ms {r['first']:>9.0f} ms {r['rss']:>9.0f} MB")
    t, g = row["Tessaline"], row["Geany"]
    print(f"{mb:>4}MB ratio      {t['idle'] / g['idle']:>11.2f} {'':>12} {t['rss'] / g['rss']:>12.2f}")
EOF
