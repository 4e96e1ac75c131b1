# Sourced: X servers (Xvfb) for Wine, which needs one for any window. Every
# Wine run of the tests starts one of its own with start_xvfb
# (tools/wine/run-in-prefix.sh, prepare-prefix.sh); the demo uses the user's
# display, or one from ensure_display. Every server started here stops when
# the calling script exits (a script with an EXIT trap of its own calls
# stop_displays in it).
kit_xvfb_pids=()
stop_displays() { [ ${#kit_xvfb_pids[@]} -eq 0 ] || kill "${kit_xvfb_pids[@]}" 2>/dev/null || true; }
trap stop_displays EXIT

# start_xvfb: a server on a display number it chooses itself, so that
# servers started side by side never collide; sets kit_new_display (":N",
# empty when none came up).
start_xvfb() {
  local number_file
  kit_new_display=
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  kit_xvfb_pids+=($!)
  for _ in $(seq 500); do [ -s "$number_file" ] && break; sleep 0.02; done
  [ -s "$number_file" ] && kit_new_display=":$(cat "$number_file")"
  rm -f "$number_file"
  [ -n "$kit_new_display" ]
}

ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  start_xvfb || { echo "no X server (Xvfb) could be started" >&2; return 1; }
  export DISPLAY=$kit_new_display
}
