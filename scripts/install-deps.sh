#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quorvel need.
# Idempotent: only missing packages are installed. Run as root or through sudo.
set -euo pipefail

packages=(
  build-essential
  cmake
  ninja-build
  pkg-config
  qt6-base-dev
  qt6-webengine-dev
  libqt6webenginecore6-bin
  qt6-pdf-dev
  # "Vorlesen": Qt's speech module and its plugin for the speech service,
  # which reads German with espeak-ng's voice.
  qt6-speech-dev
  qt6-speech-speechd-plugin
  speech-dispatcher-espeak-ng
  libgl-dev
  libgtest-dev
  libbenchmark-dev
  googletest
  clang
  libclang-rt-14-dev
  qt6-translations-l10n
  fonts-liberation
  fonts-comic-neue
  fonts-dejavu-core
  dpkg-dev
  desktop-file-utils
  appstream
  xvfb
  openbox
  xdotool
  x11-utils
  python3-pyatspi
  at-spi2-core
  dbus
  poppler-utils
  imagemagick
  # The Debian packages are checked as Debian checks them.
  lintian
  # The web front end: Emscripten compiles the core to WebAssembly (its
  # optimiser needs Debian's acorn module); the site is served by Python's
  # http.server and its tests drive Chromium.
  emscripten
  node-acorn
  python3
  chromium
)

# A node installed outside Debian's packages brings its own npm, and
# Debian's npm conflicts with it; Debian's nodejs needs the npm package.
if ! command -v npm >/dev/null 2>&1; then
  packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
