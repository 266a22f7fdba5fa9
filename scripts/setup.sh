#!/usr/bin/env bash
# Installs what a need takes and is not there yet. Safe to run again; as root or with sudo.
#   bash scripts/setup.sh run       build and run the editor on Linux (no Wine, no MinGW)
#   bash scripts/setup.sh package   also what scripts/package.sh uses
#   bash scripts/setup.sh test      everything: the tests, the Windows build under Wine (default)
set -euo pipefail
need=${1:-test}

# Building and running the editor on Linux
run_packages=(
  cmake ninja-build g++ pkg-config
  # the catalog of texts is compiled into the programs by a Python script
  python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  # the vesk command: arguments, JSON
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev libgl-dev libxcb1-dev libfontconfig-dev fonts-noto-cjk fonts-ipafont-gothic qt6-translations-l10n
  # the window as a native Wayland client on a Wayland desktop
  qt6-wayland
)
# Building and checking the packages; MinGW-w64 for the Windows zip, NSIS for its installer
package_packages=(
  dpkg-dev file lintian appstream desktop-file-utils python3 xvfb openbox xdotool x11-utils
  g++-mingw-w64-x86-64-posix nsis
  # the browser page, vesk-web.html: Debian's emscripten compiles the core to WebAssembly
  emscripten
)
# git and the format check, the screenshots of the end-to-end tests, groff to render the manual
# page, the Wayland end-to-end test, mGBA's patch loader as an independent reader of the
# patches vesk writes, zlib to check the program's own CRC-32, the screen-reader names read
# through AT-SPI in a D-Bus session of their own, the browser page's tests (Chromium driven
# by Selenium; npm fetches axe-core into the build folder), and the Windows build's tests
# under Wine
test_packages=(
  git clang-format-14 imagemagick groff-base
  # gettext: msgfmt --check and the other checks of the catalog
  gettext
  # the Wayland end-to-end test: headless sway, another Wayland program, a session bus
  sway foot dbus
  libmgba-dev zlib1g-dev
  # the fuzz target over the table reader: clang and its libFuzzer runtime
  clang libclang-rt-14-dev
  python3-pyatspi at-spi2-core dbus-x11
  chromium chromium-driver python3-selenium
  wine wine64 fonts-wine
)
# npm may come with a Node.js of another origin; Debian's npm only where there is none.
command -v npm >/dev/null || test_packages+=(npm)

case "$need" in
  run) packages=("${run_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
  *) echo "setup: unknown need '$need' (run, package or test)" >&2; exit 2 ;;
esac

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
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
