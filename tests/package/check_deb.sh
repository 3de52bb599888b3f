#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_deb.sh [DEB]: checks the Debian package ./package made (default: the
# one in dist/) as a school's machine would meet it. lintian must find no
# error; then, in a fresh minimal Debian 12 root, the package installs without
# pulling in a development package or a compiler, answers --version, is the
# default application for its network files, trains an example without a
# display, carries its bash completion, opens an example on a virtual
# display, and leaves no file behind once purged.
# Needs root (debootstrap, chroot, mount); exits 77 (skipped) without it.
# The base root is made once and kept in $PERCEPTLAB_ROOT_CACHE, with the
# packages downloaded into it, so later runs reuse both.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deb=$(realpath "${1:-$(ls "$here"/../../dist/perceptlab_*.deb)}")
cache=${PERCEPTLAB_ROOT_CACHE:-/var/cache/perceptlab}
[ "$(id -u)" -eq 0 ] || { echo "check_deb.sh needs root: skipped"; exit 77; }

echo "== lintian $(basename "$deb")"
lintian --fail-on error --display-info "$deb" || { echo "lintian reports an error"; exit 1; }

base=$cache/debian12-minbase
if [ ! -x "$base/bin/bash" ]; then
  # deb822 sources, or the one-line form a minimal root has instead.
  mirror=$(sed -n 's/^URIs: //p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1 || true)
  [ -n "$mirror" ] || mirror=$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
  [ -n "$mirror" ] || { echo "no Debian mirror named in this machine's apt sources"; exit 1; }
  echo "Making a minimal Debian 12 root in $base (a few minutes, once)"
  rm -rf "$base.partial"
  mkdir -p "$cache"
  debootstrap --variant=minbase bookworm "$base.partial" "$mirror" >/dev/null
  mv "$base.partial" "$base"
fi

root=$(mktemp -d /var/tmp/perceptlab-root.XXXXXX)
display_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null
  for mount in tmp/.X11-unix tmp var/cache/apt/archives proc; do
    mountpoint -q "$root/$mount" && umount -l "$root/$mount"
  done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
cp -a "$base/." "$root/"
cp /etc/resolv.conf "$root/etc/"
# This machine's Debian sources, updates and security fixes included, as a
# school's machines have them.
if [ -f /etc/apt/sources.list.d/debian.sources ]; then
  rm -f "$root/etc/apt/sources.list"
  cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
fi
mkdir -p "$cache/archives/partial"
mount --bind "$cache/archives" "$root/var/cache/apt/archives"
mount -t proc proc "$root/proc"
mount -t tmpfs tmpfs "$root/tmp"
cp "$deb" "$root/tmp/"

in_root() {
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}
fail() { echo "FAIL: $*"; exit 1; }

echo "== Installing in a fresh Debian 12 root"
apt_log=$root/tmp/apt.log
apt() { in_root apt-get -y -q "$@" >>"$apt_log" 2>&1 || { cat "$apt_log"; fail "apt-get $*"; }; }
apt update
# What a desktop has before PerceptLab arrives: the menu's file-type cache.
apt install --no-install-recommends xdg-utils desktop-file-utils
in_root dpkg-query -W -f '${Package}\n' | sort >"$root/tmp/before"
# As a school's administrator would: apt with its defaults, recommends too.
apt install "/tmp/$(basename "$deb")"
in_root dpkg-query -W -f '${Package}\n' | sort >"$root/tmp/after"
pulled=$(comm -13 "$root/tmp/before" "$root/tmp/after")
echo "$(wc -l <<<"$pulled") packages installed: $(grep -o '[0-9.,]* [kMG]B of additional disk space' "$apt_log" | tail -n 1)"
grep -qx perceptlab <<<"$pulled" || fail "perceptlab was not installed"
unwanted=$(grep -E -- '-dev$|^(gcc|g\+\+|cpp|clang)(-[0-9]+)?$' <<<"$pulled" || true)
[ -z "$unwanted" ] || fail "pulled in development packages: $unwanted"

version=$(in_root perceptlab --version)
echo "$version"
[ "$version" = "perceptlab $(dpkg-deb -f "$deb" Version)" ] || fail "--version answers \"$version\""

# Without a display, the command line trains; bash completes its options.
summary=$(in_root perceptlab --train /usr/share/perceptlab/examples/xor.rna --cycles 1000 --seed 1)
grep -qx "iterations: 1000" <<<"$summary" || fail "--train answers \"$summary\""
[ -f "$root/usr/share/bash-completion/completions/perceptlab" ] || fail "no bash completion installed"
echo "--train runs without a display; bash completion installed"

default=$(in_root xdg-mime query default application/x-perceptlab-rna)
[ "$default" = org.perceptlab.PerceptLab.desktop ] || fail "default for .rna files: \"$default\""
echo "default for .rna files: $default"

echo "== Opening an example on a virtual display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$root/tmp/display" >/dev/null 2>&1 &
display_pid=$!
for _ in $(seq 100); do [ -s "$root/tmp/display" ] && break; sleep 0.2; done
display=$(cat "$root/tmp/display")
[ -n "$display" ] || fail "Xvfb did not start"
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
in_root DISPLAY=":$display" perceptlab /usr/share/perceptlab/examples/xor.rna >"$root/tmp/program.log" 2>&1 &
program_pid=$!
windows() { xwininfo -display ":$display" -root -tree 2>/dev/null; }
# A loaded xor.rna names the window after the network; an error box is a
# window of the program titled with its name alone (the untitled 1x1 window
# of that name is Qt's own).
for _ in $(seq 100); do
  windows | grep -q '"Perceptlab xor"' && break
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.2
done
sleep 1
windows | grep -q '"Perceptlab xor"' || { cat "$root/tmp/program.log"; fail "no window shows the network xor"; }
! windows | grep -q '"PerceptLab": ("perceptlab"' || { windows; fail "an error box opened with the network"; }
kill -0 "$program_pid" 2>/dev/null || fail "the program ended"
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""
echo "window \"Perceptlab xor\" open, no error box"

echo "== Purging"
apt purge perceptlab
left=""
while read -r path; do
  path=${path#.}
  [ -e "$root$path" ] && [ ! -d "$root$path" ] && left+="$path"$'\n'
done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t)
for folder in /usr/share/perceptlab /usr/share/doc/perceptlab; do
  [ -e "$root$folder" ] && left+="$folder"$'\n'
done
# Caches the system rebuilds from our files (file types, the menu's types)
# must have forgotten us too; the user's own settings under /root stay, as
# every package leaves a home folder alone.
left+=$(find "$root" -xdev -mindepth 1 -iname '*perceptlab*' -not -path "$root/root/*" -not -path "$root/tmp/*" \
          -not -path "$root/var/cache/apt/*" -printf '/%P\n')
left+=$(grep -rlI -i perceptlab "$root/usr/share/applications" "$root/usr/share/mime" "$root/etc" \
          2>/dev/null | sed "s|^$root||" || true)
[ -z "$left" ] || fail "purge left behind: $left"
echo "purged: no file of the package left"
