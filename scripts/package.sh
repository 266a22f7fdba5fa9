#!/usr/bin/env bash
# Builds the packages into build/packages/: the browser page vesk-web-VERSION.html and its
# hosted, installable build vesk-web-VERSION-site.zip, the
# Debian package for this machine's architecture (CPack), the Windows zip (cross-compiled
# with MinGW-w64), both also carrying the page, and the Windows installer (NSIS), then
# checks them: lintian, the desktop entry, the AppStream metadata, the unpacked programs
# (Linux, and Windows under Wine) keeping their setting in the user's configuration folder,
# and the installer's silent install, start and uninstall under Wine.
#   bash scripts/package.sh [--no-checks]
set -euo pipefail
cd "$(dirname "$0")/.."
checks=1
[ "${1:-}" = --no-checks ] && checks=0

bash scripts/setup.sh package
out=build/packages
mkdir -p "$out"

# The browser page: one self-contained HTML file, shipped on its own and in both packages.
version=$(sed -n 's/^project(VeskEdit VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
cmake --preset web >/dev/null
cmake --build --preset web
web_page=$PWD/build/web/src/web/vesk-web.html
cp "$web_page" "$out/vesk-web-$version.html"
echo "package: $out/vesk-web-$version.html"
# The hosted build beside it (the same build made it): unzipped onto any static web server,
# it installs as an app and works offline.
site_zip=$PWD/$out/vesk-web-$version-site.zip
rm -f "$site_zip"
(cd build/web/src/web/site && cmake -E tar cf "$site_zip" --format=zip -- *)
echo "package: $site_zip"

# Linux: a release build with Debian's hardening flags, documentation laid out as Debian
# keeps it; stripped by CPack.
linux=build/package-linux
cmake -S . -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESK_BUILD_TESTS=OFF \
  -DVESK_BUILD_BENCHMARKS=OFF -DVESK_DEBIAN_DOCS=ON -DCMAKE_INSTALL_PREFIX=/usr \
  -DVESK_SHIP_WEB_PAGE="$web_page" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS) -Wl,-z,now" >/dev/null
cmake --build "$linux" -j2
(cd "$linux" && cpack -G DEB -B "$PWD/cpack" >/dev/null)
deb=$(ls "$linux"/cpack/vesk-edit_*.deb)
cp "$deb" "$out/"
deb="$out/$(basename "$deb")"
echo "package: $deb"

# Windows: the .exe programs, the browser page, README and LICENSE in one zip.
if [ -f cmake/mingw-w64.cmake ] && command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  windows=build/package-windows
  toolchain=()
  [ -f "$windows/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake)
  cmake -S . -B "$windows" -G Ninja "${toolchain[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DVESK_BUILD_TESTS=OFF -DVESK_BUILD_BENCHMARKS=OFF \
    -DVESK_SHIP_WEB_PAGE="$web_page" >/dev/null
  cmake --build "$windows" -j2
  (cd "$windows" && cpack -G ZIP -B "$PWD/cpack" >/dev/null)
  zip=$(ls "$windows"/cpack/vesk-edit-*-windows-x86_64.zip)
  cp "$zip" "$out/"
  zip="$out/$(basename "$zip")"
  echo "package: $zip"
  # The per-user installer beside it, from the same build (NSIS).
  if command -v makensis >/dev/null; then
    cmake --build "$windows" --target vesk-installer >/dev/null
    setup=$(ls "$windows"/installer/vesk-edit-*-setup-x86_64.exe)
    cp "$setup" "$out/"
    setup="$out/$(basename "$setup")"
    echo "package: $setup"
  else
    echo "package: no makensis (bash scripts/setup.sh package installs nsis): no installer" >&2
  fi
else
  echo "package: no MinGW-w64 (bash scripts/setup.sh test installs it): no Windows zip" >&2
fi

[ "$checks" = 1 ] || exit 0
bash tests/package/check_deb.sh "$deb"
if [ -n "${zip:-}" ] && command -v wine >/dev/null; then
  bash tests/package/check_zip.sh "$zip"
fi
if [ -n "${setup:-}" ] && command -v wine >/dev/null; then
  bash tests/package/check_installer.sh "$setup" "$windows/installer-check"
fi
