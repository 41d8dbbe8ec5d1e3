#!/usr/bin/env bash
# Installs the Debian packages the project needs, and only those that are missing.
# Usage: scripts/ensure-deps.sh run|test|web
set -euo pipefail

run_pkgs=(cmake make g++ pkg-config qt6-base-dev qt6-qpa-plugins
          fonts-wqy-microhei fonts-arphic-uming
          qt6-svg-dev qt6-translations-l10n qt6-wayland
          libqrcodegencpp-dev)
test_pkgs=(googletest libgtest-dev nlohmann-json3-dev libbenchmark-dev clang clang-format
           libclang-rt-14-dev
           xvfb xauth x11-utils locales dpkg-dev file
           lintian desktop-file-utils appstream python3
           python3-pyatspi at-spi2-core dbus dbus-x11 openbox weston devscripts
           zbar-tools poppler-utils
           python3-clang-14 python3-tinycss2 node-acorn)
# The web edition: its build (the app's icons rendered from the desktop
# icon's SVG), its server, and the three engines its tests drive (WebKit's
# MiniBrowser needs a display and a window manager for focus).
web_pkgs=(cmake make g++ emscripten nodejs npm chromium python3 librsvg2-bin
          fonts-wqy-microhei fonts-arphic-uming
          firefox-esr webkit2gtk-driver libwebkit2gtk-4.1-0 xvfb xauth openbox)
wanted=("${run_pkgs[@]}")
[ "${1:-run}" = test ] && wanted+=("${test_pkgs[@]}" "${web_pkgs[@]}")
[ "${1:-run}" = web ] && wanted=("${web_pkgs[@]}")

missing=()
for p in "${wanted[@]}"; do
  # A nodejs that brings its own npm (not Debian's) serves as well.
  [ "$p" = npm ] && command -v npm >/dev/null && continue
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

# The comma-decimal locale the tests run under.
need_locale=0
if [ "${1:-run}" = test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  need_locale=1
fi

[ ${#missing[@]} -eq 0 ] && [ $need_locale -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
  as_root=(sudo -n)
else
  echo "Missing packages. Run this once as root, then try again:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]} locales && sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen && locale-gen" >&2
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${as_root[@]}" apt-get update -qq
  "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi
if [ $need_locale -eq 1 ]; then
  "${as_root[@]}" sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen >/dev/null
fi
