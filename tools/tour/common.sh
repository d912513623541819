# What the headless tours share: the driver inside Wine, the program's life, and the real mouse in
# the client coordinates of the program's main window. Source it with `build` set, then call
# start_program WINDOW_CLASS EXE [ARGUMENT...].

driver() { TOUR_WINDOW=$tour_window LC_ALL=C.UTF-8 wine "$build/tools/TourDriver.exe" "$@"; }

# Starts the program, stops it again when the tour ends however it ends (killing Wine's launcher
# alone may leave the program running), and waits for its window; sets ox and oy to the screen
# position of its client area.
start_program() {
  tour_window=$1
  shift
  wine "$@" </dev/null >/dev/null 2>&1 &
  pid=$!
  trap stop_program EXIT
  driver wait
  read -r ox oy < <(driver origin | tr -d '\r')
}

stop_program() {
  if kill -0 "$pid" 2>/dev/null; then
    driver close >/dev/null 2>&1 || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
    kill "$pid" 2>/dev/null || true
  fi
}

click() { xdotool mousemove "$((ox + $1))" "$((oy + $2))" click 1; driver wait; }

drag() {  # drag CLIENT_X CLIENT_Y DX DY, in a few steps as a hand would
  local x=$((ox + $1)) y=$((oy + $2))
  xdotool mousemove "$x" "$y" mousedown 1
  driver wait
  for step in 1 2 3 4; do
    xdotool mousemove "$((x + $3 * step / 4))" "$((y + $4 * step / 4))"
    driver wait
  done
  xdotool mouseup 1
  driver wait
}
