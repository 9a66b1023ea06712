#!/usr/bin/env bash
# The menus from start to end on the real game: intro first, any key to the main menu, a new
# game, Escape back with the resume button, resume, a long Escape that must not quit, quit on
# the release of the quit button, the exit screen, status 1 and the default settings file;
# then a second start with hand-made settings reads them and writes them back unchanged.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
folder=$(dirname "$game")
e2e_start "$game"

geometry=$(xdotool getwindowgeometry "$E2E_WINDOW")
echo "$geometry" | grep -q "Geometry: 1024x768" || e2e_fail "window not 1024x768: $geometry"
shot=$(e2e_screenshot intro)
menus_is_intro "$shot" || e2e_fail "the intro picture is not shown first"

e2e_key space
shot=$(menus_wait_for menus_is_menu main-menu)
menus_has_resume "$shot" && e2e_fail "a resume button before any game"

e2e_click 512 232  # new game
shot=$(menus_wait_for menus_is_game game 10)
e2e_key Escape
shot=$(menus_wait_for menus_is_menu main-menu-resume 10)
menus_has_resume "$shot" || e2e_fail "no resume button after leaving a game"
e2e_click 512 162  # resume
menus_wait_for menus_is_game game-resumed 10 >/dev/null

# One long Escape: the game goes to the menu once; key repeat must not walk on to the exit.
e2e_key_down Escape
sleep 1.5
e2e_key_up Escape
sleep 0.5
e2e_running || e2e_fail "a held Escape ended the game"
shot=$(menus_wait_for menus_is_menu menu-after-held-escape 10)
menus_has_resume "$shot" || e2e_fail "the suspended game was lost"

# Pressed elsewhere, released on quit: nothing. Pressed and released on quit: the exit screen.
xdotool mousemove 100 300 mousedown 1 mousemove 512 632 mouseup 1
sleep 0.5
shot=$(e2e_screenshot menu-after-drag)
menus_is_menu "$shot" || e2e_fail "a release on quit after a press elsewhere left the menu"
e2e_click 512 632
menus_wait_for menus_is_exit exit-screen 10 >/dev/null
e2e_key a
e2e_wait_exit 20
[ "$E2E_STATUS" = 1 ] || e2e_fail "exit status $E2E_STATUS, expected 1"
[ "$(xxd -p "$folder/config.cfg" | tr -d '\n')" = "$MENUS_DEFAULT_CONFIG" ] ||
  e2e_fail "config.cfg is not the 48-byte defaults: $(xxd -p "$folder/config.cfg")"
menus_expect_quiet_stderr

# Second start: difficulty 17, inverted mouse, effects off, volumes 30 and 250, music off, low
# otter, glow 1, quality 2, no filtering. Escape, then any key: the same file comes back.
printf '\x11\x00\x00\x00\x52\x49\x9d\x3a\xfa\xed\xeb\x3a\xff\xff\xff\xff\x00\x00\x00\x00\x1e\x00\x00\x00\x00\x00\x00\x00\xfa\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00' \
  >"$folder/config.cfg"
expected=$(xxd -p "$folder/config.cfg" | tr -d '\n')
kill "$E2E_XVFB_PID" 2>/dev/null || true
e2e_start "$game"
e2e_key space
menus_wait_for menus_is_menu main-menu-again >/dev/null
e2e_key Escape
menus_wait_for menus_is_exit exit-screen-again 10 >/dev/null
e2e_key Return
e2e_wait_exit 20
[ "$E2E_STATUS" = 1 ] || e2e_fail "second run: exit status $E2E_STATUS"
[ "$(xxd -p "$folder/config.cfg" | tr -d '\n')" = "$expected" ] ||
  e2e_fail "settings not read back: $(xxd -p "$folder/config.cfg")"
echo "menus: ok"
