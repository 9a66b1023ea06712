#!/usr/bin/env bash
# Playing on the real game: a still mouse leaves the view still (the pointer warp turns
# nothing), moving it turns the view, leaving and re-entering the window turns nothing, Z and W
# walk, a click fires (the muzzle flash shows), Escape leaves for the main menu.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
e2e_start "$game"
e2e_key space
menus_wait_for menus_is_menu main-menu >/dev/null
# Otters left alone take the building in about twenty seconds: each part starts a new game.
new_game() {
  e2e_click 512 232
  menus_wait_for menus_is_game "game-$1" 10 >/dev/null
  e2e_move 400 300
  sleep 1
}
leave_game() {
  e2e_key Escape
  menus_wait_for menus_is_menu "menu-$1" 10 >/dev/null
}
new_game turning

# Pixels that differ between the same region of two screenshots (X Y W H).
changed() {
  compare -metric AE -fuzz 8% -extract "$5x$6+$3+$4" "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
# The sky above the horizon moves only when the view turns (the box follows the eye).
sky_changed() { changed "$1" "$2" 0 20 1024 230; }

still=$(e2e_screenshot still)
sleep 1.5
later=$(e2e_screenshot still-later)
[ "$(sky_changed "$still" "$later")" -lt 2000 ] || e2e_fail "the view turned without any input"

xdotool mousemove_relative -- 120 0
sleep 1
turned=$(e2e_screenshot turned)
[ "$(sky_changed "$later" "$turned")" -gt 20000 ] || e2e_fail "moving the mouse did not turn"

# In a smaller window the pointer can leave it: out, back in, and the view stays put.
leave_game window
new_game window
xdotool windowsize "$E2E_WINDOW" 800 600
sleep 1
xdotool mousemove 400 300
sleep 1
before=$(e2e_screenshot before-leaving)
xdotool mousemove 950 700
sleep 1
# Back in at another point than it left: that jump is no turn of the player's.
xdotool mousemove 200 450
sleep 1.5
after=$(e2e_screenshot after-reentering)
[ "$(changed "$before" "$after" 0 20 800 170)" -lt 3000 ] ||
  e2e_fail "leaving and re-entering the window turned the view"
xdotool windowsize "$E2E_WINDOW" 1024 768
sleep 1
leave_game walking
new_game walking

# Walking forward brings the building nearer: the middle of the view changes.
for key in z w; do
  ahead=$(e2e_screenshot "before-$key")
  e2e_key_down "$key"
  sleep 1.2
  e2e_key_up "$key"
  sleep 0.3
  walked=$(e2e_screenshot "after-$key")
  [ "$(changed "$ahead" "$walked" 200 300 624 200)" -gt 5000 ] || e2e_fail "$key did not walk"
done

# Fire steadily and look for the flash around the muzzle: orange over the lower middle.
quiet=$(menus_red "$(e2e_screenshot not-firing)" 300 420 300 200)
xdotool click --repeat 30 --delay 80 1 &
clicker=$!
flash=0
for i in 1 2 3 4 5 6; do
  red=$(menus_red "$(e2e_screenshot "firing-$i")" 300 420 300 200)
  if [ "$red" -gt $((quiet + 40)) ]; then
    flash=1
    break
  fi
done
wait "$clicker" || true
[ "$flash" = 1 ] || e2e_fail "no muzzle flash while firing (red $quiet before)"

leave_game end
menus_expect_quiet_stderr
