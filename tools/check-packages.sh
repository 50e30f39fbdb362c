#!/usr/bin/env bash
# Checks the Debian package that tools/package.sh left in build/packages/: the files it
# installs (each expected one present, the desktop entry through desktop-file-validate, the
# metainfo through appstreamcli), lintian with no error, and then the package on a clean
# Debian 12 made here with debootstrap: installed with apt-get, its programs run (the planner's
# help, the window offscreen until its first paint, the print site served by the installed
# planner), and removed and purged without a file of it left behind.
#
# Run as root (debootstrap, chroot and mount need it). The bare Debian 12 is kept in
# build/package-check/ as a tar file, and again with the package's dependencies installed, with
# the packages apt fetched, so that a second run neither bootstraps nor downloads nor installs
# them again; remove that folder to start afresh.
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
source_dir=$PWD

bash tools/setup.sh lintian desktop-file-utils appstream debootstrap curl

app_id=io.github.tarnwick.Tarnwick
shopt -s nullglob
debs=(build/packages/tarnwick_*_amd64.deb)
shopt -u nullglob
if [ ${#debs[@]} -ne 1 ]; then
  echo "Expected one tarnwick .deb in build/packages/ (bash tools/package.sh)" >&2
  exit 1
fi
deb=$source_dir/${debs[0]}
echo "Checking $deb ($(du -k "$deb" | cut -f1) KiB)"

work=$source_dir/build/package-check
mkdir -p "$work"
unpacked=$(mktemp -d)
root=$work/root
planner=
# Removes the chroot, unmounting first what is mounted in it (also what a killed run left), so
# that the kept packages bound into it are never deleted through it.
remove_root() {
  local mounted
  for mounted in "$root/var/cache/apt/archives" "$root/proc"; do
    if mountpoint -q "$mounted"; then umount "$mounted" || umount -l "$mounted"; fi
  done
  rm -rf "$root"
}
cleanup() {
  if [ -n "$planner" ]; then kill "$planner" 2>/dev/null || true; fi
  remove_root
  rm -rf "$unpacked"
}
trap cleanup EXIT
# A heading with the seconds spent so far.
step() { echo "== $* (at $SECONDS s)"; }
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

step "What the package installs"
dpkg-deb -x "$deb" "$unpacked"
expected=(
  usr/bin/tarnwick usr/bin/tarnwick-plan usr/bin/tarnwick-simstub
  usr/share/tarnwick/web/Tarnwick/index.html usr/share/tarnwick/web/Tarnwick/print.php
  usr/share/tarnwick/web/Tarnwick/tarnwick.css
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  usr/share/man/man1/tarnwick.1.gz usr/share/man/man1/tarnwick-plan.1.gz
  usr/share/man/man1/tarnwick-simstub.1.gz
  usr/share/doc/tarnwick/copyright usr/share/doc/tarnwick/changelog.gz
)
for side in 16 32 48 128 256; do
  expected+=("usr/share/icons/hicolor/${side}x$side/apps/$app_id.png")
done
for file in "${expected[@]}"; do
  [ -f "$unpacked/$file" ] || fail "the package lacks /$file"
done
for side in 16 32 48 128 256; do
  png=$unpacked/usr/share/icons/hicolor/${side}x$side/apps/$app_id.png
  # The PNG header's width and height, four bytes each from byte 16.
  size=$(od -An -tu1 -j16 -N8 "$png" 2>/dev/null | awk '{print $3*256+$4 "x" $7*256+$8}')
  [ "$size" = "${side}x$side" ] || fail "the $side pixel icon is $size"
done
for page in tarnwick tarnwick-plan tarnwick-simstub; do
  # man's own parser on the page: any warning (a bad macro, an unknown escape) shows here.
  warnings=$(zcat "$unpacked/usr/share/man/man1/$page.1.gz" |
    LC_ALL=C.UTF-8 MANWIDTH=80 groff -man -Tutf8 -ww -z 2>&1) || true
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
desktop-file-validate "$unpacked/usr/share/applications/$app_id.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "appstreamcli validate"

step lintian
# Its warnings and notes are listed; an error fails the check.
lintian --fail-on error --display-info "$deb" || fail "lintian found errors"

step "On a clean Debian 12"
# The mirror this machine's apt uses, else Debian's own. Apt's sources are one-line entries in
# sources.list (as Debian's installer and debootstrap leave them) or deb822 files in
# sources.list.d; either may be missing.
apt_mirror() {
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    sed -n -e 's/^URIs: *\(\S*\/debian\)\/\?$/\1/p' \
      -e 's/^deb \(\[[^]]*\] \)\?\(\S*\/debian\)\/\? .*/\2/p' "$file"
  done
}
mirror=$(apt_mirror | sed -n 1p)
mirror=${mirror:-http://deb.debian.org/debian}
base=$work/bookworm-minbase.tar
if [ ! -f "$base" ]; then
  echo "Making a bare Debian 12 with debootstrap from $mirror (kept in $base)"
  remove_root
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log" >&2; exit 1; }
  chroot "$root" apt-get -qq update
  chroot "$root" apt-get clean
  tar -C "$root" -cf "$base.part" . && mv "$base.part" "$base"
  remove_root
fi

in_root() {
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
# The chroot is thrown away after the check, so dpkg need not sync each file it writes.
apt_in_root() {
  in_root apt-get -qq -o Dpkg::Use-Pty=0 -o APT::Sandbox::User=root \
    -o Dpkg::Options::=--force-unsafe-io "$@"
}
# Every file and link outside the places apt, dpkg and the programs' runs keep their own state.
list_files() {
  (cd "$root" && find . -xdev \( -path ./proc -o -path ./tmp -o -path ./root -o -path ./run \
    -o -path ./var/cache/apt -o -path ./var/lib/apt -o -path ./var/lib/dpkg -o -path ./var/log \
    -o -path ./var/cache/debconf -o -path ./var/cache/ldconfig \) -prune -o ! -type d -print |
    LC_ALL=C sort)
}
mount_in_root() {
  mount -t proc proc "$root/proc"
  mount --bind "$work/apt-archives" "$root/var/cache/apt/archives"
}

# The package's dependencies first, so that the file lists around its install and removal show
# the package's own files only. Recommends are left out: the programs must run without them.
# The bare system with them is kept too, for as long as the package depends on the same.
depends=$(dpkg-deb -f "$deb" Depends)
with_depends=$work/bookworm-with-depends-$(sha256sum <<<"$depends" | cut -c1-16).tar
remove_root
mkdir -p "$root" "$work/apt-archives/partial"
if [ -f "$with_depends" ]; then
  tar -C "$root" -xf "$with_depends"
  mount_in_root
else
  tar -C "$root" -xf "$base"
  mount_in_root
  # No service starts in the chroot (dependencies that bring one would try).
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod 755 "$root/usr/sbin/policy-rc.d"
  apt_in_root satisfy -y --no-install-recommends "$depends" >/dev/null ||
    { apt_in_root update && apt_in_root satisfy -y --no-install-recommends "$depends" >/dev/null; }
  rm -f "$work"/bookworm-with-depends-*.tar
  tar -C "$root" --exclude='./proc/*' --exclude='./var/cache/apt/archives/*' \
    -cf "$with_depends.part" .
  mv "$with_depends.part" "$with_depends"
fi
list_files >"$work/files-before"
step "The package installed and run"
cp "$deb" "$root/tmp/"
apt_in_root install -y --no-install-recommends "/tmp/$(basename "$deb")" >"$work/install.log" ||
  { cat "$work/install.log"; fail "apt-get install of the package"; }
in_root dpkg-query -L tarnwick >"$work/package-files"

if in_root tarnwick-plan --help >"$work/plan-help"; then
  grep -q -- '--click' "$work/plan-help" || fail "tarnwick-plan --help does not list --click"
else
  fail "tarnwick-plan --help exited with status $?"
fi

in_root mkdir -p -m 0700 /tmp/runtime /tmp/home
status=0
timeout 60 chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/tmp/home LANG=C.UTF-8 \
  XDG_RUNTIME_DIR=/tmp/runtime QT_QPA_PLATFORM=offscreen TARNWICK_EXIT_WHEN_SHOWN=1 \
  tarnwick 2>"$work/window.err" || status=$?
if [ "$status" != 0 ]; then
  cat "$work/window.err"
  fail "tarnwick exited with status $status (124: it did not end by itself)"
fi

# Print from the installed planner: it serves the site it carries, without any source tree.
# Offscreen it cannot open a browser, so it says so and serves for this curl (the chroot shares
# the machine's loopback), until the page and its style sheet are fetched.
port=$((20000 + RANDOM % 40000))
chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime \
  QT_QPA_PLATFORM=offscreen tarnwick-plan --open --web-host "127.0.0.1:$port" --click cmdPrint \
  >"$work/print.out" 2>"$work/print.err" &
planner=$!
site=http://127.0.0.1:$port/Tarnwick
for _ in $(seq 100); do
  curl -sf -o /dev/null "$site/" && break
  sleep 0.1
done
# Another program's fetch of the print page does not count; the page handed over, which the
# plan sheet lists under "Opened", does.
curl -sf -o "$work/print.php" "$site/print.php?x" ||
  fail "the installed planner did not serve print.php"
handed_over=""
for _ in $(seq 100); do
  handed_over=$(sed -n 's/^  \(http:.*\)$/\1/p' "$work/print.out" | sed -n '$p')
  [ -n "$handed_over" ] && break
  sleep 0.1
done
[ -n "$handed_over" ] || fail "the installed planner did not list the page it handed over"
curl -sf -o "$work/handed-over.php" "$handed_over" ||
  fail "the installed planner did not serve the page it handed over"
cmp -s "$work/handed-over.php" "$work/print.php" ||
  fail "the page handed over differs from the print page"
curl -sf -o "$work/tarnwick.css" "$site/tarnwick.css" ||
  fail "the installed planner did not serve the style sheet"
cmp -s "$work/print.php" "$root/usr/share/tarnwick/web/Tarnwick/print.php" ||
  fail "the print page served differs from the installed one"
cmp -s "$work/tarnwick.css" "$root/usr/share/tarnwick/web/Tarnwick/tarnwick.css" ||
  fail "the style sheet served differs from the installed one"
if ! timeout 20 tail --pid="$planner" -f /dev/null; then
  kill "$planner"
  fail "the planner kept serving after the page and style sheet were fetched"
fi
wait "$planner" || true
planner=

step "The package removed and purged"
apt_in_root remove -y tarnwick >/dev/null || fail "apt-get remove tarnwick"
while read -r file; do
  if [ -e "$root$file" ] && [ ! -d "$root$file" ]; then fail "left after remove: $file"; fi
done <"$work/package-files"
list_files >"$work/files-after"
diff "$work/files-before" "$work/files-after" || fail "files differ after remove"
# A package without configuration files is gone entirely after remove; one with them is kept
# as "config-files" until purged.
if in_root dpkg-query -W tarnwick >/dev/null 2>&1; then
  apt_in_root purge -y tarnwick >/dev/null || fail "apt-get purge tarnwick"
fi
in_root dpkg-query -W tarnwick >/dev/null 2>&1 && fail "dpkg still knows tarnwick after purge"
list_files >"$work/files-after"
diff "$work/files-before" "$work/files-after" || fail "files differ after purge"

if [ "$failures" -ne 0 ]; then
  echo "$failures package check(s) failed" >&2
  exit 1
fi
echo "The package checks passed in $SECONDS s"
