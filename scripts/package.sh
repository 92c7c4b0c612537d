#!/usr/bin/env bash
# Builds the Debian package tavocps_<version>_<arch>.deb: a Release build in
# its own folder (build-package/, or the one given) with the distribution's
# hardening flags, the programs only (no tests, benchmarks or fuzz
# harnesses), then CPack's DEB generator. Prints the package's path.
#
#     scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
src="$(pwd)"
build="${1:-build-package}"
command -v dpkg-buildflags >/dev/null || { echo "package.sh: dpkg-buildflags missing (package dpkg-dev)" >&2; exit 1; }

# The flags Debian builds its packages with, every hardening feature on:
# -D_FORTIFY_SOURCE=2, -fstack-protector-strong, format checks, full RELRO
# with immediate binding, position-independent executables. The prefix map
# keeps the build folder out of the binaries.
eval "$(cd "$src" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS" LDFLAGS

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DTAVO_SANITIZE=OFF -DTAVO_BUILD_TESTS=OFF \
  -DTAVO_BUILD_BENCH=OFF -DTAVO_BUILD_FUZZ=OFF -DTAVO_COMPRESS_MAN_PAGES=ON -DTAVO_INSTALL_MACHINE_SETTINGS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j"${JOBS:-2}"
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/tavocps_*.deb
