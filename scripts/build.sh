#!/usr/bin/env bash
# Configures (once) and builds one build tree.
#   scripts/build.sh release   -> build/release: optimised game with gcc, what players run
#   scripts/build.sh test      -> build/test: clang, AddressSanitizer + UBSan, tests and fuzzers
# Extra arguments are passed to the build tool (for example a target name).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:-release}
shift || true
jobs=$(nproc 2>/dev/null || echo 2)

case "$kind" in
  release)
    dir="$root/build/release"
    config=(-DCMAKE_BUILD_TYPE=Release -DZORBLAT_TESTS=OFF -DZORBLAT_BENCH=ON)
    compilers=(-DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++)
    ;;
  test)
    dir="$root/build/test"
    config=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBLAT_SANITIZE=ON -DZORBLAT_FUZZ=ON
            -DZORBLAT_TESTS=ON -DZORBLAT_BENCH=OFF
            "-DZORBLAT_E2E_GAME=${ZORBLAT_E2E_GAME:-$root/build/release/zorblat}")
    compilers=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++)
    ;;
  *)
    echo "usage: $0 release|test [target...]" >&2
    exit 2
    ;;
esac

config+=(-DZORBLAT_WERROR=ON)

# Configured once; again only for a tree made before warnings became errors here.
if [ ! -f "$dir/CMakeCache.txt" ] || ! grep -q '^ZORBLAT_WERROR:BOOL=ON$' "$dir/CMakeCache.txt"; then
  cmake -S "$root" -B "$dir" "${compilers[@]}" "${config[@]}" >/dev/null
fi
if [ $# -gt 0 ]; then
  cmake --build "$dir" -j "$jobs" --target "$@"
else
  cmake --build "$dir" -j "$jobs"
fi
