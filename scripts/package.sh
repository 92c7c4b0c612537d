#!/usr/bin/env bash
# Builds the Debian package tavocps_<version>_<arch>.deb and prints its path
# (only that, on standard output; the build talks on standard error).
#
#     scripts/package.sh [BUILD_DIR]               CPack: build-package/ by default
#     scripts/package.sh --debhelper [BUILD_DIR]   debian/ with dpkg-buildpackage, in a
#                                                  clean copy of the sources: build-deb/ by default
#
# TAVO_KEEP_TREE=1 keeps the debhelper way's copy, with its build folder
# obj-*/, beside the package (BUILD_DIR/tavocps-<version>).
#
# Either way a Release build of the programs alone (no tests, benchmarks or
# fuzz harnesses) with the distribution's hardening flags, dated by the
# changelog's entry (SOURCE_DATE_EPOCH), so that two builds of one commit
# give the same package.
set -euo pipefail
cd "$(dirname "$0")/.."
src="$(pwd)"
way=cpack
if [ "${1:-}" = --debhelper ]; then
  way=debhelper
  shift
fi
command -v dpkg-buildflags >/dev/null || { echo "package.sh: dpkg-buildflags missing (package dpkg-dev)" >&2; exit 1; }
version="$(dpkg-parsechangelog -l "$src/debian/changelog" -SVersion)"
export SOURCE_DATE_EPOCH="$(dpkg-parsechangelog -l "$src/debian/changelog" -STimestamp)"
deb="tavocps_${version}_$(dpkg --print-architecture).deb"
# A compiler cache, where one is installed.
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
fi

if [ "$way" = debhelper ]; then
  command -v dpkg-buildpackage >/dev/null && command -v dh >/dev/null \
    || { echo "package.sh: dpkg-buildpackage or dh missing (packages dpkg-dev, debhelper)" >&2; exit 1; }
  out="$(mkdir -p "${1:-build-deb}" && cd "${1:-build-deb}" && pwd)"
  # The sources as the repository holds them (the tracked files as they are
  # now), nothing of any build.
  rm -rf "$out/tavocps-$version"
  mkdir -p "$out/tavocps-$version"
  if git -C "$src" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$src" ls-files -z | (cd "$src" && tar --null -T - -cf -) | tar -xf - -C "$out/tavocps-$version"
  else
    tar -C "$src" --exclude-vcs --exclude='./build*' --exclude='./obj-*' --exclude='./debian/tavocps' -cf - . \
      | tar -xf - -C "$out/tavocps-$version"
  fi
  rm -f "$out/$deb"
  (cd "$out/tavocps-$version" && DEB_BUILD_OPTIONS="parallel=${JOBS:-2} ${DEB_BUILD_OPTIONS:-}" \
     dpkg-buildpackage -us -uc -b >&2)
  [ "${TAVO_KEEP_TREE:-0}" = 1 ] || rm -rf "$out/tavocps-$version"
  [ -f "$out/$deb" ] || { echo "package.sh: dpkg-buildpackage made no $deb" >&2; exit 1; }
  echo "$out/$deb"
  exit 0
fi

build="$(mkdir -p "${1:-build-package}" && cd "${1:-build-package}" && pwd)"
# The flags Debian builds its packages with, every hardening feature on:
# -D_FORTIFY_SOURCE=2, -fstack-protector-strong, format checks, full RELRO
# with immediate binding, position-independent executables. The prefix map
# keeps the source folder out of the binaries.
eval "$(cd "$src" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)"
export CFLAGS="$CFLAGS $CPPFLAGS" CXXFLAGS="$CXXFLAGS $CPPFLAGS" LDFLAGS
cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_POSITION_INDEPENDENT_CODE=ON -DTAVO_SANITIZE=OFF -DTAVO_BUILD_TESTS=OFF \
  -DTAVO_BUILD_BENCH=OFF -DTAVO_BUILD_FUZZ=OFF -DTAVO_COMPRESS_MAN_PAGES=ON >/dev/null
cmake --build "$build" -j"${JOBS:-2}" >&2
rm -f "$build/$deb"
(cd "$build" && cpack -G DEB >&2)
[ -f "$build/$deb" ] || { echo "package.sh: CPack made no $deb" >&2; exit 1; }
echo "$build/$deb"
