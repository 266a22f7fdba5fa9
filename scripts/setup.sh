#!/usr/bin/env bash
# Installs whatever the build and the tests need and is not there yet. Safe to run again.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # the vesk command: arguments, JSON, checksums; mGBA's patch loader checks its patches in the tests
  libcli11-dev nlohmann-json3-dev zlib1g-dev libmgba-dev
  # the Linux window
  qt6-base-dev libgl-dev libxcb1-dev fonts-noto-cjk fonts-ipafont-gothic qt6-translations-l10n
  # end-to-end tests in a real X session
  xvfb openbox xdotool x11-utils imagemagick
  # the Windows build and its tests
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 fonts-wine
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
