#!/usr/bin/env bash
# Installs the Debian 12 packages Tarnwick needs to build and test, if any are missing, and the
# packages named as arguments (tools/test.sh adds the cross compiler and Wine). php-cli
# serves the web site and chromium loads its print page in the browser test, which fetches from
# the planner's own server with curl. The accessibility check runs
# the window on Xvfb and reads it over AT-SPI with Python's Atspi bindings.
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR

packages=(
  g++ cmake ninja-build pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev libboost-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxkbcommon-dev
  fonts-dejavu-core fonts-dejavu-extra
  clang libclang-rt-14-dev valgrind
  php-cli chromium curl
  librsvg2-bin
  xvfb at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus-x11
  "$@"
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
apt=("${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600)
"${apt[@]}" update -qq
"${apt[@]}" install -y --no-install-recommends "${missing[@]}"
