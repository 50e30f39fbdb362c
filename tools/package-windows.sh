#!/usr/bin/env bash
# Makes the Windows packages, build/packages/Tarnwick-<version>-win64.zip and the installer
# Tarnwick-<version>-setup.exe: cross-builds tarnwick.exe, tarnwick-plan.exe and
# tarnwick-simstub.exe with mingw-w64 (the windows preset) and packs them, stripped, with
# README.txt and LICENSE.txt through CPack (cmake/PackagingWindows.cmake; the installer with
# NSIS). Prints the installer's path, then the zip's.
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

bash tools/setup.sh g++-mingw-w64-x86-64-posix googletest librsvg2-bin icoutils imagemagick nsis

cmake --preset windows >/dev/null
cmake --build --preset windows --target tarnwick tarnwick-plan tarnwick-simstub
# CPack installs what the install rules name (the three programs are built above) into a
# scratch folder of its own, strips the programs, and zips them, or makes the installer.
(cd build/windows && cpack -G "ZIP;NSIS" >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
zip=Tarnwick-$version-win64.zip
setup=Tarnwick-$version-setup.exe
mkdir -p build/packages
cp "build/windows/packages/$zip" "build/windows/packages/$setup" build/packages/
echo "$PWD/build/packages/$setup"
echo "$PWD/build/packages/$zip"
