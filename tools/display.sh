# Sourced: ensure_display starts an Xvfb when there is no display;
# start_display_pool starts the test runs' servers. Both stop theirs when the
# calling script exits. Wine needs an X server for any window.
# A script with an EXIT trap of its own calls stop_displays in it.
kit_xvfb_pids=()
stop_displays() { [ ${#kit_xvfb_pids[@]} -eq 0 ] || kill "${kit_xvfb_pids[@]}" 2>/dev/null || true; }
trap stop_displays EXIT

ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n display=
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  [ -n "$display" ] || { echo "no free X display number for Xvfb" >&2; return 1; }
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  kit_xvfb_pids+=($!)
  export DISPLAY=$display
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
}

# start_display_pool COUNT LOCK_DIR: COUNT servers for the test runs, one run
# on each at a time (tools/wine/run-in-prefix.sh takes a free one by its lock
# in LOCK_DIR). Exports KIT_DISPLAYS and KIT_DISPLAY_LOCKS.
start_display_pool() {
  local count=$1 locks=$2 i number_file displays=()
  mkdir -p "$locks"
  for i in $(seq "$count"); do
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    kit_xvfb_pids+=($!)
    for _ in $(seq 500); do [ -s "$number_file" ] && break; sleep 0.02; done
    [ -s "$number_file" ] && displays+=(":$(cat "$number_file")")
    rm -f "$number_file"
  done
  export KIT_DISPLAYS="${displays[*]}" KIT_DISPLAY_LOCKS=$locks
}
