#!/usr/bin/env bash
# A key let go and pressed again while the game is busy reaches the game: the game is stopped
# between the two, so it reads the release only once the key is down again, as a busy frame
# would. Escape leaves the game for the main menu on its first press and the main menu for the
# exit screen on its second.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"

game=$(menus_fresh_game "$1")
e2e_start "$game"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
e2e_click 512 232 # new game
e2e_wait_screen game
e2e_key_down Escape
e2e_wait_screen main-menu
kill -STOP "$E2E_GAME_PID"
e2e_key_up Escape
e2e_key_down Escape
kill -CONT "$E2E_GAME_PID"
e2e_wait_screen exit
e2e_key_up Escape
e2e_key Return
e2e_expect_quit
echo "key pressed again: ok"
