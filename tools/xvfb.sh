# Sourced by the scripts that start the window on a virtual display
# (tools/demo_screenshot.sh, tools/docs_pictures.sh, packaging/check-deb.sh).
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
