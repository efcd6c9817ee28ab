# Sourced: start_xvfb [size] starts a virtual display of our own, exports
# DISPLAY and sets xvfb_pid. Xvfb picks the number itself (-displayfd), under
# its own lock: scripts started at the same moment never share a display, so
# one ending cannot take another's windows with it.
start_xvfb() {
  local said n
  said=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-1280x1024}x24" -nolisten tcp 3>"$said" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 200); do [ -s "$said" ] && break; sleep 0.05; done
  n=$(tr -dc 0-9 <"$said")
  rm -f "$said"
  export DISPLAY=":${n:-99}"
}
