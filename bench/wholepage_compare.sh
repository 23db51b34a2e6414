#!/usr/bin/env bash
# Whole-page commands in Tessaline and in Geany, side by side in the same run,
# under a private virtual X server, both driven by the same keys (xdotool):
#   - on the 50 MB page: Ctrl+A, then opening the find dialog (Ctrl+F), a
#     find of a text that stands only at the end of the page, then saving
#     (a letter typed first, so that both have something to save);
#   - on the 10 MB page: replacing every "Paragraphe" (one on each line) by
#     "Para", and the memory the program holds afterwards.
# Runs alternate between the two programs (interleaved), RUNS times after one
# warm-up run; medians are reported.
#
# Usage: bench/wholepage_compare.sh [path/to/tessaline]
#   Default program: build/release/src/tessaline. RUNS=n (default 5);
#   QUIET_MS (default 400).
#
# How a command is timed (the same way for both programs): /proc/PID/stat is
# polled every 10 ms from the moment the keys are sent. A poll counts as busy
# when the process used at least two clock ticks (20 ms) of processor time in
# the 100 ms before it. The command ends when the process has been quiet for
# QUIET_MS; its time is the moment its processor time last went up during a
# busy stretch (a command that never made the process busy counts as the
# first rise of its processor time, or 0). The processor time is what the
# process used (all its threads) from the keys to that end.
# Memory: "peak during" is the peak resident set size while the command ran
# (the peak is reset through /proc/PID/clear_refs just before), "growth" the
# resident set size after the command less the one before it, "after" the
# resident set size once the command has ended.
# Geany runs with a fresh private configuration folder, a new instance, no
# session, no plugins. Measure on a quiet machine.
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/compare_setup.sh"
write_bench_page "$((50 * 1024 * 1024))" "$work/source50.htm" accented
write_bench_page "$((10 * 1024 * 1024))" "$work/source10.htm" accented

mkdir -p "$work/home/.config/Orbelune" "$work/home/run" "$work/geany"
chmod 700 "$work/home" "$work/home/run"

WORK="$work" PROGRAM="$program" RUNS="$runs" QUIET_MS="${QUIET_MS:-400}" python3 - <<'EOF'
import os, shutil, statistics, subprocess, sys, time

work, program = os.environ["WORK"], os.environ["PROGRAM"]
runs, quiet_ms = int(os.environ["RUNS"]), int(os.environ["QUIET_MS"])
home = os.path.join(work, "home")
tick_ms = 1000 / os.sysconf("SC_CLK_TCK")


def ms_since(t0):
    return (time.monotonic_ns() - t0) / 1e6


