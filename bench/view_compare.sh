#!/usr/bin/env bash
# The editing view under load, in Tessaline and in Geany, side by side in
# the same run under a private virtual X server. Runs alternate between the
# two programs (interleaved); medians of RUNS runs, processor time beside
# wall time:
#   - opening a page of one 5 MB line of minified HTML until painted and
#     idle, word wrap on and off;
#   - on that page (wrap on): Ctrl+End, typing a letter at its end, and each
#     step of a mouse drag selecting on it;
#   - processor time used in IDLE_S seconds (default 10) with the caret
#     blinking, on a 10 MB page;
#   - 200 x Page Down through that 10 MB page, wrap on;
#   - Ctrl+End on a page of 1,000,000 short lines.
#
# Usage: bench/view_compare.sh [path/to/tessaline]
#   Default program: build/release/src/tessaline. RUNS=n (default 5).
#
# How it measures:
#   - Opening: Tessaline with TESSALINE_BENCH_QUIT=1 (see startup.sh: the
#     page painted and the event loop about to wait), its processor time
#     from wait4. Geany: until its window is mapped and the process quiet
#     for 300 ms, as bench/open_compare.sh does, its processor time up to
#     then from /proc.
#   - A key or a mouse step: the program is started, left to settle, its
#     window given the focus; the event is sent through the XTEST extension
#     from this script (no process started per event), then the program's
#     processor time (/proc/PID/task/*/schedstat, nanoseconds) is polled
#     every millisecond until it has not risen by 0.3 ms or more in one poll
#     for QUIET_MS (default 150): both programs wake a few times a second
#     for a tenth of that (the caret's blink, timers), which does not count.
#     Wall time: from the event sent to the last such rise; processor time:
#     the rise over that stretch. The same for both programs.
# Geany runs with a fresh private configuration folder, a new instance, no
# session, no plugins; its line wrapping is set in that configuration.
set -euo pipefail

. "$(dirname "${BASH_SOURCE[0]}")/compare_setup.sh"
write_bench_page $((10 * 1024 * 1024)) "$work/page10.htm" accented
# One line of minified markup: tags, attributes, classes, styles, text.
LC_ALL=C awk -v target=$((5 * 1024 * 1024)) 'BEGIN {
  ORS = ""
  print "<!DOCTYPE html><html lang=\"fr\"><head><meta charset=\"utf-8\"><title>Page minifiée</title>"
  print "<style>.c{color:#333}</style></head><body>"
  size = 140
  for (i = 1; size < target - 40; i++) {
    s = sprintf("<div class=\"c%d\" id=\"d%d\"><a href=\"/p/%d.html\" style=\"margin:0\">lien %d</a> texte &amp; suite <span>%d</span></div>", i % 13, i, i, i, i)
    print s
    size += length(s)
  }
  print "</body></html>\n"
}' >"$work/oneline.htm"
LC_ALL=C awk 'BEGIN { ORS = "\r\n"; for (i = 0; i < 1000000; i++) print "<P>ligne " i "</P>" }' >"$work/million.htm"

mkdir -p "$work/home/.config/Orbelune" "$work/home/run" "$work/geany"
chmod 700 "$work/home" "$work/home/run"

WORK="$work" PROGRAM="$program" RUNS="$runs" QUIET_MS="${QUIET_MS:-150}" IDLE_S="${IDLE_S:-10}" python3 - <<'EOF'
import ctypes, glob, os, re, shutil, signal, statistics, subprocess, sys, time

work, program = os.environ["WORK"], os.environ["PROGRAM"]
runs, quiet_ms, idle_s = int(os.environ["RUNS"]), int(os.environ["QUIET_MS"]), float(os.environ["IDLE_S"])
home = os.path.join(work, "home")
tick_ns = 1e9 / os.sysconf("SC_CLK_TCK")
busy_ns = 300_000

# XTEST through Xlib, so that an event goes out without starting a process.
x11 = ctypes.CDLL("libX11.so.6")
xtst = ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
dpy = x11.XOpenDisplay(None)
if not dpy:
    raise SystemExit("view_compare.sh: cannot open the display")


def keycode(name):
    return x11.XKeysymToKeycode(dpy, x11.XStringToKeysym(name.encode()))


