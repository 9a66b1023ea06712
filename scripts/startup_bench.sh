#!/usr/bin/env bash
# Start-up benchmark: starts the Release game on a private Xvfb and prints the time to its first
# drawn frame and to its first responsive screen, the loading parts the game itself measured,
# and the resident memory there; with a play script, the resident memory in play too.
#
#   scripts/startup_bench.sh [PLAY_SCRIPT]
#
# PLAY_SCRIPT, optional, holds xdotool commands, one a line ("key Return", "mousemove 512 300",
# "click 1", "sleep 1"), that lead from the first responsive screen into a game at difficulty
# 20; the memory is then read after ZORBLAT_BENCH_PLAY_SECONDS (10) of play.
# Figures only: nothing here fails on a slow machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${ZORBLAT_GAME:-$root/build/release/zorblat}
play_script=${1:-}
play_seconds=${ZORBLAT_BENCH_PLAY_SECONDS:-10}
[ -x "$game" ] || { echo "no game at $game (bash scripts/build.sh release zorblat ressources)" >&2; exit 2; }

work=$(mktemp -d /tmp/zorblat-bench.XXXXXX)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# Resident memory now and at its peak, and the processor time used so far (the machine may be
# shared, which stretches wall times but not this).
memory() {
  awk '/^VmRSS|^VmHWM/ { printf "%s %d MB  ", $1, $2 / 1024 }' "/proc/$game_pid/status"
  awk -v hz="$(getconf CLK_TCK)" '{ printf "cpu %d ms", ($14 + $15) * 1000 / hz }' \
    "/proc/$game_pid/stat"
  echo
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$work/display")"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

start=$(now_ms)
(cd "$(dirname "$game")" && ZORBLAT_TIMINGS=1 exec "$game") 2>"$work/stderr" >/dev/null &
game_pid=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name "Zorblat" | head -n1)
window_ms=$(($(now_ms) - start))

# The first drawn frame: the window stops being black.
frame_ms=""
for _ in $(seq 600); do
  mean=$(import -window "$window" -resize 64x48 -format "%[fx:int(1000*mean)]" info: 2>/dev/null || echo 0)
  if [ "${mean:-0}" -gt 0 ]; then
    frame_ms=$(($(now_ms) - start))
    break
  fi
  sleep 0.02
done

# Responsive: the game reports the end of its loading.
ready_ms=""
for _ in $(seq 1500); do
  if grep -q "zorblat timings: ready" "$work/stderr"; then
    ready_ms=$(($(now_ms) - start))
    break
  fi
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.02
done

echo "window shown:        ${window_ms} ms"
echo "first drawn frame:   ${frame_ms:-never} ms"
echo "responsive (wall):   ${ready_ms:-never} ms"
grep "zorblat timings:" "$work/stderr" | sed 's/^zorblat timings: /game-measured:       /' || true
echo "memory, responsive:  $(memory)"

if [ -n "$play_script" ]; then
  while read -r line; do
    case "$line" in
      "" | "#"*) ;;
      sleep\ *) sleep "${line#sleep }" ;;
      *) xdotool $line ;;
    esac
  done <"$play_script"
  sleep "$play_seconds"
  echo "memory, in play:     $(memory)"
fi
