#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs every test, checks the installation and the code's format; then
# (clang is installed with the rest) runs every fuzz harness for a short
# fixed time (FUZZ_SECONDS, default 30; FUZZ_SECONDS=0 skips it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh --fuzz
# A compiler cache, where one is installed, makes a rebuild of an unchanged
# tree a matter of linking.
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-check -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVO_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build build-check
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
cd build-check
ctest --output-on-failure -j2 "$@"
# The installation: validators, an install into a temporary prefix, the
# installed programs run from there.
../packaging/check-install.sh .
cd ..
# New and formatted code follows .clang-format (old files are listed as
# exempt until they are formatted).
scripts/check-format.sh
if [ "${FUZZ_SECONDS:-30}" != 0 ] && command -v clang++ >/dev/null 2>&1; then
  scripts/fuzz.sh "${FUZZ_SECONDS:-30}"
fi