def cpu_ticks(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def status_kb(pid, field):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return int(line.split()[1])
    return 0


def rss_mb(pid):
    return status_kb(pid, "VmRSS") / 1024


def xdo(*args):
    return subprocess.run(["xdotool", *args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                          text=True).stdout.strip()


def settle(p, t0, limit_ms=180000):
    """Waits until the process is quiet; returns (ms, cpu ms) counted from t0."""
    start_ticks = cpu_ticks(p.pid)
    last_busy, first_rise, last_rise, last_ticks, history = None, None, 0.0, start_ticks, []
    while True:
        time.sleep(0.01)
        now = ms_since(t0)
        t = cpu_ticks(p.pid)
        history.append((now, t))
        while history[0][0] < now - 100:
            history.pop(0)
        if t != last_ticks:
            last_rise, last_ticks = now, t
            if first_rise is None:
                first_rise = now
        if t - history[0][1] >= 2:
            last_busy = last_rise
        if now - (last_busy or 0.0) >= quiet_ms:
            break
        if p.poll() is not None:
            raise SystemExit("wholepage_compare.sh: the program ended during a command")
        if now > limit_ms:
            raise SystemExit("wholepage_compare.sh: a command did not end in time")
    end = last_busy if last_busy is not None else (first_rise or 0.0)
    return end, (last_ticks - start_ticks) * tick_ms


def window_of(p, timeout_s=120):
    t0 = time.monotonic()
    while time.monotonic() - t0 < timeout_s:
        found = xdo("search", "--onlyvisible", "--pid", str(p.pid)).split()
        if found:
            return found[0]
        if p.poll() is not None:
            return None
        time.sleep(0.05)
    raise SystemExit("wholepage_compare.sh: no window")


def launch(name, page):
    if name == "Tessaline":
        shutil.rmtree(os.path.join(home, "run"), ignore_errors=True)
        os.makedirs(os.path.join(home, "run"), mode=0o700)
        with open(os.path.join(home, ".config/Orbelune/Tessaline.conf"), "w") as conf:
            conf.write("[Tessaline]\nAPropos=0\n")
        env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
                   XDG_RUNTIME_DIR=os.path.join(home, "run"))
        args = [program, page]
    else:
        shutil.rmtree(os.path.join(work, "geany"), ignore_errors=True)
        os.makedirs(os.path.join(work, "geany"))
        env = dict(os.environ)
        args = ["geany", "-c", os.path.join(work, "geany"), "-i", "-s", "-p", page]
    for attempt in range(3):
        p = subprocess.Popen(args, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = window_of(p)
        if window:
            break
        print(f"wholepage_compare.sh: {name} ended without a window; run again", file=sys.stderr)
    else:
        raise SystemExit(f"wholepage_compare.sh: {name} ended without a window three times")
    settle(p, time.monotonic_ns())
    xdo("windowfocus", "--sync", window)
    time.sleep(0.2)
    return p, window


def command(p, keys, typed=None):
    """Sends keys (and text), returns the command's figures."""
    before = rss_mb(p.pid)
    try:
        with open(f"/proc/{p.pid}/clear_refs", "w") as f:
            f.write("5")
    except OSError:
        pass
    t0 = time.monotonic_ns()
    if typed is not None:
        xdo("type", "--delay", "0", typed)
    if keys:
        xdo("key", *keys)
    ms, cpu = settle(p, t0)
    after = rss_mb(p.pid)
    return {"ms": ms, "cpu": cpu, "before": before, "after": after, "growth": after - before,
            "peak": status_kb(p.pid, "VmHWM") / 1024}


def quiet_keys(p, *keys, typed=None):
    if typed is not None:
        xdo("type", "--delay", "0", typed)
    if keys:
        xdo("key", *keys)
    settle(p, time.monotonic_ns())


def focus_other(p, main):
    """Gives the keyboard to Geany's window other than main (a dialog): there
    is no window manager to do it. Qt's dialogs take the focus themselves."""
    if p.args[0] != "geany":
        return
    for _ in range(300):
        others = [w for w in xdo("search", "--onlyvisible", "--pid", str(p.pid)).split() if w != main]
        if others:
            xdo("windowfocus", "--sync", others[-1])
            return
        time.sleep(0.01)
    raise SystemExit("wholepage_compare.sh: no dialog came up")


def stop(p):
    p.kill()
    p.wait()


def run_50(name):
    page = os.path.join(work, f"page50-{name}.htm")
    shutil.copyfile(os.path.join(work, "source50.htm"), page)
    p, main = launch(name, page)
    r = {}
    r["select all"] = command(p, ["ctrl+a"])
    quiet_keys(p, "ctrl+Home")
    r["find dialog"] = command(p, ["ctrl+f"])
    focus_other(p, main)
    quiet_keys(p, typed="</BODY>")
    r["find to end"] = command(p, ["Return"])
    quiet_keys(p, "Escape")
    xdo("windowfocus", "--sync", main)
    quiet_keys(p, typed="x")
    mtime = os.stat(page).st_mtime_ns
    r["save"] = command(p, ["ctrl+s"])
    saved = os.stat(page).st_mtime_ns != mtime
    stop(p)
    if not saved:
        raise SystemExit(f"wholepage_compare.sh: {name} did not save the page")
    return r


def run_10(name):
    page = os.path.join(work, f"page10-{name}.htm")
    shutil.copyfile(os.path.join(work, "source10.htm"), page)
    p, main = launch(name, page)
    # The replace dialog: search text, replacement, then replace all
    # ("Remplacer &tous"; Geany: "Replace All" opened, "In Document").
    quiet_keys(p, "ctrl+r" if name == "Tessaline" else "ctrl+h")
    focus_other(p, main)
    quiet_keys(p, typed="Paragraphe")
    quiet_keys(p, "Tab")
    quiet_keys(p, typed="Para")
    if name == "Tessaline":
        # "&Trouver" and "Remplacer &tous" share Alt+T: the second press
        # gives the focus to "Remplacer &tous", the space bar presses it.
        quiet_keys(p, "alt+t", "alt+t")
        r = command(p, ["space"])
        quiet_keys(p, "Return")  # the report's OK
    else:
        quiet_keys(p, "alt+p")
        r = command(p, ["alt+i"])
    time.sleep(1)
    r["after"] = rss_mb(p.pid)
    # Saved, the page must hold no search text any more: a figure for a
    # replace all that did not happen would be worthless.
    xdo("windowfocus", "--sync", main)
    quiet_keys(p, "ctrl+s")
    time.sleep(1)
    stop(p)
    with open(page, "rb") as f:
        if b"Paragraphe" in f.read():
            raise SystemExit(f"wholepage_compare.sh: {name} did not replace every occurrence")
    return {"replace all": r}


def med(values):
    return statistics.median(values) if values else float("nan")


def report(title, results, fields):
    print(title)
    for op in results["Tessaline"][0]:
        for name in ("Tessaline", "Geany"):
            rs = [r[op] for r in results[name]]
            cells = "  ".join(f"{label} {med([x[key] for x in rs]):8.0f}{unit}" for label, key, unit in fields)
            print(f"  {op:<12} {name:<10} {cells}")
        t = med([r[op]["ms"] for r in results["Tessaline"]])
        g = med([r[op]["ms"] for r in results["Geany"]])
        ta = med([r[op]["after"] for r in results["Tessaline"]])
        ga = med([r[op]["after"] for r in results["Geany"]])
        print(f"  {op:<12} ratio      time {t / g if g else float('nan'):.2f}  memory after {ta / ga:.2f}")


fields = [("time", "ms", " ms"), ("cpu", "cpu", " ms"), ("before", "before", " MB"),
          ("peak during", "peak", " MB"), ("after", "after", " MB"), ("growth", "growth", " MB")]
for label, run in (("50 MB page", run_50), ("10 MB page", run_10)):
    run("Tessaline"), run("Geany")  # warm-up: file cache, fonts
    results = {"Tessaline": [], "Geany": []}
    for _ in range(runs):
        results["Tessaline"].append(run("Tessaline"))
        results["Geany"].append(run("Geany"))
    report(f"{label}, median of {runs} interleaved runs ({program})", results, fields)
EOF
