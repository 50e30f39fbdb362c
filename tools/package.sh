#!/usr/bin/env bash
# Makes the packages users install and leaves them in build/packages/: the Debian package
# tarnwick_<version>_amd64.deb from a Release build of its own (build/package-linux/, the
# compiler's warnings shown), and the Windows zip and installer. tools/check-packages.sh checks
# the Debian package; the windows preset's tests check the installer (WindowsInstaller).
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

# dpkg-shlibdeps (dpkg-dev) computes the package's dependencies from the programs that file
# finds to be ELF; dpkg-buildflags (dpkg-dev) gives the hardening flags.
bash tools/setup.sh dpkg-dev file

packages=$PWD/build/packages
mkdir -p "$packages"

echo "== Debian package"
rm -f "$packages"/tarnwick_*.deb
# Debian's hardening flags (fortified functions, stack protector, read-only relocations bound at
# start), as dpkg-buildflags gives them; Release chooses the optimisation, cpack strips.
flags() {
  DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_STRIP="-g -O2" dpkg-buildflags --get "$1"
}
cmake -S . -B build/package-linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build build/package-linux
(cd build/package-linux && cpack -G DEB -B "$packages")
rm -rf "$packages/_CPack_Packages"

echo "== Windows zip and installer"
bash tools/package-windows.sh >/dev/null

ls -l "$packages"
