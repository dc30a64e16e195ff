# Sourced by the scripts that start the window on a virtual display
# (the picture scripts in tools/, packaging/check-deb.sh).
# Makes the scratch folder $work, and on exit stops $app_pid and Xvfb and
# removes $work, keeping the script's exit status.  Needs fail().
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  local rc=$?
  set +e
  for pid in $app_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
  exit "$rc"
}
trap cleanup EXIT

# start_xvfb WIDTHxHEIGHT [DPI]: a server on a display it picks itself (so
# runs side by side do not collide), exported as DISPLAY.
start_xvfb() {
  local dpi=()
  [ -n "${2:-}" ] && dpi=(-dpi "$2")
  Xvfb -displayfd 3 -screen 0 "$1x24" "${dpi[@]}" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb did not report its display"
  export DISPLAY=":$(cat "$work/display")"
}

# wait_for <pattern> <what>: until the demo's log shows the pattern.
wait_for() {
  for _ in $(seq 150); do
    grep -q "$1" "$work/demo.log" && return 0
    kill -0 "$app_pid" 2>/dev/null || { cat "$work/demo.log" >&2; fail "the demo exited before $2"; }
    sleep 0.1
  done
  cat "$work/demo.log" >&2
  fail "no sign that $2"
}

# start_demo [options...]: $demo with its log in $work/demo.log, once its
# transmitter and window are up; sets $win and the window's X, Y, WIDTH,
# HEIGHT.
start_demo() {
  "$demo" "$@" 2>"$work/demo.log" &
  app_pid=$!
  wait_for "simulated transmitter on" "the simulated transmitter started"
  win=$(timeout 20 xdotool search --sync --onlyvisible --name 'Zarvik' | head -n1) || true
  [ -n "$win" ] || fail "the demo window did not appear"
  eval "$(xdotool getwindowgeometry --shell "$win")"
}

# click <x> <y> [button]: in the window's coordinates at scale 1, times
# $scale where a script renders larger.
click() { xdotool mousemove --window "$win" $(($1 * ${scale:-1})) $(($2 * ${scale:-1})) click "${3:-1}"; }
