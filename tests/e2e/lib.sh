# End-to-end helpers: start the real game on a private Xvfb, drive it with xdotool, read
# screenshots with ImageMagick, follow what the game reports it does. Source this file; every
# test script calls e2e_start first.
#
#   e2e_start GAME_BINARY [args]  start Xvfb (E2E_SCREEN=WxH, 1024x768 by default) and the
#                                 game; waits for the game window (runs from the binary's
#                                 folder, or from E2E_CWD when set); a second call replaces
#                                 the first call's Xvfb. The game reports its events to a fresh
#                                 file, $E2E_EVENTS (ZORBLAT_EVENTS)
#   e2e_wait_event REGEX [SECONDS]  waits (60 s by default) for a new event line matching the
#                                 extended REGEX, after the last line an earlier wait took;
#                                 sets E2E_EVENT to the line; fails when none comes
#   e2e_wait_screen NAME [SECONDS]  waits for the next "screen ..." line and fails unless it
#                                 is "screen NAME": no other switch may come in between
#   e2e_event_seen REGEX          true when any line so far matches (taken or not)
#   e2e_event_field LINE KEY      prints the value of KEY=VALUE in an event line
#   e2e_key KEY...                send keys (xdotool names: Escape, Return, a, Left, ...)
#   e2e_key_down KEY / e2e_key_up KEY
#   e2e_move X Y                  move the pointer (window coordinates)
#   e2e_click X Y [BUTTON]        move and click (button 1 by default)
#   e2e_screenshot NAME           writes $E2E_OUT/NAME.png and prints its path
#   e2e_pixel PNG X Y             prints "R G B" of one pixel (0..255)
#   e2e_expect_pixel PNG X Y R G B TOL   fails unless each channel is within TOL
#   e2e_region_mean PNG X Y W H   prints the mean "R G B" of a rectangle
#   e2e_wait_exit SECONDS         waits for the game to end; sets E2E_STATUS
#   e2e_expect_quit               waits for the game's "quit status=1" and its end; fails
#                                 unless it ended with status 1
#   e2e_running                   true while the game process lives
#   e2e_fail MESSAGE              prints the game's events and stderr and fails the test
# Freeglut's own fatal errors also exit with status 1, the game's quit status: tests must check
# more than the status (the "quit status=1" event, the settings file, stderr).
set -euo pipefail

# Each test brings up its own X server, so no display is needed; without the tools a machine
# skips these tests (CTest's SKIP_RETURN_CODE) rather than failing them.
for tool in Xvfb xdotool import convert compare xxd; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/setup.sh installs it)" >&2
    exit 77
  fi
done

E2E_OUT=${ZORBLAT_E2E_OUT:-/tmp/zorblat-e2e}
mkdir -p "$E2E_OUT"
E2E_NAME=$(basename "${BASH_SOURCE[1]:-$0}" .sh)
E2E_DIR=$(mktemp -d "/tmp/zorblat-e2e-$E2E_NAME.XXXXXX")
E2E_STDERR="$E2E_DIR/stderr.txt"
E2E_STATUS=""
E2E_GAME_PID=""
E2E_XVFB_PID=""
E2E_WINDOW=""
E2E_EVENTS=""
E2E_EVENTS_TAKEN=0
E2E_EVENT=""
E2E_STARTS=0

