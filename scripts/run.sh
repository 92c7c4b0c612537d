#!/usr/bin/env bash
# Builds the program and starts the GUI on the embedded default installation
# with a sample profile open (made from the shipped sample codeplug image).
# The simulated radio (tavo-radio-sim, the demonstration radio) runs beside
# it on a pseudo-terminal that the GUI is pointed at (--port), so Read,
# edit and Write work at once; the simulator ends with the GUI.
# Without a display it says so and runs the command-line demonstration:
# the same sample image converted to its profile text.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${TAVO_BUILD_DIR:-build}"
scripts/deps.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target tavocps tavocps-cli tavo-radio-sim tavo_help
CLI="$BUILD/bin/tavocps-cli"
IMAGE=install/samples/demo-OUD11602.img

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line demonstration instead."
  exec "$CLI" image2profile "$IMAGE"
fi

SAMPLES="$BUILD/samples"
mkdir -p "$SAMPLES"
"$CLI" image2profile "$IMAGE" > "$SAMPLES/demo-OUD11602.xml"
"$CLI" encode "$SAMPLES/demo-OUD11602.xml" "$SAMPLES/demo-OUD11602.kp2"

# The radio: its first line is the terminal's path.
SIMOUT="$SAMPLES/radio-sim.out"
"$BUILD/bin/tavo-radio-sim" --quiet > "$SIMOUT" &
SIM_PID=$!
trap 'kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true' EXIT
PORT=""
for _ in $(seq 50); do
  PORT="$(head -n 1 "$SIMOUT" 2>/dev/null || true)"
  [ -n "$PORT" ] && break
  sleep 0.1
done
if [ -z "$PORT" ]; then
  echo "The simulated radio did not start; the GUI searches for a programming cable instead." >&2
  kill "$SIM_PID" 2>/dev/null || true
  exec "$BUILD/bin/tavocps" "$SAMPLES/demo-OUD11602.kp2" "$@"
fi
echo "Simulated radio on $PORT"
"$BUILD/bin/tavocps" --port "$PORT" "$SAMPLES/demo-OUD11602.kp2" "$@"
