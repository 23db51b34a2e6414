# Sourced by the benchmark scripts: starts a private X server on the first
# free display and exports DISPLAY; on exit the server is stopped and the
# script's work folder removed. Needs $work (a folder of the script's own)
# and a fail function that reports and exits.
xvfb_pid=""
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# A private X server on the first free display; it writes its number when ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 100); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.05
done
[ -s "$work/display" ] || fail "Xvfb gave no display number"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
