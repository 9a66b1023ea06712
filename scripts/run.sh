#!/usr/bin/env bash
# Installs what is missing, builds the game (Release) and starts it. Needs an X display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" release zorblat ressources
cd "$root/build/release"
exec ./zorblat "$@"
