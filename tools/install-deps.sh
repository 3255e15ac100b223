#!/usr/bin/env bash
# Installs whatever this project needs on a Debian 12 machine and is still missing:
# the MinGW-w64 cross compilers (POSIX-thread ones for the tests, win32-thread ones for the
# shipped program), Wine with 32-bit support, Xvfb, CMake with Ninja (the presets' generator;
# make builds the fuzz targets), GoogleTest's source, Python with
# pefile (the checks of the built files read the programs with it), ImageMagick (screenshots),
# the X libraries through which a test reads the pointer's image, zip and git (releases), a
# non-Western locale for the code page tests, and clang with libFuzzer for the native fuzz
# targets.
#   tools/install-deps.sh          everything
#   tools/install-deps.sh build    only what the 64-bit build needs, so that the rest can be
#                                  installed while it builds (tools/test.sh)
#   tools/install-deps.sh fuzz     only what the fuzz targets need (tools/fuzz.sh)
#   ... --check                    installs nothing: fails when something of the set is missing
set -euo pipefail

build_packages=(
  cmake ninja-build make g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32
  python3 python3-pefile googletest
)
# dpkg does not flush each unpacked file to the disk (--force-unsafe-io, as image builders do): on
# a fresh machine that flushing took a quarter of the install.
# Only what is named here is installed, not what the packages merely recommend: Wine's recommend
# twice as many packages again (sound, video, printing, a session bus), none of which a run uses.
# The X libraries through which Wine draws, sets the pointer's image, reads the pointer and the
# screens are named instead, for both of its loaders.
wine_x_libraries=(libxcursor1 libxi6 libxrandr2 libxrender1 libxinerama1 libxcomposite1
  libxxf86vm1 libxfixes3)
fuzz_packages=(cmake make clang-14 libclang-rt-14-dev)
run_packages=(
  g++-mingw-w64-i686-posix g++-mingw-w64-i686-win32
  wine wine64 wine32:i386 "${wine_x_libraries[@]}" "${wine_x_libraries[@]/%/:i386}"
  xvfb xauth x11-utils imagemagick libx11-6
  locales fonts-wine zip unzip git
)
set_name=all
check=no
for argument in "$@"; do
  case $argument in
    build | fuzz) set_name=$argument ;;
    --check) check=yes ;;
    *)
      echo "usage: tools/install-deps.sh [build|fuzz] [--check]" >&2
      exit 2
      ;;
  esac
done
case $set_name in
  build) packages=("${build_packages[@]}") ;;
  fuzz) packages=("${fuzz_packages[@]}") ;;
  all) packages=("${build_packages[@]}" "${run_packages[@]}" "${fuzz_packages[@]}") ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$package")
  fi
done

if [ $check = yes ]; then
  [ ${#missing[@]} -eq 0 ] && exit 0
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  # The 32-bit architecture is added before the package lists are read, so that one reading
  # serves both steps of tools/test.sh.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  stamp=/tmp/skorvelin-package-lists-read
  if [ -z "$(find "$stamp" -mmin -120 2>/dev/null)" ]; then
    as_root apt-get update -qq
    touch "$stamp"
  fi
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -o Dpkg::Options::=--force-unsafe-io "${missing[@]}" >/dev/null
fi

[ "$set_name" = all ] || exit 0

# Wine takes the system code page from the Unix locale: the tests run the window under a
# Cyrillic one, so it must exist.
for wanted in ru_RU.UTF-8 en_US.UTF-8; do
  if ! locale -a 2>/dev/null | grep -qix "${wanted/UTF-8/utf8}"; then
    as_root sed -i "s/^# *${wanted} UTF-8/${wanted} UTF-8/" /etc/locale.gen
    need_locale_gen=1
  fi
done
if [ -n "${need_locale_gen:-}" ]; then
  as_root locale-gen >/dev/null
fi
