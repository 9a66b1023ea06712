#!/usr/bin/env bash
# Takes the menu screenshots in docs/screenshots/ from the real Release game (intro, main menu
# without and with the resume button, exit screen), by running the menus' end-to-end test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
game=${1:-$root/build/release/zorblat}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
ZORBLAT_E2E_OUT=$out bash "$root/tests/e2e/test_menus.sh" "$game"
mkdir -p "$root/docs/screenshots"
cp "$out/test_menus-intro.png" "$root/docs/screenshots/intro.png"
cp "$out/test_menus-main-menu.png" "$root/docs/screenshots/main-menu.png"
cp "$out/test_menus-main-menu-resume.png" "$root/docs/screenshots/main-menu-resume.png"
cp "$out/test_menus-exit-screen.png" "$root/docs/screenshots/exit-screen.png"