e2e_cleanup() {
  [ -n "$E2E_GAME_PID" ] && kill "$E2E_GAME_PID" 2>/dev/null || true
  [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null || true
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

e2e_fail() {
  echo "FAIL ($E2E_NAME): $*" >&2
  if [ -n "$E2E_EVENTS" ] && [ -s "$E2E_EVENTS" ]; then
    echo "--- game events ($E2E_EVENTS_TAKEN taken) ---" >&2
    tail -n 40 "$E2E_EVENTS" >&2
  fi
  if [ -s "$E2E_STDERR" ]; then
    echo "--- game stderr ---" >&2
    tail -n 40 "$E2E_STDERR" >&2
  fi
  exit 1
}

e2e_start() {
  local game=$1
  shift
  [ -x "$game" ] || e2e_fail "no game binary at $game"
  # A second start in one test gets a fresh server; the last one must be gone first, or the
  # new one may race it for its display number.
  if [ -n "$E2E_XVFB_PID" ]; then
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
  fi
  local fdfile="$E2E_DIR/display"
  rm -f "$fdfile"
  Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768}x24" -nolisten tcp -noreset \
    3>"$fdfile" >/dev/null 2>&1 &
  E2E_XVFB_PID=$!
  for _ in $(seq 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  [ -s "$fdfile" ] || e2e_fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$fdfile")"
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  # The full picture whatever the machine's speed: a busy machine would otherwise lower the
  # scene's resolution under the pixel checks.
  export ZORBLAT_QUALITY_STEP=${ZORBLAT_QUALITY_STEP:-0}
  E2E_STARTS=$((E2E_STARTS + 1))
  E2E_EVENTS="$E2E_DIR/events-$E2E_STARTS.txt"
  E2E_EVENTS_TAKEN=0
  : >"$E2E_EVENTS"
  # Run from the game's build folder, where its ressources/ tree was generated.
  (cd "${E2E_CWD:-$(dirname "$game")}" && ZORBLAT_EVENTS=$E2E_EVENTS exec "$game" "$@") \
    2>"$E2E_STDERR" >"$E2E_DIR/stdout.txt" &
  E2E_GAME_PID=$!
  E2E_WINDOW=$(timeout 60 xdotool search --sync --onlyvisible --name "Zorblat" 2>/dev/null |
               head -n1) || true
  [ -n "$E2E_WINDOW" ] || e2e_fail "the game window did not appear"
}

# Only whole lines are looked at: the count of newlines is taken before the lines are read.
e2e_take_event() {
  local regex=$1 total match
  total=$(wc -l <"$E2E_EVENTS")
  [ "$total" -gt "$E2E_EVENTS_TAKEN" ] || return 1
  match=$(sed -n "$((E2E_EVENTS_TAKEN + 1)),${total}p" "$E2E_EVENTS" | grep -n -m1 -E -e "$regex") ||
    return 1
  E2E_EVENTS_TAKEN=$((E2E_EVENTS_TAKEN + ${match%%:*}))
  E2E_EVENT=${match#*:}
}

e2e_wait_event() {
  local regex=$1 seconds=${2:-60} deadline
  deadline=$((SECONDS + seconds))
  while ! e2e_take_event "$regex"; do
    if ! e2e_running; then
      # The last lines may have come just before the end.
      e2e_take_event "$regex" && return 0
      e2e_fail "the game ended while waiting for the event /$regex/"
    fi
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "no event /$regex/ within $seconds s"
    sleep 0.1
  done
}

e2e_wait_screen() {
  e2e_wait_event "^screen " "${2:-60}"
  [ "$E2E_EVENT" = "screen $1" ] || e2e_fail "the game went to '$E2E_EVENT', expected screen $1"
}

e2e_event_seen() { grep -q -E -e "$1" "$E2E_EVENTS"; }

e2e_event_field() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

# A game that has ended but is not yet waited for is a zombie: not running.
e2e_running() {
  [ -n "$E2E_GAME_PID" ] && kill -0 "$E2E_GAME_PID" 2>/dev/null &&
    [ "$(cut -d' ' -f3 "/proc/$E2E_GAME_PID/stat" 2>/dev/null)" != Z ]
}

# Input reaches the game in the order it is sent: no pause is needed between steps, and what
# the game did is learnt from its events.
e2e_key() { xdotool key --delay 60 "$@"; }
e2e_key_down() { xdotool keydown "$1"; }
e2e_key_up() { xdotool keyup "$1"; }
e2e_move() { xdotool mousemove "$1" "$2"; }
e2e_click() { xdotool mousemove "$1" "$2" click "${3:-1}"; }

e2e_screenshot() {
  local path="$E2E_OUT/$E2E_NAME-$1.png"
  import -window root "$path" 2>/dev/null || e2e_fail "screenshot failed"
  echo "$path"
}

e2e_pixel() {
  convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)] %[fx:int(255*p{$2,$3}.g+0.5)] %[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

e2e_region_mean() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -format \
    "%[fx:int(255*mean.r+0.5)] %[fx:int(255*mean.g+0.5)] %[fx:int(255*mean.b+0.5)]" info:
}

e2e_expect_pixel() {
  local png=$1 x=$2 y=$3 r=$4 g=$5 b=$6 tol=$7
  local got
  got=$(e2e_pixel "$png" "$x" "$y")
  read -r gr gg gb <<<"$got"
  for pair in "$gr:$r" "$gg:$g" "$gb:$b"; do
    local have=${pair%%:*} want=${pair##*:}
    local diff=$((have - want))
    [ ${diff#-} -le "$tol" ] || e2e_fail "pixel ($x,$y) of $png is $got, expected $r $g $b ±$tol"
  done
}

e2e_wait_exit() {
  local seconds=$1
  for _ in $(seq $((seconds * 10))); do
    if ! e2e_running; then
      set +e
      wait "$E2E_GAME_PID"
      E2E_STATUS=$?
      set -e
      E2E_GAME_PID=""
      return 0
    fi
    sleep 0.1
  done
  e2e_fail "the game did not exit within $seconds s"
}

e2e_expect_quit() {
  e2e_wait_event '^quit status=1$'
  e2e_wait_exit 60
  [ "$E2E_STATUS" = 1 ] || e2e_fail "exit status $E2E_STATUS after the quit line, expected 1"
}
