#!/usr/bin/env bash
# A resized window: the picture follows the window and a click where a main-menu button is
# drawn acts on that button, at 1280 x 960 and at 800 x 600.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
e2e_start "$game"
e2e_key space
menus_wait_for menus_is_menu main-menu >/dev/null

# The new game button spans widget x 448..576, y 200..264: at 1280 x 960 that is window
# x 560..720, y 250..330.
xdotool windowsize "$E2E_WINDOW" 1280 960
sleep 1
e2e_click 640 290
sleep 1
e2e_key Escape
sleep 1
# Back at 1024 x 768 the resume button shows that the click started a game.
xdotool windowsize "$E2E_WINDOW" 1024 768
sleep 1
e2e_move 10 10
shot=$(menus_wait_for menus_is_menu menu-after-1280 10)
menus_has_resume "$shot" || e2e_fail "the new game button did not act at 1280 x 960"

# At 800 x 600 the quit button (widget 384..640, 600..664) is drawn at x 300..500,
# y 469..519. Only the exit screen ends the game on a letter key.
xdotool windowsize "$E2E_WINDOW" 800 600
sleep 1
e2e_click 400 494
sleep 1
e2e_screenshot exit-at-800 >/dev/null
e2e_key a
e2e_wait_exit 20
[ "$E2E_STATUS" = 1 ] || e2e_fail "the quit button did not act at 800 x 600 (status $E2E_STATUS)"
echo "window size: ok"
