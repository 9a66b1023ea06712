#!/usr/bin/env bash
# The installed game: the release build installed into a prefix that is then made read-only,
# started from another folder with a fresh HOME. It finds its art, names its window, keeps a
# changed setting in $HOME/.config/zorblat/config.cfg and reads it back at the next start, and
# writes nothing into the install. What desktops read passes their validators. A lone copy
# of the game, with no art anywhere, says where it looked and ends with status 1 before it
# opens a window.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/menus.sh"
build=$(cd "$(dirname "$1")" && pwd)
prefix="$E2E_DIR/prefix"
trap 'chmod -R u+w "$prefix" 2>/dev/null || true; e2e_cleanup' EXIT

cmake --install "$build" --prefix "$prefix" >"$E2E_DIR/install.txt" ||
  e2e_fail "cmake --install failed: $(tail -n 5 "$E2E_DIR/install.txt")"
desktop-file-validate "$prefix/share/applications/zorblat.desktop" ||
  e2e_fail "the desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/zorblat.metainfo.xml" >"$E2E_DIR/as.txt" ||
  e2e_fail "the AppStream data does not validate: $(cat "$E2E_DIR/as.txt")"
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/zorblat.png"
  [ "$(identify -format '%wx%h %[channels]' "$icon" 2>/dev/null)" = "${size}x${size} srgba" ] ||
    e2e_fail "$icon is not a ${size}x${size} picture with transparency"
done
chmod -R a-w "$prefix"
# Root may write anyway: what the install holds is compared before and after the runs.
listing() { find "$prefix" -printf '%P %s %T@\n' | sort; }
before=$(listing)

export HOME="$E2E_DIR/home"
unset XDG_CONFIG_HOME
config="$HOME/.config/zorblat/config.cfg"
elsewhere=$(mktemp -d "$E2E_DIR/elsewhere.XXXX")
game="$prefix/games/zorblat"

quit_from_menu() {
  e2e_key Escape
  e2e_wait_screen exit
  e2e_key a
  e2e_wait_event '^settings-saved '
  [ "$E2E_EVENT" = "settings-saved path=$config" ] || e2e_fail "saved elsewhere: $E2E_EVENT"
  e2e_wait_exit 20
  [ "$E2E_STATUS" = 1 ] || e2e_fail "exit status $E2E_STATUS, expected 1"
}

E2E_CWD=$elsewhere e2e_start "$game"
e2e_wait_event '^settings-loaded '
[ "$E2E_EVENT" = "settings-loaded path=$config" ] || e2e_fail "settings read from: $E2E_EVENT"
[ "$(xprop -id "$E2E_WINDOW" WM_CLASS)" = 'WM_CLASS(STRING) = "zorblat", "zorblat"' ] ||
  e2e_fail "window class: $(xprop -id "$E2E_WINDOW" WM_CLASS)"
# Read whole into a file: cut short by a pipe, xprop dies of SIGPIPE and pipefail takes that
# for a missing icon.
xprop -id "$E2E_WINDOW" _NET_WM_ICON >"$E2E_DIR/icon.txt"
grep -q 'Icon (64 x 64)' "$E2E_DIR/icon.txt" || e2e_fail "the window shows no 64 x 64 icon"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
e2e_click 512 432 # options
e2e_wait_screen options
e2e_click 512 582 # game options
e2e_wait_screen game-options
menus_click_widget 415 200 # difficulty 14
e2e_click 132 666          # back
e2e_wait_screen options
e2e_key Escape
e2e_wait_screen main-menu
quit_from_menu
# The defaults with difficulty 14 in the first field.
changed=0e${MENUS_DEFAULT_CONFIG:2}
[ "$(stat -c %s "$config" 2>/dev/null)" = 48 ] || e2e_fail "no 48-byte $config"
[ "$(menus_config_hex "$config")" = "$changed" ] ||
  e2e_fail "the file does not hold difficulty 14: $(menus_config_hex "$config")"

# A second start reads the file: had it not, quitting would write the defaults back.
E2E_CWD=$elsewhere e2e_start "$game"
e2e_wait_event '^settings-loaded '
[ "$E2E_EVENT" = "settings-loaded path=$config" ] || e2e_fail "settings read from: $E2E_EVENT"
e2e_wait_event '^ready$'
e2e_key space
e2e_wait_screen main-menu
quit_from_menu
[ "$(menus_config_hex "$config")" = "$changed" ] ||
  e2e_fail "the second start did not read the settings back: $(menus_config_hex "$config")"
menus_expect_quiet_stderr
[ "$(ls -A "$elsewhere")" = "" ] || e2e_fail "files left in the starting folder: $(ls -A "$elsewhere")"
[ "$(listing)" = "$before" ] || e2e_fail "the game changed its install"

# Without any art the game says where it looked, before GLUT is even asked for a display.
lone=$(mktemp -d "$E2E_DIR/lone.XXXX")
cp "$build/zorblat" "$lone/zorblat"
set +e
(cd "$lone" && env -u DISPLAY ./zorblat 2>"$lone/stderr.txt")
status=$?
set -e
[ "$status" = 1 ] || e2e_fail "a game without art ended with status $status"
for place in "$lone/ressources" "$(dirname "$lone")/share/games/zorblat/ressources"; do
  grep -q -x "  $place" "$lone/stderr.txt" || e2e_fail "stderr does not name $place:
$(cat "$lone/stderr.txt")"
done
[ "$(grep -c -v '^  /' "$lone/stderr.txt")" = 1 ] || e2e_fail "more than one message:
$(cat "$lone/stderr.txt")"
echo "install: ok"
