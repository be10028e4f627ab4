# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end scripts that need a window: a scratch folder
# $WORK, an Xvfb on a display of its own (start_display), and on exit every
# process handed to `track` ended and the folder removed.
WORK=$(mktemp -d)
# The file chooser records recent files under the data folder; a missing one
# sends it down an error path that leaks, and no test should write to $HOME.
export XDG_DATA_HOME="$WORK/data"
mkdir -p "$XDG_DATA_HOME"
# The toolkit's font caches, allocated in libfontconfig, live until exit.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/lsan.supp"
lg_tracked=()
track() { lg_tracked+=("$1"); }
end_tracked() {
  local pid
  for pid in "${lg_tracked[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$WORK"
}
trap end_tracked EXIT

# Starts Xvfb on a free display, with any further Xvfb options given, and
# exports DISPLAY for it.
start_display() {
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp "$@" 3>"$WORK/display" 2>/dev/null &
  track $!
  for _ in $(seq 100); do [ -s "$WORK/display" ] && break; sleep 0.05; done
  export DISPLAY=:$(cat "$WORK/display")
}
