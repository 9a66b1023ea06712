#!/usr/bin/env bash
# The options on the real game: main menu, options hub, the video, audio and game options and
# back, each screen seen on screen; every setting changed through its screen is in the 48-byte
# file after quitting, and a second start applies it (the level's tagline, the low-polygon
# otters of the main menu) and writes the same file back, music still off.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
game=$(menus_fresh_game "$1")
folder=$(dirname "$game")

# Dark pixels (outlines, eyes, whiskers) of the two posed otters of the main menu: the
# low-polygon model has no whiskers and fewer outlined creases. The pointer stays at one place,
# since the scene's light follows it.
otter_darkness() {
  local left right
  left=$(convert "$1" -crop 160x180+10+550 +repage -colorspace gray -threshold 6% -negate \
    -format '%[fx:int(mean*w*h)]' info:)
  right=$(convert "$1" -crop 160x180+854+550 +repage -colorspace gray -threshold 6% -negate \
    -format '%[fx:int(mean*w*h)]' info:)
  echo $((left + right))
}
menu_otters() {
  e2e_move 700 300
  sleep 0.5
  otter_darkness "$(e2e_screenshot "$1")"
}
# The level's tagline is drawn in the level's colour: green at "Normal", orange from
# "Difficile" on. Counts its clearly orange pixels against its clearly green ones.
tagline_is_orange() {
  local crop="$E2E_DIR/tagline.png" warm green
  convert "$1" -crop 240x19+440+200 +repage "$crop"
  warm=$(convert "$crop" -fx 'r > g + 0.1 ? 1 : 0' -format '%[fx:int(mean*w*h)]' info:)
  green=$(convert "$crop" -fx 'g > r + 0.1 ? 1 : 0' -format '%[fx:int(mean*w*h)]' info:)
  [ "$warm" -gt $((green + 20)) ]
}
# Clicks (X Y) or presses Escape (X alone) to reach another screen, then moves the pointer
# there to a free spot, where the screen draws its cursor; prints the screenshot's path.
go_to() {
  local check=$1 name=$2
  shift 2
  if [ "$1" = Escape ]; then e2e_key Escape; else e2e_click "$1" "$2"; fi
  e2e_move 700 300
  menus_wait_for "$check" "$name" 10
}
leave_by_exit_screen() {
  e2e_key Escape
  menus_wait_for menus_is_exit "exit-$1" 10 >/dev/null
  e2e_key a
  e2e_wait_exit 20
  [ "$E2E_STATUS" = 1 ] || e2e_fail "$1: exit status $E2E_STATUS, expected 1"
}

e2e_start "$game"
e2e_key space
menus_wait_for menus_is_menu main-menu >/dev/null
normal_otters=$(menu_otters menu-normal-otters)

go_to menus_is_hub hub 512 432 >/dev/null # options
go_to menus_is_video video-options 512 182 >/dev/null
menus_click_widget 100 250 # low-polygon otter
menus_click_widget 100 350 # texture quality "Bonne"
menus_click_widget 100 450 # filtering "Bilineaire"
menus_click_widget 100 550 # glow "Moyenne"
go_to menus_is_hub hub-after-video 132 666 >/dev/null # back, which applies them

go_to menus_is_audio audio-options 512 382 >/dev/null
menus_click_widget 100 300 # effects off
menus_click_widget 500 300 # effects volume 110
menus_click_widget 100 400 # music off
menus_click_widget 500 400 # music volume 110
go_to menus_is_hub hub-after-audio Escape >/dev/null

shot=$(go_to menus_is_game_options game-options 512 582)
tagline_is_orange "$shot" && e2e_fail "the default level's tagline is not green"
menus_click_widget 415 200 # difficulty 14
menus_click_widget 605 300 # sensitivity one step up
menus_click_widget 50 400  # inverted mouse
go_to menus_is_hub hub-after-game 132 666 >/dev/null
go_to menus_is_menu main-menu-after-options Escape >/dev/null
low_otters=$(menu_otters menu-low-otters)
[ $((normal_otters - low_otters)) -gt 150 ] ||
  e2e_fail "the low-polygon otters look like the normal ones" \
    "($normal_otters, $low_otters dark pixels)"
leave_by_exit_screen first-run

# Difficulty 14, sensitivities one step up from the first pair (vertical 0.0015, horizontal
# 0.0020), mouse inverted, effects off at 110, music off at 110, low otter, glow 1, quality 1,
# bilinear filtering.
expected=0e000000a79bc43a6e12033bffffffff000000006e000000000000006e00000001000000010000000100000002000000
[ "$(menus_config_hex "$folder/config.cfg")" = "$expected" ] ||
  e2e_fail "config.cfg does not hold the chosen settings: $(menus_config_hex "$folder/config.cfg")"
menus_expect_quiet_stderr

e2e_start "$game"
e2e_key space
menus_wait_for menus_is_menu main-menu-again >/dev/null
otters=$(menu_otters menu-otters-again)
[ $((otters - low_otters)) -lt $((normal_otters - otters)) ] ||
  e2e_fail "after a restart the menu otters are not the low-polygon ones ($otters dark pixels;" \
    "normal $normal_otters, low $low_otters)"
go_to menus_is_hub hub-again 512 432 >/dev/null
shot=$(go_to menus_is_game_options game-options-again 512 582)
tagline_is_orange "$shot" || e2e_fail "the saved level is not shown after a restart"
go_to menus_is_hub hub-left-again Escape >/dev/null
go_to menus_is_menu main-menu-left-again Escape >/dev/null
leave_by_exit_screen second-run
[ "$(menus_config_hex "$folder/config.cfg")" = "$expected" ] ||
  e2e_fail "the second run changed the settings (music must stay off):" \
    "$(menus_config_hex "$folder/config.cfg")"
echo "options: ok"
