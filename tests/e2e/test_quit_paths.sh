#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end the game promptly through the normal quit path (status 1,
# settings saved); the SIGHUP run is started from another folder, and the game moves to its
# own folder, where it finds its ressources, and keeps its settings in the config.cfg that
# already stands there (a portable copy).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"

# KEEP=1 leaves the folder's config.cfg in place.
run_until_signal() {
  local game=$1 signal=$2 folder
  folder=$(cd "$(dirname "$game")" && pwd)
  [ -n "${KEEP:-}" ] || rm -f "$folder/config.cfg"
  e2e_start "$game"
  e2e_wait_event '^ready$'
  e2e_key space
  e2e_wait_screen main-menu
  kill -s "$signal" "$E2E_GAME_PID"
  e2e_wait_event "^settings-saved path=$folder/config.cfg\$"
  e2e_expect_quit
  [ "$(menus_config_hex "$folder/config.cfg")" = "$MENUS_DEFAULT_CONFIG" ] ||
    e2e_fail "$signal: settings not saved"
  menus_expect_quiet_stderr
}

game=$(menus_fresh_game "$1")
run_until_signal "$game" TERM
run_until_signal "$game" INT

# A real copy, so the executable's own folder is this one and not the build's.
elsewhere=$(mktemp -d "$E2E_DIR/elsewhere.XXXX")
home=$(mktemp -d "$E2E_DIR/home.XXXX")
cp "$1" "$home/zorblat"
ln -s "$(cd "$(dirname "$1")" && pwd)/ressources" "$home/ressources"
# An empty file marks the copy as portable; it reads as the defaults and is saved in full.
: >"$home/config.cfg"
HOME=$home E2E_CWD=$elsewhere KEEP=1 run_until_signal "$home/zorblat" HUP
[ ! -e "$elsewhere/config.cfg" ] || e2e_fail "settings written in the starting folder"
[ ! -e "$home/.config" ] || e2e_fail "a portable copy wrote into the user's config folder"
echo "quit paths: ok"
