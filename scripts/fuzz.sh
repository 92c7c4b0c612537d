#!/usr/bin/env bash
# Builds the libFuzzer harnesses (clang; libraries instrumented with
# -fsanitize=fuzzer-no-link,address,undefined) and runs each for a fixed
# time on its seed corpus, two at a time.
#
#   scripts/fuzz.sh [SECONDS] [HARNESS...]     default: 30 s, every harness
#   FUZZ_JOBS=1 scripts/fuzz.sh 600 fuzz_profile_file
#
# New inputs are kept in build-fuzz/fuzz-work/<harness>/corpus (the seed
# corpus under fuzz/corpus is only read); a crash, leak or time-out leaves
# its input in build-fuzz/fuzz-work/<harness>/ and fails the run. Each
# harness prints one line: runs, exec/s, coverage (cov = edges, ft =
# features) and corpus size.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
shift || true
jobs="${FUZZ_JOBS:-2}"

if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz: clang++ not found (scripts/deps.sh --fuzz installs it); skipped"
  exit 0
fi

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do harnesses+=("$(basename "$f" .cpp)"); done
fi

launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO_BUILD_FUZZ=ON \
  -DTAVO_BUILD_TESTS=OFF -DTAVO_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target "${harnesses[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export QT_QPA_PLATFORM=offscreen
work="$PWD/build-fuzz/fuzz-work"
mkdir -p "$work"

run_one() {
  local name="$1" seconds="$2" work="$3"
  local dir="$work/$name"
  mkdir -p "$dir/corpus"
  # Inputs up to a little over the 1 MB file cap, so size-driven costs are
  # reachable; one input may take at most 30 s.
  if "build-fuzz/bin/$name" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -max_len=1048640 \
       -print_final_stats=1 -artifact_prefix="$dir/" "$dir/corpus" "fuzz/corpus/$name" >"$dir/log" 2>&1; then
    local done_line
    done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$dir/log" | tail -1)
    printf '%-24s %s\n' "$name" "$(echo "$done_line" | sed -E 's/^#([0-9]+)[[:space:]]+DONE[[:space:]]+/runs: \1 /; s/ lim: [0-9]+//; s/ rss: .*//')"
  else
    printf '%-24s FAILED (see %s)\n' "$name" "$dir/log"
    grep -E 'ERROR|SUMMARY|Test unit written' "$dir/log" | head -5
    return 1
  fi
}
export -f run_one

echo "fuzz: ${#harnesses[@]} harnesses, ${seconds} s each, ${jobs} at a time"
status=0
printf '%s\n' "${harnesses[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$work" || status=1
exit $status
