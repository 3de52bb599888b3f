# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by ./run, ./test, ./package and ./bench: install what is missing, then configure.
# Sourced, not run.

# Everything the build, the program, the tests and ./package need (the last
# line makes the Debian package and checks it in a fresh root), installed
# without recommends: a package that only something here recommends must be
# listed itself (tests/setup/check_packages.sh keeps this list complete). clang
# and its runtime libraries (libFuzzer, the sanitizers) build the fuzz targets.
PACKAGES_BUILD=(g++ cmake ninja-build libgtest-dev libgmock-dev libbenchmark-dev
                qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-translations-l10n
                libmpfr-dev locales xvfb xauth clang libclang-rt-14-dev
                dpkg-dev file lintian debootstrap x11-utils)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages given that are not installed yet.
ensure_packages() {
  local missing=()
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Makes sure the C library knows the Spanish locale our users have, so that
# the tests run under it exercise its decimal comma as well as Qt's.
ensure_spanish_locale() {
  if locale -a 2>/dev/null | grep -qix 'es_ES\.utf-\?8'; then return 0; fi
  echo "Generating the es_ES.UTF-8 locale"
  if grep -q '^# *es_ES.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    as_root sed -i 's/^# *es_ES.UTF-8 UTF-8/es_ES.UTF-8 UTF-8/' /etc/locale.gen
  elif ! grep -q '^es_ES.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'es_ES.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  fi
  as_root locale-gen >/dev/null
}

# configure_build DIR [cmake options...]: configures DIR the first time and
# builds it; later builds let the build tool re-run CMake when a list changes.
# BUILD_TARGET, when set, builds that target alone.
configure_build() {
  local dir=$1; shift
  if [ ! -f "$dir/build.ninja" ]; then
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  fi
  cmake --build "$dir" --parallel "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
}
