#!/usr/bin/env bash
# A resized window: the picture follows the window and a click where a main-menu button is
# drawn acts on that button, at 1280 x 960 and at 800 x 600.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
e2e_start "$game"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu

# Clicks at window point X Y once the game has seen the window at W x H.
click_at_size() {
  xdotool windowsize "$E2E_WINDOW" "$1" "$2"
  e2e_wait_event "^window $1x$2( |\$)"
  e2e_click "$3" "$4"
}

# The new game button spans widget x 448..576, y 200..264: at 1280 x 960 that is window
# x 560..720, y 250..330.
click_at_size 1280 960 640 290
e2e_wait_event '^game-new '
e2e_wait_screen game
e2e_key Escape
e2e_wait_screen main-menu

# At 800 x 600 the quit button (widget 384..640, 600..664) is drawn at x 300..500,
# y 469..519.
click_at_size 800 600 400 494
e2e_wait_screen exit
# The whole picture in the smaller window: brought back to 1024 x 768, the window's part of
# the screen shows the exit screen at its usual places.
exit_at_800() {
  local scaled="${1%.png}-scaled.png"
  convert "$1" -crop 800x600+0+0 +repage -resize 1024x768! "$scaled"
  menus_is_exit "$scaled"
}
menus_wait_for exit_at_800 exit-at-800 >/dev/null
e2e_key a
e2e_expect_quit
echo "window size: ok"
