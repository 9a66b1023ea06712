#!/usr/bin/env bash
# Whole-game frame-rate benchmark: plays the Release game, on the real clock, from the intro to
# the results screen at each difficulty asked for, and prints per 3 seconds of play the frames
# shown, the median and 99th-percentile frame times and the share of frames over 16.7 ms.
#
#   scripts/game_bench.sh [DIFFICULTY...]      (default: 11 then 20)
#
# The player stands still and fires five times a second until the otters take the building.
# Each game has its own Xvfb and run folder (written settings: the defaults but for the
# difficulty; the player's own are never read nor written) and the same seed.
#   ZORBLAT_GAME=PATH          the game (default build/release/zorblat)
#   ZORBLAT_SEED=N             the seed of every game (default 1)
#   ZORBLAT_BENCH_SCREEN=WxH   the X screen (default 1024x768)
#   ZORBLAT_BENCH_DISPLAY=N    use display :N (default: the first free one)
#   ZORBLAT_BENCH_FRAMES=N     frames per view of build/release/bench/frame_bench run at the end
#                              for comparison (default 100; 0 skips it)
#   ZORBLAT_BENCH_VIEWS="5 6"  which of its views (default: the games' own renderer and glow)
#
# Frame times come from a preloaded library that stamps every buffer swap (bench/swap_counter.c,
# built here). Figures only: a slow machine fails nothing; the script fails only when the game
# does not start or never reaches the next screen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${ZORBLAT_GAME:-$root/build/release/zorblat}
frame_bench=$(dirname "$game")/bench/frame_bench
screen=${ZORBLAT_BENCH_SCREEN:-1024x768}
seed=${ZORBLAT_SEED:-1}
bench_frames=${ZORBLAT_BENCH_FRAMES:-100}
bench_views=${ZORBLAT_BENCH_VIEWS:-5 6}
[ $# -gt 0 ] && difficulties=("$@") || difficulties=(11 20)
[ -x "$game" ] || { echo "no game at $game (bash scripts/build.sh release zorblat ressources)" >&2; exit 2; }
for d in "${difficulties[@]}"; do
  if ! [[ "$d" =~ ^[0-9]+$ ]] || [ "$d" -lt 5 ] || [ "$d" -gt 20 ]; then
    echo "difficulty $d: the game plays 5 to 20" >&2
    exit 2
  fi
done

# Generous: at 20 frames a second loading and play take several times their usual time.
readonly kStartSeconds=120 kScreenSeconds=60 kGameSeconds=1800
readonly kShotDelay=0.2 kPollDelay=0.1

work=$(mktemp -d /tmp/zorblat-game-bench.XXXXXX)
xvfb_pid="" game_pid="" shooter_pid=""
stop_game() {
  for pid in "$shooter_pid" "$game_pid" "$xvfb_pid"; do
    if [ -n "$pid" ] && kill "$pid" 2>/dev/null; then
      wait "$pid" 2>/dev/null || true
    fi
  done
  shooter_pid="" game_pid="" xvfb_pid=""
}
trap 'stop_game; rm -rf "$work"' EXIT

cc -shared -fPIC -O2 -o "$work/swap_counter.so" "$root/bench/swap_counter.c" -ldl

# Starts an X server of our own and points DISPLAY at it.
start_x() {
  local number=${ZORBLAT_BENCH_DISPLAY:-}
  if [ -n "$number" ]; then
    Xvfb ":$number" -screen 0 "${screen}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
    echo "$number" >"$work/display"
  else
    Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" \
      >/dev/null 2>&1 &
  fi
  xvfb_pid=$!
  for _ in $(seq 100); do
    DISPLAY=":$(head -n1 "$work/display" 2>/dev/null)"
    export DISPLAY
    [ -s "$work/display" ] && xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  exit 1
}

# The 48-byte settings file: twelve little-endian 4-byte fields, the defaults (sensitivities
# 0.0012 and 0.0018 as float bits, both sounds on at 100, normal otters, glow 2, texture
# quality 0, filtering 3) but for the difficulty.
write_settings() {
  local field
  for field in "$1" 983386450 988540410 1 1 100 1 100 0 2 0 3; do
    # shellcheck disable=SC2059 # the format is the four escaped bytes
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((field & 255)) $((field >> 8 & 255)) \
      $((field >> 16 & 255)) $((field >> 24 & 255)))"
  done >"$2"
}

swaps() { od -An -t u8 -N8 "$run/swap_times" 2>/dev/null | tr -d ' ' || echo 0; }

