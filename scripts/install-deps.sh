#!/usr/bin/env bash
# Installs what building, running and testing the suite needs on Debian 12.
set -euo pipefail
packages=(
  cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  fonts-liberation2 fonts-dejavu-core qt6-translations-l10n
  xvfb xauth xdotool imagemagick x11-utils qt6-gtk-platformtheme
  libreoffice-writer libreoffice-impress python3 python3-uno qpdf fonts-opensymbol
  xdg-utils
  dpkg-dev debhelper lintian appstream desktop-file-utils fontconfig debootstrap
  clang libclang-rt-14-dev
  hunspell hunspell-ca
  at-spi2-core python3-pyatspi dbus-x11 dbus-bin
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
