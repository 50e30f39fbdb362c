#!/usr/bin/env bash
# The Windows installer as a user meets it, in a fresh Wine prefix: made by CPack from this
# build, installed silently, its files, Start-menu shortcut and Installed-apps entry checked,
# the installed programs run (tarnwick-plan.exe --help, tarnwick.exe until its first paint),
# installed again (a repair), upgraded by the installer stamped with a higher version (the old
# version's files gone), and uninstalled silently, after which the prefix's files and HKCU keys
# must be as before, the user's settings untouched.
#
# Usage: installer-check.sh BUILD_DIR CPACK
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
build=$1
cpack=$2

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
wine_prefix="bash $(dirname "$0")/../../cmake/wine-prefix.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-installer.XXXXXX")
prefix=$work/prefix
# A prefix with its own server (its socket lives under TMPDIR), made as every check makes one.
export WINEPREFIX=$prefix TMPDIR=$work/tmp WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$TMPDIR"
trap '$wine_prefix end "$prefix"; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
vendor=$(sed -n 's/^set(CPACK_PACKAGE_VENDOR "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
IFS=. read -r major minor patch <<<"$version"
higher=$major.$minor.$((patch + 1))
# The installer; the same with one file more, retired.txt, standing for a file that the next
# version no longer ships; and the installer stamped with a higher version.
mkdir "$work/retired"
echo "retired" >"$work/retired/retired.txt"
(cd "$build" && "$cpack" -G NSIS -B "$work/v1" >/dev/null &&
  "$cpack" -G NSIS -D "CPACK_INSTALLED_DIRECTORIES=$work/retired;." -B "$work/v1r" >/dev/null &&
  "$cpack" -G NSIS -D CPACK_PACKAGE_VERSION="$higher" -B "$work/v2" >/dev/null)
setup=$work/v1/Tarnwick-$version-setup.exe
setup_with_retired=$work/v1r/Tarnwick-$version-setup.exe
newer_setup=$work/v2/Tarnwick-$higher-setup.exe
# What CPack staged for each installer.
staged() { echo "$work/$1/_CPack_Packages/win64/NSIS/Tarnwick-$2-setup"; }

$wine_prefix make "$prefix"
"$wine" reg add 'HKCU\Software\Tarnwick\Settings' /v Payload /d 9000 /f >/dev/null

# Runs a Windows program and returns its status once the wineserver has ended: then it and all
# it started have ended, and the registry is saved to user.reg.
run() {
  local status=0
  "$wine" "$@" || status=$?
  "$wineserver" -w
  return $status
}
files() { (cd "$prefix/drive_c" && find . | sort); }
# The HKCU keys but the user's settings, which the planner may add to.
hkcu_keys() {
  sed -n 's/^\[\(.*\)\] [0-9]*$/\1/p' "$prefix/user.reg" | grep -v '^Software\\\\Tarnwick' | sort
}
# A console of its own first, for the key Wine's console makes on first use (HKCU\Console,
# which Windows has from the start).
run start /wait /min cmd /c exit
files >"$work/files.before"
hkcu_keys >"$work/keys.before"

# Wine names the user's folder after the user running it.
user_folder=$(id -un)
folder=$prefix/drive_c/users/$user_folder/AppData/Local/Programs/Tarnwick
windows_folder="C:\\users\\$user_folder\\AppData\\Local\\Programs\\Tarnwick"
start_menu="$prefix/drive_c/users/$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu"
shortcut="$start_menu/Programs/Tarnwick.lnk"
entry='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# The value of NAME in the Installed-apps entry.
entry_value() {
  "$wine" reg query "$entry\\Tarnwick" /v "$1" | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z]* *//p"
}

