#!/usr/bin/env bash
# The Windows zip as a user gets it: made by CPack from this build, it holds the three programs,
# README.txt and LICENSE.txt; unpacked into C:\Tarnwick of the tests' Wine prefix, the texts end
# their lines in CR LF, the programs are stripped and import nothing but Windows' own DLLs, and
# tarnwick-plan.exe explains itself and makes the same plan from there as the build's program.
#
# Usage: zip-check.sh BUILD_DIR CPACK PREFIX
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
build=$1
cpack=$2
prefix=$3
wine_prefix="bash $(dirname "$0")/../../cmake/wine-prefix.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-zip.XXXXXX")
folder=$prefix/drive_c/Tarnwick
trap 'rm -rf "$work" "$folder"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

(cd "$build" && "$cpack" -G ZIP -B "$work" >/dev/null)
zip=$(echo "$work"/Tarnwick-*-win64.zip)
[ -f "$zip" ] || fail "CPack made no zip: $(ls "$work")"
[ "$(unzip -Z1 "$zip" | sort | tr '\n' ' ')" = \
  "LICENSE.txt README.txt tarnwick-plan.exe tarnwick-simstub.exe tarnwick.exe " ] ||
  fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
$wine_prefix make "$prefix"
rm -rf "$folder"
unzip -q "$zip" -d "$folder"

for text in README.txt LICENSE.txt; do
  [ -s "$folder/$text" ] || fail "$text is empty"
  ! grep -qv $'\r$' "$folder/$text" ||
    fail "$text has a line without CR LF: $(grep -v $'\r$' "$folder/$text" | head -1)"
done

# Stripped, and importing only Windows' own DLLs (no runtime of the compiler to install).
system_dlls=" ADVAPI32.dll COMCTL32.dll GDI32.dll KERNEL32.dll msvcrt.dll SHELL32.dll USER32.dll 
  WS2_32.dll MSWSOCK.dll ole32.dll "
for exe in "$folder"/*.exe; do
  imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
  [ -n "$imports" ] || fail "objdump found no imports in ${exe##*/}"
  for dll in $imports; do
    [[ $system_dlls == *" $dll "* ]] || fail "${exe##*/} imports $dll, not a Windows system DLL"
  done
  x86_64-w64-mingw32-objdump -t "$exe" | grep -q "no symbols" || fail "${exe##*/} is not stripped"
  ! x86_64-w64-mingw32-objdump -h "$exe" | grep -q '\.debug' || fail "${exe##*/} has debug sections"
done

# The unpacked programs against the build's.
from_zip() { $wine_prefix run "$prefix" "C:\\Tarnwick\\$1" "${@:2}" | tr -d '\r'; }
from_build() { $wine_prefix run "$prefix" "$build/bin/$1" "${@:2}" | tr -d '\r'; }
from_zip tarnwick-plan.exe --help >"$work/zip-help.txt"
from_build tarnwick-plan.exe --help >"$work/build-help.txt"
grep -q -- '--json' "$work/zip-help.txt" || fail "tarnwick-plan.exe --help: $(head -3 "$work/zip-help.txt")"
cmp -s "$work/zip-help.txt" "$work/build-help.txt" ||
  fail "tarnwick-plan.exe --help from the zip differs from the build's"
plan=(--json --select cboUnits=0 --set cboTripDistance=300 --set txtPayload=9000 --click cmdPrint)
from_zip tarnwick-plan.exe "${plan[@]}" >"$work/zip-plan.json"
from_build tarnwick-plan.exe "${plan[@]}" >"$work/build-plan.json"
jq -e '.controls.txtGTOW.text | test("^[0-9]+$")' "$work/zip-plan.json" >/dev/null ||
  fail "no takeoff weight in the plan from the zip: $(head -c 300 "$work/zip-plan.json")"
cmp -s "$work/zip-plan.json" "$work/build-plan.json" || fail "the plan from the zip differs from the build's"
from_zip tarnwick-simstub.exe --help >/dev/null || fail "tarnwick-simstub.exe --help from the zip failed"
echo "the zip ($(stat -c %s "$zip") bytes) unpacked into C:\\Tarnwick: stripped, system DLLs only, CR LF texts; tarnwick-plan.exe runs from there"
