#!/usr/bin/env bash
# Pacing benchmark: starts the Release game on a private Xvfb and prints, for the main menu, a
# hidden (unmapped) window, play and the results screen, the frames shown a second and the
# game's processor use in percent of one core (its user and system time from /proc, all
# threads, so a busy machine stretches neither figure much; the load is printed too).
#
#   scripts/pacing_bench.sh [SECONDS]     seconds measured per situation (default 8)
#
# Frames are counted by a small preloaded library that counts buffer swaps
# (bench/swap_counter.c, built here). Figures only: nothing here fails on a slow machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${ZORBLAT_GAME:-$root/build/release/zorblat}
seconds=${1:-8}
screen=${ZORBLAT_BENCH_SCREEN:-1024x768}
[ -x "$game" ] || { echo "no game at $game (bash scripts/build.sh release zorblat ressources)" >&2; exit 2; }

work=$(mktemp -d /tmp/zorblat-pacing.XXXXXX)
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

cc -shared -fPIC -O2 -o "$work/swap_counter.so" "$root/bench/swap_counter.c" -ldl

Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" \
  >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
export DISPLAY=":$(head -n1 "$work/display")"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

# A folder of its own, so the player's settings are neither read nor written.
mkdir "$work/run"
ln -s "$(cd "$(dirname "$game")" && pwd)/ressources" "$work/run/ressources"
(cd "$work/run" && ZORBLAT_TIMINGS=1 SWAP_COUNTER_FILE="$work/swaps" LD_PRELOAD="$work/swap_counter.so" \
  ZORBLAT_EVENTS="$work/events" exec "$game") 2>"$work/stderr" >/dev/null &
game_pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "Zorblat" | head -n1)
clock_ticks=$(getconf CLK_TCK)

swaps() { od -An -t u8 "$work/swaps" 2>/dev/null | tr -d ' ' || echo 0; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# measure NAME: frames a second and processor use of the game (and of the X server, which
# puts every shown frame on its screen) over the next $seconds seconds.
measure() {
  local f0 c0 x0 f1 c1 x1 t0 t1
  f0=$(swaps); c0=$(cpu_ticks "$game_pid"); x0=$(cpu_ticks "$xvfb_pid"); t0=$(date +%s%N)
  sleep "$seconds"
  f1=$(swaps); c1=$(cpu_ticks "$game_pid"); x1=$(cpu_ticks "$xvfb_pid"); t1=$(date +%s%N)
  awk -v name="$1" -v f=$((f1 - f0)) -v c=$((c1 - c0)) -v x=$((x1 - x0)) \
    -v ns=$((t1 - t0)) -v hz="$clock_ticks" 'BEGIN {
      s = ns / 1e9
      printf "%-12s %7.1f frames/s   game %6.1f %% of one core   X server %5.1f %%\n",
        name, f / s, 100 * c / hz / s, 100 * x / hz / s
    }'
}

# Waits (60 s at most) for an event line, or, for a game without the event report, until the
# given check on a screenshot passes.
wait_for() {
  local pattern=$1 check=$2
  for _ in $(seq 120); do
    grep -Eq "$pattern" "$work/events" 2>/dev/null && return 0
    if [ -n "$check" ] && "$check"; then
      return 0
    fi
    sleep 0.5
  done
  echo "gave up waiting for $pattern" >&2
  exit 1
}
loaded() { grep -q "zorblat timings: ready" "$work/stderr"; }
# The results screen lies on grass: green over the whole picture.
on_results() {
  local r g b
  read -r r g b <<<"$(import -window root -resize 64x48 -format \
    "%[fx:int(255*mean.r)] %[fx:int(255*mean.g)] %[fx:int(255*mean.b)]" info: 2>/dev/null)"
  [ "${g:-0}" -gt $((${r:-0} + 30)) ] && [ "${g:-0}" -gt $((${b:-0} + 40)) ]
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) cores; screen $screen"
wait_for '^ready' loaded
xdotool key space
sleep 2
xdotool mousemove 700 700
measure "main menu"

xdotool windowunmap "$window"
sleep 1
measure "hidden"
xdotool windowmap "$window"
sleep 1

# New game; nobody defends the building, so the otters end it within a minute or so. The
# button is where the last window line puts the picture (a game without the report: the whole
# window).
read -r px py pw ph <<<"$(grep '^window ' "$work/events" 2>/dev/null | tail -n1 |
  sed -n 's/.*picture=\([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p')"
if [ -z "${pw:-}" ]; then
  read -r pw ph <<<"$(xdotool getwindowgeometry "$window" |
    awk '/Geometry/ { split($2, s, "x"); print s[1], s[2] }')"
  px=0 py=0
fi
xdotool mousemove --window "$window" $((px + pw / 2)) $((py + ph * 232 / 768))
sleep 0.3
xdotool click 1
sleep 2
measure "play"
wait_for '^screen results' on_results
sleep 1
measure "results"
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
