#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# check_packages.sh BUILD_DIR: every CMake package the build found under /usr
# must come from a Debian package that scripts/setup.sh installs, itself or
# through a dependency. Recommends do not count: the set-up installs without
# them, so a package that is only recommended is on this machine by chance.
# Exits 77 (skipped) where there is no dpkg.
set -euo pipefail
build=$1
here=$(cd "$(dirname "$0")" && pwd)
command -v dpkg-query >/dev/null && command -v apt-cache >/dev/null || exit 77
. "$here/../../scripts/setup.sh"
packages=("${PACKAGES_BUILD[@]}")
[ -n "${PACKAGES_OVERRIDE:-}" ] && read -r -a packages <<<"$PACKAGES_OVERRIDE"

closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
            --no-breaks --no-replaces --no-enhances "${packages[@]}" \
          | grep -v '^ ' | sed 's/:.*//' | sort -u)

status=0
found=0
while IFS='=' read -r key dir; do
  name=${key%%_DIR:*}
  lower=$(printf '%s' "$name" | tr '[:upper:]' '[:lower:]')
  config=""
  for candidate in "$dir/${name}Config.cmake" "$dir/${lower}-config.cmake"; do
    [ -f "$candidate" ] && config=$candidate && break
  done
  [ -n "$config" ] || continue
  found=$((found + 1))
  owner=$({ dpkg-query -S "$config" || dpkg-query -S "$(realpath "$config")"; } 2>/dev/null \
          | head -n 1 | sed 's/[:,].*//') || true
  if [ -z "$owner" ]; then
    echo "$name: $config belongs to no Debian package"
    status=1
  elif ! grep -qx "$owner" <<<"$closure"; then
    echo "$name: $owner is not installed by scripts/setup.sh (found by chance)"
    status=1
  fi
done < <(grep -E '^[A-Za-z0-9_]+_DIR:PATH=/usr/' "$build/CMakeCache.txt")

[ "$found" -gt 0 ] || { echo "no CMake package found in $build/CMakeCache.txt"; exit 1; }
[ "$status" -eq 0 ] && echo "$found CMake packages, each from a listed package or its dependencies"
exit $status
