#!/usr/bin/env bash
# Installs, with apt-get, every Debian package the build, the game and the tests need.
# Idempotent: packages already present are not asked for again, and apt is not touched at all
# when nothing is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libxrandr-dev
  libsdl2-mixer-dev libvorbis-dev libfluidsynth-dev timgm6mb-soundfont fluid-soundfont-gm
  libfreetype-dev fonts-dejavu-core
  libgtest-dev
  xvfb xauth xdotool imagemagick x11-apps x11-utils xxd
  clang libclang-rt-14-dev clang-format
  dpkg-dev lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
