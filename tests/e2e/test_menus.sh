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
e2e_wait_event '^ready$'
[ "$(grep -m1 '^screen ' "$E2E_EVENTS")" = "screen intro" ] || e2e_fail "the intro is not the first screen"
e2e_event_seen "^settings-loaded path=$folder/config.cfg\$" || e2e_fail "no settings read in $folder"
# Ready comes after the intro's first frame: the picture is on screen.
shot=$(e2e_screenshot intro)
menus_is_intro "$shot" || e2e_fail "the intro picture is not shown"

e2e_key space
e2e_wait_screen main-menu
shot=$(menus_wait_for menus_is_menu main-menu)
menus_has_resume "$shot" && e2e_fail "a resume button before any game"

e2e_click 512 232 # new game
e2e_wait_event '^game-new difficulty=11 otters=21 life=39$'
e2e_wait_screen game
e2e_key Escape
e2e_wait_event '^game-suspended( |$)'
e2e_wait_screen main-menu
menus_wait_for menus_has_resume main-menu-resume >/dev/null
e2e_click 512 162 # resume
e2e_wait_event '^game-resumed$'
e2e_wait_screen game

# One long Escape: the game goes to the menu once; key repeat must not walk on to the exit.
# The repeats themselves come from the X server's clock, so the key is held for real time.
e2e_key_down Escape
e2e_wait_screen main-menu
sleep 1.5
e2e_key_up Escape
# Pressed elsewhere, released on quit: nothing. Then the options button: the next screen must
# be the options, neither the exit screen (repeats, or the drag) nor anything else.
xdotool mousemove 100 300 mousedown 1 mousemove 512 632 mouseup 1
e2e_click 512 432
e2e_wait_screen options
e2e_key Escape
e2e_wait_screen main-menu
menus_wait_for menus_has_resume menu-after-held-escape >/dev/null
# Pressed and released on quit: the exit screen, left by any key.
e2e_click 512 632
e2e_wait_screen exit
menus_wait_for menus_is_exit exit-screen >/dev/null
e2e_key a
e2e_wait_event "^settings-saved path=$folder/config.cfg\$"
e2e_expect_quit
[ "$(menus_config_hex "$folder/config.cfg")" = "$MENUS_DEFAULT_CONFIG" ] ||
  e2e_fail "config.cfg is not the 48-byte defaults: $(menus_config_hex "$folder/config.cfg")"
menus_expect_quiet_stderr

# Second start: difficulty 17, inverted mouse, effects off, volumes 30 and 250, music off, low
# otter, glow 1, quality 2, no filtering. Escape, then any key: the same file comes back.
printf '\x11\x00\x00\x00\x52\x49\x9d\x3a\xfa\xed\xeb\x3a\xff\xff\xff\xff\x00\x00\x00\x00\x1e\x00\x00\x00\x00\x00\x00\x00\xfa\x00\x00\x00\x01\x00\x00\x00\x01\x00\x00\x00\x02\x00\x00\x00\x00\x00\x00\x00' \
  >"$folder/config.cfg"
expected=$(menus_config_hex "$folder/config.cfg")
e2e_start "$game"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
e2e_key Escape
e2e_wait_screen exit
e2e_key Return
e2e_expect_quit
[ "$(menus_config_hex "$folder/config.cfg")" = "$expected" ] ||
  e2e_fail "settings not read back: $(menus_config_hex "$folder/config.cfg")"
echo "menus: ok"
