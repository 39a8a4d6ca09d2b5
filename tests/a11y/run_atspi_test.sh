#!/usr/bin/env bash
# Runs the demo window under a private X server and D-Bus session with the
# AT-SPI bus, and reads it with the AT-SPI client. Starts everything it
# needs and stops all of it again; exits 77 (a skip for CTest) only when a
# program it needs is not installed.
#
#   run_atspi_test.sh DEMO_EXECUTABLE CLIENT_SCRIPT
set -euo pipefail

demo=$1
client=$2
python=/usr/bin/python3
launcher=/usr/libexec/at-spi-bus-launcher

skip() { echo "SKIP: $1 (scripts/setup-debian.sh installs it)"; exit 77; }
command -v Xvfb >/dev/null || skip "Xvfb is not installed"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
[ -x "$launcher" ] || skip "at-spi2-core is not installed"
"$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts
# connections. -noreset: the bus launcher connects to X only to publish the
# bus address and leaves; the server must not reset then, while the demo
# may be connecting (a CI run once saw the demo refused by a fresh server).
mkfifo "$work/display"
Xvfb -displayfd 3 -noreset -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
if ! read -r -t 10 display <"$work/display"; then
  cat "$work/xvfb.log"; echo "FAIL: Xvfb did not start"; exit 1
fi
export DISPLAY=":$display"

# Inside a fresh session bus: the accessibility bus, the demo, the client.
export DEMO="$demo" CLIENT="$client" PYTHON="$python" LAUNCHER="$launcher" WORK="$work"
exec 4>&1
timeout 60 dbus-run-session -- bash -c '
  set -euo pipefail
  inner=()
  stop() { for pid in "${inner[@]}"; do kill "$pid" 2>/dev/null || true; done; }
  trap stop EXIT
  "$LAUNCHER" --launch-immediately >"$WORK/bus.log" 2>&1 &
  inner+=($!)
  # Qt speaks AT-SPI only when asked to or when a screen reader runs.
  # Third-party libraries under X leak at exit; the unit tests check ours.
  QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0" \
    "$DEMO" >"$WORK/demo.log" 2>&1 &
  inner+=($!)
  status=0
  "$PYTHON" "$CLIENT" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "--- demo output"; cat "$WORK/demo.log"
    echo "--- accessibility bus"; cat "$WORK/bus.log"
  else
    echo "--- demo output"; cat "$WORK/demo.log"
  fi
  exit "$status"
'