def press(keys, times=1):
    """keys like "ctrl+End": pressed and released times times, then flushed."""
    codes = [keycode({"ctrl": "Control_L", "shift": "Shift_L"}.get(k, k)) for k in keys.split("+")]
    for _ in range(times):
        for c in codes:
            xtst.XTestFakeKeyEvent(dpy, c, 1, 0)
        for c in reversed(codes):
            xtst.XTestFakeKeyEvent(dpy, c, 0, 0)
    x11.XFlush(dpy)


def motion(x, y):
    xtst.XTestFakeMotionEvent(dpy, -1, x, y, 0)
    x11.XFlush(dpy)


def button(down):
    xtst.XTestFakeButtonEvent(dpy, 1, 1 if down else 0, 0)
    x11.XFlush(dpy)


def cpu_ns(pid):
    total = 0
    for stat in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(stat) as f:
                total += int(f.read().split()[0])
        except (OSError, ValueError, IndexError):
            pass
    return total


def ms_since(t0):
    return (time.monotonic_ns() - t0) / 1e6


def after(pid, action):
    """Sends action, waits until pid is quiet; (wall ms, processor ms)."""
    cpu0 = cpu_ns(pid)
    t0 = time.monotonic_ns()
    action()
    last_rise, rise_cpu, previous = 0.0, cpu0, cpu0
    while True:
        time.sleep(0.001)
        now = ms_since(t0)
        c = cpu_ns(pid)
        # Busy: at least BUSY_NS in one poll; a timer's wake-up (the caret's
        # blink, a status update) costs a tenth of that.
        if c - previous >= busy_ns:
            last_rise, rise_cpu = now, c
        previous = c
        if now - last_rise >= quiet_ms:
            return last_rise, (rise_cpu - cpu0) / 1e6
        if now > 120000:
            raise SystemExit("view_compare.sh: no quiet after 2 minutes")


def settle(pid, quiet=300):
    """Waits for a mapped window and quiet_ms of rest; returns (window, ms from now)."""
    t0 = time.monotonic_ns()
    window, last_rise, last_cpu = None, 0.0, cpu_ns(pid)
    while True:
        time.sleep(0.01)
        now = ms_since(t0)
        c = cpu_ns(pid)
        if c - last_cpu > 1e6:  # more than 10 % of a core in 10 ms
            last_rise = now
        last_cpu = c
        if window is None:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)],
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout.split()
            if found:
                # The program's main window: the largest one shown.
                window = max((int(w) for w in found), key=lambda w: geometry(w)[2] * geometry(w)[3])
        if window is not None and now - last_rise >= quiet:
            return window
        if now > 180000:
            raise SystemExit("view_compare.sh: the program did not settle in 3 minutes")


def geometry(window):
    out = subprocess.run(["xdotool", "getwindowgeometry", "--shell", str(window)],
                         stdout=subprocess.PIPE, text=True).stdout
    g = dict(line.split("=") for line in out.split())
    return int(g["X"]), int(g["Y"]), int(g["WIDTH"]), int(g["HEIGHT"])


def tessaline_env(wrap, bench):
    shutil.rmtree(os.path.join(home, "run"), ignore_errors=True)
    os.makedirs(os.path.join(home, "run"), mode=0o700)
    with open(os.path.join(home, ".config/Orbelune/Tessaline.conf"), "w") as conf:
        conf.write(f"[Tessaline]\nAPropos=0\n[Editeur]\nMarge={1 if wrap else 0}\n")
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, ".config"),
               XDG_RUNTIME_DIR=os.path.join(home, "run"))
    if bench:
        env.update(TESSALINE_BENCH_QUIT="1", TESSALINE_BENCH_T0=str(time.time_ns()))
    return env


def geany_dir(wrap):
    shutil.rmtree(os.path.join(work, "geany"), ignore_errors=True)
    os.makedirs(os.path.join(work, "geany"))
    with open(os.path.join(work, "geany", "geany.conf"), "w") as conf:
        conf.write(f"[geany]\nline_wrapping={'true' if wrap else 'false'}\n")
    return os.path.join(work, "geany")


