# Sourced: ensure_display starts an Xvfb when there is no display, and stops
# it when the calling script exits. Wine needs an X server for any window.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n display=
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
  done
  [ -n "$display" ] || { echo "no free X display number for Xvfb" >&2; return 1; }
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  KIT_XVFB_PID=$!
  export DISPLAY=$display
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  trap 'kill "$KIT_XVFB_PID" 2>/dev/null || true' EXIT
}
