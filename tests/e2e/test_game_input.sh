#!/usr/bin/env bash
# Playing on the real game: a still mouse leaves the view still (the pointer warp turns
# nothing), moving it turns the view, leaving and re-entering the window turns nothing, Z and W
# walk forward and S back, a click fires (the muzzle flash shows), Escape leaves for the main
# menu. Each picture is waited for, never timed: the game's clock and frame rate are its own.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")

# Pixels that differ between the same region of two screenshots (X Y W H).
changed() {
  compare -metric AE -fuzz 8% -extract "$5x$6+$3+$4" "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
# The sky above the horizon moves only when the view turns (the box follows the eye); the band
# of the arena wall only when the player moves (the ground's sweeping light stays below it).
sky_changed() { changed "$1" "$2" 0 20 "${3:-1024}" "${4:-230}"; }
wall_changed() { changed "$1" "$2" 0 300 1024 100; }
# Waits for a screenshot whose CHECK against REFERENCE exceeds MIN; prints its path. NAME must
# not be the reference's own.
wait_for_change() {
  local reference=$1 check=$2 min=$3 name=$4 deadline=$((SECONDS + 60)) shot
  while :; do
    shot=$(e2e_screenshot "$name")
    e2e_event_seen '^game-over' && e2e_fail "$name: the game was lost while the test waited"
    [ "$("$check" "$reference" "$shot")" -gt "$min" ] && break
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "$name: the picture did not change ($check)"
  done
  echo "$shot"
}
# The radar's sweep turns a little every frame: once its corner has changed, frames have been
# drawn. Its place follows the window size (RADAR: X Y W H).
RADAR="820 560 200 200"
radar_changed() { changed "$1" "$2" $RADAR; }
# A screenshot of a later frame than REFERENCE; prints its path.
later_frame() { wait_for_change "$1" radar_changed 200 "$2"; }

# The game clock moves 20 ms per frame, at the easiest level: the otters need a few thousand
# frames to take the building, far more than this test draws, at any frame rate.
export ZORBLAT_CLOCK_STEP_MS=20
{
  printf '\x05\x00\x00\x00'
  echo "$MENUS_DEFAULT_CONFIG" | xxd -r -p | tail -c 44
} >"$(dirname "$game")/config.cfg"
e2e_start "$game"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
menu=$(menus_wait_for menus_is_menu main-menu)
e2e_click 512 232
e2e_wait_event '^game-new '
e2e_wait_screen game
# The first motion in the game only sets the reference point.
e2e_move 400 300
# A game picture (the sky differs from the menu's), then a few frames later the same view.
still=$(wait_for_change "$menu" sky_changed 20000 still)
later=$(later_frame "$still" still-later)
later=$(later_frame "$later" still-later-again)
[ "$(sky_changed "$still" "$later")" -lt 2000 ] || e2e_fail "the view turned without any input"
xdotool mousemove_relative -- 120 0
wait_for_change "$later" sky_changed 20000 turned >/dev/null

# In a smaller window the pointer can leave it: out, back in, and the view stays put.
xdotool windowsize "$E2E_WINDOW" 800 600
e2e_wait_event '^window 800x600( |$)'
RADAR="620 420 180 180"
xdotool mousemove 400 300
before=$(later_frame "$(e2e_screenshot resized)" before-leaving)
xdotool mousemove 950 700
outside=$(later_frame "$before" outside)
# Back in at another point than it left: that jump is no turn of the player's.
xdotool mousemove 200 450
after=$(later_frame "$outside" reentered)
after=$(later_frame "$after" after-reentering)
[ "$(sky_changed "$before" "$after" 800 170)" -lt 3000 ] ||
  e2e_fail "leaving and re-entering the window turned the view"
xdotool windowsize "$E2E_WINDOW" 1024 768
e2e_wait_event '^window 1024x768( |$)'
RADAR="820 560 200 200"

# Walking brings the arena wall nearer or takes it away: each key is held until the wall's
# band has changed. Back between the two forward keys, so the second never meets the edge.
ahead=$(later_frame "$(e2e_screenshot resized-back)" before-walking)
for key in z s w; do
  e2e_key_down "$key"
  walked=$(wait_for_change "$ahead" wall_changed 5000 "after-$key")
  e2e_key_up "$key"
  ahead=$(later_frame "$walked" "stopped-$key")
done
e2e_key Escape
e2e_wait_event '^game-suspended( |$)'
e2e_wait_screen main-menu
menus_quit_from_main_menu

# The flash lasts 60 ms of game time. With the game clock moving 1 ms per frame it stays for
# some sixty frames after one shot, and the ground's sweeping light stands still: the flash,
# orange over the lower middle, is then in the pictures that follow the click.
ZORBLAT_CLOCK_STEP_MS=1 e2e_start "$game"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
menu=$(menus_wait_for menus_is_menu main-menu-flash)
e2e_click 512 232
e2e_wait_screen game
e2e_move 400 300
quiet=$(menus_red "$(wait_for_change "$menu" sky_changed 20000 not-firing)" 300 420 300 200)
xdotool click 1
flash=0
for i in $(seq 20); do
  red=$(menus_red "$(e2e_screenshot "firing-$i")" 300 420 300 200)
  if [ "$red" -gt $((quiet + 40)) ]; then
    flash=1
    break
  fi
done
[ "$flash" = 1 ] || e2e_fail "no muzzle flash after a shot (red $quiet before, $red after)"
e2e_key Escape
e2e_wait_screen main-menu
menus_quit_from_main_menu
echo "game input: ok"