def start(name, page, wrap):
    if name == "Tessaline":
        return subprocess.Popen([program, page], env=tessaline_env(wrap, False),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return subprocess.Popen(["geany", "-c", geany_dir(wrap), "-i", "-s", "-p", page],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def stop(p):
    p.send_signal(signal.SIGKILL)
    p.wait()


def open_page(name, page, wrap):
    """Open until painted and idle: (wall ms, processor ms)."""
    if name == "Tessaline":
        p = subprocess.Popen([program, page], env=tessaline_env(wrap, True),
                             stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        err = p.stderr.read().decode(errors="replace")
        _, _, usage = os.wait4(p.pid, 0)
        idle = re.search(r"^TESSALINE_BENCH (\d+)$", err, re.M)
        if not idle:
            raise SystemExit("view_compare.sh: no measure from Tessaline:\n" + err[-2000:])
        return int(idle.group(1)), (usage.ru_utime + usage.ru_stime) * 1000
    t0 = time.monotonic_ns()
    p = start(name, page, wrap)
    mapped, last_busy, last_rise, last_ticks, history, next_look = None, 0.0, 0.0, 0, [], 0.0
    busy_cpu = 0
    while True:
        time.sleep(0.01)
        now = ms_since(t0)
        t = cpu_ns(p.pid)
        history.append((now, t))
        while history[0][0] < now - 100:
            history.pop(0)
        if t != last_ticks:
            last_rise, last_ticks = now, t
        if t - history[0][1] >= 2 * tick_ns:
            last_busy, busy_cpu = last_rise, t
        if mapped is None and now >= next_look:
            if subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(p.pid)],
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout.strip():
                mapped = now
            next_look = now + 50
        if mapped is not None and now - last_busy >= 300:
            break
        if now > 300000:
            stop(p)
            return float("nan"), float("nan")
    stop(p)
    return max(last_busy, mapped), busy_cpu / 1e6


def session(name, page, wrap, steps):
    """Starts name on page, settles, focuses; runs steps(pid, window)."""
    p = start(name, page, wrap)
    try:
        window = settle(p.pid)
        x11.XSetInputFocus(dpy, window, 2, 0)
        x11.XSync(dpy, 0)
        time.sleep(0.2)
        return steps(p.pid, window)
    finally:
        stop(p)


def long_line_steps(pid, window):
    r = {"Ctrl+End": after(pid, lambda: press("ctrl+End"))}
    r["letter at end"] = after(pid, lambda: press("x"))
    press("ctrl+Home")
    settle(pid, 200)
    x, y, w, h = geometry(window)
    x0, y0 = x + w // 3, y + h // 3
    motion(x0, y0)
    after(pid, lambda: button(True))
    drags = [after(pid, lambda k=k: motion(x0 + 37 * k, y0 + 11 * k)) for k in range(1, 8)]
    button(False)
    r["drag step"] = (statistics.median(d[0] for d in drags), statistics.median(d[1] for d in drags))
    return r


def idle_and_pages(pid, window):
    c0 = cpu_ns(pid)
    time.sleep(idle_s)
    r = {f"idle {idle_s:.0f} s, caret blinking": (idle_s * 1000, (cpu_ns(pid) - c0) / 1e6)}
    r["200 x Page Down"] = after(pid, lambda: press("Next", 200))
    return r


def end_steps(pid, window):
    return {"Ctrl+End": after(pid, lambda: press("ctrl+End"))}


def med(values):
    values = [v for v in values if v == v]
    return statistics.median(values) if values else float("nan")


def report(title, results):
    print(f"\n{title}  (median of {runs}; wall ms / processor ms)")
    for case in results["Tessaline"][0]:
        cells = []
        for name in ("Tessaline", "Geany"):
            wall = med([r[case][0] for r in results[name]])
            cpu = med([r[case][1] for r in results[name]])
            cells.append(f"{name} {wall:8.1f} / {cpu:8.1f}")
        print(f"  {case:<28} " + "   ".join(cells))


def interleave(title, run):
    results = {"Tessaline": [], "Geany": []}
    for _ in range(runs):
        for name in results:
            results[name].append(run(name))
    report(title, results)


oneline = os.path.join(work, "oneline.htm")
page10 = os.path.join(work, "page10.htm")
million = os.path.join(work, "million.htm")
print(f"The editing view, Tessaline ({program}) beside Geany")
for name in ("Tessaline", "Geany"):  # warm-up: file cache, fonts
    open_page(name, oneline, True)
interleave("Opening one 5 MB line", lambda name: {
    "wrap on": open_page(name, oneline, True), "wrap off": open_page(name, oneline, False)})
interleave("On the 5 MB line, wrap on", lambda name: session(name, oneline, True, long_line_steps))
interleave("On the 5 MB line, wrap off", lambda name: session(name, oneline, False, long_line_steps))
interleave("10 MB page, wrap on", lambda name: session(name, page10, True, idle_and_pages))
interleave("1,000,000 lines", lambda name: session(name, million, True, end_steps))
EOF
