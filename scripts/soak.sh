#!/usr/bin/env bash
# Plays a long game on a fast test clock with the release build and prints memory, effects and
# the game's counters every simulated minute, then a verdict (see tools/soak/main.cpp).
#   scripts/soak.sh [soak options...]     e.g. scripts/soak.sh --minutes 60 --step 100
# Starts its own virtual display unless DISPLAY is set. Exit status: the soak's (0 PASS, 1 FAIL).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/build.sh" release soak ressources >/dev/null
xvfb=""
if [ -z "${DISPLAY:-}" ]; then
  fd=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fd" >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null || true; rm -f "$fd"' EXIT
  for _ in $(seq 100); do [ -s "$fd" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$fd")"
fi
export SDL_AUDIODRIVER=dummy
cd "$root/build/release"
./tools/soak/soak "$@"
