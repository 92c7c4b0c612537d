#!/usr/bin/env bash
# Builds the program and runs it on the embedded default installation:
# the command-line front end converts the shipped sample codeplug image.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO_BUILD_TESTS=OFF >/dev/null
cmake --build build
exec build/bin/tavocps-cli image2profile install/samples/demo-OUD11602.img "$@"
