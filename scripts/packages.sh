# Sourced by the build scripts: need_packages installs the Debian packages given
# that are missing (with sudo when not root).
need_packages() {
  local missing=() p sudo=""
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What the desktop build, its generators and its tests need.
desktop_packages=(build-essential cmake pkg-config libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libstb-dev
                  libcairo2-dev libvorbis-dev libgtest-dev fonts-dejavu-core
                  gettext     # msgfmt builds the translations; xgettext, msgmerge and msgcmp keep po/ up to date
                  xvfb xdotool imagemagick   # the benchmarks and scripts/screens.sh drive a window
                  dpkg-dev file lintian desktop-file-utils appstream groff-base)  # the Debian packages and their test

# What .ci/run needs beside those: clang with its sanitizer and libFuzzer runtimes
# (Debian only recommends the runtimes, and need_packages installs no recommends).
ci_packages=(clang libclang-rt-14-dev)
