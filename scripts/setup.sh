# Shared by ./run, ./test and ./bench: install what is missing, then configure.
# Sourced, not run.

PACKAGES_BUILD=(g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev
                qt6-base-dev libqt6opengl6-dev qt6-charts-dev libgl-dev xvfb xauth libmpfr-dev)

# Installs the Debian packages given that are not installed yet.
ensure_packages() {
  local missing=()
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_build DIR [cmake options...]: configures DIR (once) and builds it.
configure_build() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" --parallel "$(nproc)"
}
