#!/usr/bin/env bash
# The game starts under Xvfb in a 1024 x 768 window at the top-left, draws its first screen,
# stays up, and quits with status 1 on Escape without any error on stderr.
source "$(dirname "$0")/lib.sh"
e2e_start "$1"

geometry=$(xdotool getwindowgeometry "$E2E_WINDOW")
echo "$geometry" | grep -q "Position: 0,0" || e2e_fail "window not at 0,0: $geometry"
echo "$geometry" | grep -q "Geometry: 1024x768" || e2e_fail "window not 1024x768: $geometry"

shot=$(e2e_screenshot first-screen)
# Night blue above and below the yellow title band.
e2e_expect_pixel "$shot" 100 100 13 20 64 12
e2e_expect_pixel "$shot" 900 700 13 20 64 12
e2e_expect_pixel "$shot" 512 384 255 204 26 12

e2e_running || e2e_fail "the game stopped by itself"
e2e_key Escape
e2e_wait_exit 20
[ "$E2E_STATUS" = 1 ] || e2e_fail "exit status $E2E_STATUS, expected 1"
if grep -v '^$' "$E2E_STDERR" | grep -q .; then
  e2e_fail "unexpected output on stderr"
fi
echo "startup: ok"
