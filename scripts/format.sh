#!/usr/bin/env bash
# Formats every C++ file of the project with the root .clang-format (--check only reports).
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files -co --exclude-standard '*.cpp' '*.h')
if [ "${1:-}" = "--check" ]; then
  exec clang-format --dry-run --Werror $files
fi
exec clang-format -i $files
