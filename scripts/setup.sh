#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# As root it runs apt-get; otherwise it prints the exact command and stops.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libvulkan-dev qt6-translations-l10n
  # lrelease for the Japanese of Qt's dialogs that Qt's translations lack
  qt6-tools-dev qt6-l10n-tools
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-liberation
  clang libclang-rt-14-dev
  # Qt's static checks (scripts/clazy.sh)
  clazy
  # the install test's validators; what cpack -G DEB runs
  desktop-file-utils appstream shared-mime-info gtk-update-icon-cache dpkg-dev file
  # the export tests' readers: CommonMark, XML, PDF
  cmark libxml2-utils poppler-utils
  # the accessibility test: an X server, a D-Bus session, the accessibility
  # bus, its Python reader, and key presses
  xvfb dbus-daemon dbus-session-bus-common at-spi2-core python3-pyatspi xdotool
  # setfacl/getfacl: a save must keep a workbook's ACL
  acl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages. Install them with:" >&2
  echo "  sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