# The installed files are exactly those CPack staged (the programs stripped), beside the
# uninstaller; the shortcut starts tarnwick.exe and shows its icon; one entry, for VERSION.
# expect_installed VERSION STAGED_FOLDER
expect_installed() {
  local expected_version=$1 staged=$2 file
  local installed packaged
  installed=$(ls "$folder" | tr '\n' ' ')
  packaged=$( (ls "$staged" && echo Uninstall.exe) | sort | tr '\n' ' ')
  [ "$installed" = "$packaged" ] || fail "installed: $installed; packaged: $packaged"
  for file in "$staged"/*; do
    cmp "$folder/${file##*/}" "$file" >&2 ||
      fail "the installed ${file##*/} is not the packaged one"
  done
  [ -f "$shortcut" ] || fail "no Start-menu shortcut Tarnwick.lnk"
  # The shell link's flags (bytes 20-23): HasLinkTargetIDList 0x1, HasIconLocation 0x40.
  local flags
  flags=$(od -An -tu4 -j20 -N4 "$shortcut" | tr -d ' ')
  [ $((flags & 0x41)) -eq $((0x41)) ] || fail "the shortcut has flags $flags"
  # Its icon location, a counted UTF-16 string (the count shows as one character before it).
  strings -el "$shortcut" | grep -F "$windows_folder\\tarnwick.exe" |
    grep -q '^.\?[A-Z]:.*tarnwick\.exe$' ||
    fail "the shortcut does not name tarnwick.exe: $(strings -el "$shortcut" | tr '\n' ' ')"
  local names
  names=$("$wine" reg query "$entry" /s | tr -d '\r' | grep -c '^ *DisplayName *REG_SZ *Tarnwick$')
  [ "$names" -eq 1 ] || fail "$names entries named Tarnwick in Installed apps"
  [ "$(entry_value DisplayVersion)" = "$expected_version" ] ||
    fail "entry version $(entry_value DisplayVersion), not $expected_version"
  [ "$(entry_value Publisher)" = "$vendor" ] || fail "publisher $(entry_value Publisher)"
  [ "$(entry_value DisplayIcon)" = "$windows_folder\\tarnwick.exe,0" ] ||
    fail "icon $(entry_value DisplayIcon)"
  [ "$(entry_value QuietUninstallString)" = "\"$windows_folder\\Uninstall.exe\" /S" ] ||
    fail "quiet uninstall command $(entry_value QuietUninstallString)"
  local size_kb=$(($(entry_value EstimatedSize))) bytes
  bytes=$(du -cb "$folder"/* | tail -1 | cut -f1)
  [ $((bytes / 1024 - size_kb)) -le 6 ] && [ $((size_kb - bytes / 1024)) -le 6 ] ||
    fail "estimated size $size_kb KiB for $bytes bytes"
}

expect_settings_kept() {
  "$wine" reg query 'HKCU\Software\Tarnwick\Settings' /v Payload 2>/dev/null | tr -d '\r' |
    grep -q 'Payload *REG_SZ *9000$' || fail "the user's settings were touched $1"
}

[ "$(ls "$(staged v1 "$version")" | tr '\n' ' ')" = \
  "LICENSE.txt README.txt tarnwick-plan.exe tarnwick-simstub.exe tarnwick.exe " ] ||
  fail "the installer holds $(ls "$(staged v1 "$version")" | tr '\n' ' ')"
started=$SECONDS
run "$setup" /S || fail "the silent install exited with $?"
expect_installed "$version" "$(staged v1 "$version")"
expect_settings_kept "by the install"

status=0
"$wine" "$windows_folder\\tarnwick-plan.exe" --help >"$work/help.txt" 2>&1 || status=$?
[ $status -eq 0 ] && grep -q -- '--json' "$work/help.txt" ||
  fail "the installed tarnwick-plan.exe --help ($status): $(head -3 "$work/help.txt")"
# With TARNWICK_EXIT_WHEN_SHOWN=1 the window ends by itself once it has first been painted.
TARNWICK_EXIT_WHEN_SHOWN=1 timeout 60 "$wine" "$windows_folder\\tarnwick.exe" ||
  fail "the installed tarnwick.exe did not end after its first paint (status $?)"
"$wineserver" -w

# The same version again repairs: a lost file comes back.
rm "$folder/README.txt"
run "$setup_with_retired" /S || fail "installing the same version again exited with $?"
expect_installed "$version" "$(staged v1r "$version")"

run "$newer_setup" /S || fail "the silent upgrade exited with $?"
expect_installed "$higher" "$(staged v2 "$higher")"
expect_settings_kept "by the upgrade"

uninstaller=$(entry_value QuietUninstallString)
uninstaller=${uninstaller#\"}
run "${uninstaller%\" /S}" /S || fail "the silent uninstall exited with $?"
expect_settings_kept "by the uninstall"
diff "$work/files.before" <(files) >"$work/files.diff" ||
  fail "the prefix's files differ after uninstalling: $(cat "$work/files.diff")"
diff "$work/keys.before" <(hkcu_keys) >"$work/keys.diff" ||
  fail "the HKCU keys differ after uninstalling: $(cat "$work/keys.diff")"
echo "installed, repaired, upgraded to $higher and uninstalled in $((SECONDS - started)) s"