# Copies the event lines that appeared since the last look to the marks, each after the swap
# count at the time it was seen (within a poll of the true frame).
events_seen=0
note_events() {
  local count now
  [ -f "$run/events" ] || return 0
  count=$(wc -l <"$run/events")
  [ "$count" -gt "$events_seen" ] || return 0
  now=$(swaps)
  sed -n "$((events_seen + 1)),${count}p" "$run/events" | sed "s/^/${now:-0} /" >>"$run/marks"
  events_seen=$count
}

# Waits for an event line matching the extended REGEX, noting events meanwhile.
wait_event() {
  local regex=$1 seconds=$2 polls
  polls=$(awk -v s="$seconds" -v p="$kPollDelay" 'BEGIN { print int(s / p) }')
  for _ in $(seq "$polls"); do
    note_events
    grep -Eq "^[0-9]+ ($regex)( |$)" "$run/marks" 2>/dev/null && return 0
    kill -0 "$game_pid" 2>/dev/null || give_up "the game ended before $regex"
    sleep "$kPollDelay"
  done
  give_up "no $regex after $seconds s"
}
give_up() {
  echo "difficulty $difficulty: $1" >&2
  tail -n 20 "$run/events" "$run/stderr" >&2 2>/dev/null || true
  exit 1
}
mark_of() { grep -E "^[0-9]+ ($1)( |$)" "$run/marks" | head -n1 | cut -d' ' -f1; }

play_one() {
  difficulty=$1
  run=$work/d$difficulty
  events_seen=0
  mkdir "$run"
  ln -s "$(cd "$(dirname "$game")" && pwd)/ressources" "$run/ressources"
  write_settings "$difficulty" "$run/config.cfg"
  : >"$run/marks"
  start_x
  (cd "$run" && ZORBLAT_SEED=$seed SWAP_TIMES_FILE="$run/swap_times" \
    LD_PRELOAD="$work/swap_counter.so" ZORBLAT_EVENTS="$run/events" SDL_AUDIODRIVER=dummy \
    exec "$game") 2>"$run/stderr" >/dev/null &
  game_pid=$!
  wait_event 'ready' "$kStartSeconds"
  xdotool key space
  wait_event 'screen main-menu' "$kScreenSeconds"

  # The new-game button, where the last window line puts the picture.
  local px py pw ph
  read -r px py pw ph <<<"$(grep '^window ' "$run/events" | tail -n1 |
    sed -n 's/.*picture=\([0-9]*\),\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3 \4/p')"
  [ -n "${pw:-}" ] || give_up "no window line with the picture's place"
  xdotool mousemove $((px + pw / 2)) $((py + ph * 232 / 768)) sleep 0.3 click 1
  wait_event 'screen game' "$kScreenSeconds"
  (while :; do
    xdotool click 1
    sleep "$kShotDelay"
  done) >/dev/null 2>&1 &
  shooter_pid=$!
  wait_event 'screen results' "$kGameSeconds"
  stop_game

  local from to over
  from=$(mark_of 'screen game')
  to=$(mark_of 'screen results')
  # Beyond the library's room, the last swaps have no stamps.
  [ "$to" -le 200000 ] || to=200000
  over=$(sed -n 's/^[0-9]* \(game-over .*\)/\1/p' "$run/marks" | head -n1)
  echo
  echo "difficulty $difficulty, seed $seed, $screen: $(sed -n 's/^[0-9]* \(pacing .*\)/\1/p' \
    "$run/marks" | head -n1); ${over:-no game-over line}"
  # The frames of play: swaps from+1 .. to-1, timed from swap from's stamp.
  od -An -v -t u8 -w8 -j $((8 + 8 * from)) -N $((8 * (to - from))) "$run/swap_times" |
    tr -d ' ' >"$run/stamps"
  awk -v first="$from" -f "$root/scripts/frame_windows.awk" "$run/marks" "$run/stamps"
}

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 min) on $(nproc) cores"
for d in "${difficulties[@]}"; do
  play_one "$d"
done

if [ "$bench_frames" != 0 ] && [ -x "$frame_bench" ]; then
  echo
  start_x
  # Its median lines only: one a view, without the per-step figures below each.
  # shellcheck disable=SC2086 # the views are separate arguments
  "$frame_bench" "$bench_frames" $bench_views 2>/dev/null | grep -v '^ ' || true
  stop_game
fi
echo
echo "load after:  $(cut -d' ' -f1-3 /proc/loadavg)"
