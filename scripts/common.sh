# Sourced by ./run, ./test and the scripts: package installation and build helpers.

SARNEX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

sarnex_packages_native=(cmake ninja-build g++ googletest clang libclang-rt-14-dev libtinyxml2-dev)
sarnex_packages_windows=(cmake ninja-build g++-mingw-w64-i686-posix binutils-mingw-w64-i686 googletest
                         wine wine32:i386 wine64 fonts-wine xvfb fonts-liberation imagemagick xdotool nsis)
# Only for hosts whose kernel cannot execute 32-bit code: the Windows tests then run as 64-bit programs,
# and the 32-bit ones in a virtual machine (scripts/vm-run).
sarnex_packages_windows64=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 qemu-system-x86 cpio)

# Installs the packages that are missing (as root, through apt); a machine that has them all skips apt.
sarnex_install() {
  local missing=() p
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
    rm -f /tmp/.sarnex-apt-updated
  fi
  if [ ! -f /tmp/.sarnex-apt-updated ]; then
    sarnex_apt update -qq && touch /tmp/.sarnex-apt-updated
  fi
  DEBIAN_FRONTEND=noninteractive sarnex_apt install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# apt-get as root; another installation may hold the package lock: wait for it rather than fail.
sarnex_apt() {
  local sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get -o DPkg::Lock::Timeout=600 "$@"
}

# True when this machine's kernel runs 32-bit programs itself (some virtual machines' kernels cannot).
# One that runs them only through a registered emulator (qemu-i386 binfmt) does not count: Wine is far
# too slow that way.
sarnex_host_runs_32bit() {
  [ -x /usr/lib/wine/wine ] || return 1
  if grep -qsx enabled /proc/sys/fs/binfmt_misc/qemu-i386; then
    [ "${SARNEX_ALLOW_EMULATED_32BIT:-0}" = 1 ]
    return
  fi
  /usr/lib/wine/wine --version >/dev/null 2>&1
}

sarnex_install_windows() {
  sarnex_install "${sarnex_packages_windows[@]}"
  sarnex_host_runs_32bit || sarnex_install "${sarnex_packages_windows64[@]}"
}

# The preset whose programs run under Wine here: the shipped 32-bit build, or the 64-bit test build.
sarnex_wine_preset() {
  if [ -n "${SARNEX_WINE_PRESET:-}" ]; then echo "$SARNEX_WINE_PRESET"; return; fi
  if sarnex_host_runs_32bit; then echo windows; else echo windows64; fi
}

sarnex_wine_arch() {
  if [ "$1" = windows64 ]; then echo win64; else echo win32; fi
}

# configure + build one preset (ninja -j2: the machine is shared)
sarnex_build() {
  local preset=$1; shift
  mkdir -p "$SARNEX_ROOT/build"
  cmake --preset "$preset" >"$SARNEX_ROOT/build/$preset.configure.log" 2>&1 \
    || { cat "$SARNEX_ROOT/build/$preset.configure.log"; return 1; }
  cmake --build "$SARNEX_ROOT/build/$preset" -j2 "$@"
}

# The Windows path under which Wine sees a Unix path.
sarnex_wine_path() { echo "Z:${1//\//\\}"; }
