#!/usr/bin/env bash
# Builds the program and starts the GUI on the embedded default installation
# with a sample profile open (made from the shipped sample codeplug image).
# Without a display it says so and runs the command-line demonstration:
# the same sample image converted to its profile text.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD="${TAVO_BUILD_DIR:-build}"
scripts/deps.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" --target tavocps tavocps-cli tavo_help
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
exec "$BUILD/bin/tavocps" "$SAMPLES/demo-OUD11602.kp2" "$@"
