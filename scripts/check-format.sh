#!/usr/bin/env bash
# Fails when a tracked C++ file does not follow .clang-format (clang-format 14, the
# version the tree is formatted with); lists the files that do not.
set -euo pipefail
cd "$(dirname "$0")/.."

format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "check-format: clang-format is not installed" >&2
  exit 1
fi
if ! "$format" --version | grep -q 'version 14\.'; then
  echo "check-format: $format is not clang-format 14; other versions format differently" >&2
  exit 1
fi

# The tracked files, from git; a list that cannot be made is a failure, not an empty pass.
listing=$(git ls-files -- '*.cpp' '*.h') || { echo "check-format: cannot list the tracked files (is git installed?)" >&2; exit 1; }
mapfile -t files <<< "$listing"
if [ -z "$listing" ]; then
  echo "check-format: no C++ files found" >&2
  exit 1
fi
unformatted=()
for file in "${files[@]}"; do
  "$format" --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "check-format: not formatted with .clang-format (run clang-format -i on them):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
