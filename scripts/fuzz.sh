#!/usr/bin/env bash
# Runs one libFuzzer target for a number of seconds, seeded from the generated art and from
# fuzz/seeds/NAME/.
#   scripts/fuzz.sh bmp_fuzzer 600            (long run from a test build)
#   scripts/fuzz.sh NAME SECONDS BUILD_DIR     (as the test suite calls it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
name=${1:?fuzzer name, e.g. bmp_fuzzer}
seconds=${2:-60}
build=${3:-$root/build/test}
[ -x "$build/fuzz/$name" ] || bash "$root/scripts/build.sh" test "$name"

corpus="$build/fuzz/corpus-$name"
mkdir -p "$corpus"
# Seeds: every generated file the parser is meant for (the target lists its extensions).
seeds_from="$build/ressources"
exts=$(sed -n 's/^\/\/ *seeds: *//p' "$root/fuzz/$name.cpp" | head -n1)
for ext in $exts; do
  find "$seeds_from" -name "*.$ext" -size -2M -exec cp -n {} "$corpus/" \; 2>/dev/null || true
done
# Formats the art does not contain (playlists, settings) are seeded from small text files.
if [ -d "$root/fuzz/seeds/$name" ]; then
  cp -n "$root/fuzz/seeds/$name"/* "$corpus/" 2>/dev/null || true
fi
export ASAN_OPTIONS="detect_leaks=1:${ASAN_OPTIONS:-}"
exec "$build/fuzz/$name" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 \
  -print_final_stats=1 "$corpus"
