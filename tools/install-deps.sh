#!/usr/bin/env bash
# Installs what building, running and testing Glyphoscope needs on Debian (as root or with sudo).
set -euo pipefail
packages=(
  cmake ninja-build g++ googletest libgtest-dev clang clang-tidy libclang-rt-dev
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
  wine64 wine fonts-wine xvfb xauth imagemagick x11-utils python3
  fonts-liberation python3-fonttools unicode-data
  wixl msitools faketime zip unzip ccache
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
