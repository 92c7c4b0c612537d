#!/usr/bin/env bash
# Checks that the C++ sources follow .clang-format. The files written before
# the format was written down, and not formatted since, are listed in
# scripts/format-exempt.txt and left as they are; every other file, a new
# one too, must come out of clang-format unchanged.
#
#   scripts/check-format.sh              check (scripts/test.sh runs it)
#   scripts/check-format.sh --fix        format every file that is not exempt
#   scripts/check-format.sh --release F  format F and take it off the list
#
# Versions of clang-format lay code out differently; the format is that of
# clang-format 14 (Debian 12). Another version is said and the check skipped.
set -euo pipefail
cd "$(dirname "$0")/.."
exempt=scripts/format-exempt.txt
want=14

fmt=""
for candidate in "${CLANG_FORMAT:-}" clang-format-$want clang-format; do
  if [ -n "$candidate" ] && command -v "$candidate" >/dev/null 2>&1; then
    fmt=$candidate
    break
  fi
done
if [ -z "$fmt" ]; then
  echo "format: clang-format not found (scripts/deps.sh installs it); not checked"
  exit 0
fi
version=$("$fmt" --version | sed -n 's/.*version \([0-9]*\)\..*/\1/p')
if [ "$version" != "$want" ]; then
  echo "format: $fmt is version ${version:-unknown}, the format is that of version $want; not checked"
  exit 0
fi

# Every C++ source of ours, wherever it is.
mapfile -t all < <(find resources base codeplug config radio profile workflow cli app views reports sim tests bench fuzz \
  -path fuzz/corpus -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | LC_ALL=C sort)
declare -A skip=()
while IFS= read -r line; do
  [ -n "$line" ] && [ "${line#\#}" = "$line" ] && skip[$line]=1
done < "$exempt"

case "${1:-}" in
  --release)
    shift
    for f in "$@"; do
      "$fmt" -i "$f"
      grep -vxF -- "$f" "$exempt" > "$exempt.new" || true
      mv "$exempt.new" "$exempt"
    done
    exit 0
    ;;
esac

bad=()
checked=0
for f in "${all[@]}"; do
  [ -n "${skip[$f]:-}" ] && continue
  checked=$((checked + 1))
  if [ "${1:-}" = "--fix" ]; then
    "$fmt" -i "$f"
  elif ! "$fmt" --dry-run --Werror "$f" >/dev/null 2>&1; then
    bad+=("$f")
  fi
done
if [ ${#bad[@]} -gt 0 ]; then
  echo "format: these files do not follow .clang-format:"
  printf '  %s\n' "${bad[@]}"
  echo "format them with: $fmt -i ${bad[*]}"
  exit 1
fi
echo "format: $checked of ${#all[@]} files checked, every one formatted"
