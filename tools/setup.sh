#!/usr/bin/env bash
# Idempotent set-up shared by ./run and ./test: packages, libjpeg-turbo for the target, the Wine
# prefix, and a display. Prints one line per step it performs; silent when all is in place.
# Source it (it exports the environment the build and Wine need) and call tavelko_setup, which
# stops at the first step that fails and shows that step's log.
#
# Each step is a function that returns non-zero on failure and takes its inputs from the
# variables below, so that a test can run one step alone in a scratch cache.

TAVELKO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TAVELKO_CACHE=${TAVELKO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tavelko}
LIBJPEG_PREFIX=$TAVELKO_CACHE/libjpeg-turbo
export WINEPREFIX=$TAVELKO_CACHE/wineprefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
# Wine makes Unix file names from Windows ones in the locale's character set: without a UTF-8
# locale (a bare machine has none set) names in Japanese cannot be made at all.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then export LC_ALL=C.UTF-8; fi

apt_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth nasm cmake make fonts-ipafont-gothic fonts-ipafont-mincho
  fonts-wine imagemagick xdotool python3-xlib googletest dpkg-dev ca-certificates
  clang libclang-rt-14-dev libjpeg62-turbo-dev g++
  wixl doxygen
)
# The line before last serves the native build: clang with libFuzzer and the sanitizers' runtimes
# for the fuzz targets (tools/fuzz.sh), the system's libjpeg-turbo to link them with, and g++ for
# the layout compiler and the sanitizer suite; the last: msitools' wixl builds the release's
# installer package, doxygen the designer library's reference.

# Runs one step with its output in its own log, announced by `description` (nothing when empty).
# On failure names the step and shows the end of its log.
run_step() {
  local name=$1 description=$2
  shift 2
  local log=$TAVELKO_CACHE/logs/$name.log
  [ -z "$description" ] || echo "setup: $description"
  mkdir -p "${log%/*}" || return 1
  "$@" >"$log" 2>&1
  local status=$?
  [ "$status" -eq 0 ] && return 0
  echo "setup: step '$name' failed (exit status $status); the end of its log $log:" >&2
  tail -n 40 "$log" | sed 's/^/  | /' >&2
  return "$status"
}

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# ---- Packages ----

# The packages of apt_packages not installed, one a line.
missing_packages() {
  [ ${#apt_packages[@]} -eq 0 ] && return 0
  local p
  for p in "${apt_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

install_packages() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@"
}

# ---- libjpeg-turbo for the target ----

libjpeg_built() { [ -f "$LIBJPEG_PREFIX/lib/libjpeg.a" ] && [ -f "$LIBJPEG_PREFIX/include/jpeglib.h" ]; }

# A deb-src list mirroring the system's own sources, in a private folder, so the system's apt
# configuration is never touched. Prints the apt options that use it.
private_apt_options() {
  local apt_dir=$TAVELKO_CACHE/apt
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" || return 1
  if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/*.sources > "$apt_dir/parts/debian.sources" || return 1
  fi
  grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' > "$apt_dir/sources.list"
  echo "-o Dir::Etc::SourceList=$apt_dir/sources.list -o Dir::Etc::SourceParts=$apt_dir/parts -o Dir::State::Lists=$apt_dir/lists"
}

build_libjpeg() {
  local work=$TAVELKO_CACHE/libjpeg-src opts
  rm -rf "$work" "$LIBJPEG_PREFIX" && mkdir -p "$work" || return 1
  opts=$(private_apt_options) || return 1
  # shellcheck disable=SC2086
  apt-get $opts update -qq &&
    (cd "$work" && apt-get $opts source -qq --download-only libjpeg-turbo) &&
    (cd "$work" && { dpkg-source -x --skip-patches ./*.dsc src || dpkg-source -x ./*.dsc src; }) &&
    cmake -S "$work/src" -B "$work/build" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$TAVELKO_ROOT/tools/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$LIBJPEG_PREFIX" \
      -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF &&
    cmake --build "$work/build" -j"$(nproc)" &&
    cmake --install "$work/build" &&
    rm -rf "$work/build"
}

# ---- Display ----

TAVELKO_XVFB_PID=
display_usable() { [ -n "${DISPLAY:-}" ] && [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ]; }

start_display() {
  display_usable && return 0
  # Xvfb picks a free display itself and names it on descriptor 3: lock files do not tell of a
  # display whose abstract socket another system (a chroot's host) holds.
  local named
  named=$(mktemp "$TAVELKO_CACHE/xvfb-display.XXXXXX") || return 1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$named" >/dev/null 2>&1 &
  TAVELKO_XVFB_PID=$!
  # A first start on a busy machine can take seconds (fonts, keyboard map); a dead server, none.
  for _ in $(seq 600); do
    if [ -s "$named" ]; then
      export DISPLAY=":$(tr -dc 0-9 < "$named")"
      if display_usable; then
        rm -f "$named"
        return 0
      fi
    fi
    kill -0 "$TAVELKO_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  echo "Xvfb did not open a display"
  return 1
}

# Stops only what start_display started: a shared display keeps its Wine server.
stop_display() {
  [ -n "$TAVELKO_XVFB_PID" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  kill "$TAVELKO_XVFB_PID" 2>/dev/null && wait "$TAVELKO_XVFB_PID" 2>/dev/null
  TAVELKO_XVFB_PID=
}

# ---- The Wine prefix ----

prefix_ready() { [ -f "$WINEPREFIX/.tavelko-ready" ]; }

# The page layout's two Japanese face names mapped to the installed proportional IPA font, no
# crash dialog, and the virtual desktop. Written as UTF-16 so the Japanese names reach Wine intact.
write_prefix_registry() {
  local - reg=$TAVELKO_CACHE/prefix.reg
  set -o pipefail
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"HGS創英角ﾎﾟｯﾌﾟ体"="IPAPGothic"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1280x1024"\r\n' \
    | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg" || return 1
  local windows_path
  windows_path=$(winepath -w "$reg") && [ -n "$windows_path" ] || return 1
  wine regedit /S "$windows_path" || return 1
  # regedit has been seen to end well having written nothing: look for the last key it writes.
  wine reg query 'HKCU\Software\Wine\Explorer\Desktops' /v Default
}

# Marks the prefix ready only when every part of it was made.
make_wine_prefix() {
  rm -rf "$WINEPREFIX" && mkdir -p "$(dirname "$WINEPREFIX")" &&
    wineboot -i &&
    # The first set-up goes on after wineboot returns; the registry is written after it ended.
    wineserver -w &&
    write_prefix_registry &&
    wineserver -w &&
    touch "$WINEPREFIX/.tavelko-ready"
}

# A persistent server keeps each test process's start cheap. Start the virtual desktop here with
# quiet output: whichever process starts it passes on its output pipes, and ctest would wait on
# them forever. Neither result matters: the server may run already, and the desktop call has
# been seen to wait forever when a desktop runs (hence the bound).
start_wine_server() {
  wineserver -p >/dev/null 2>&1 </dev/null
  timeout 30 wine explorer /desktop=Default,1280x1024 </dev/null >/dev/null 2>&1
  return 0
}

# ---- The whole set-up and the build ----

tavelko_setup() {
  mkdir -p "$TAVELKO_CACHE" || return 1
  local missing
  mapfile -t missing < <(missing_packages)
  if [ ${#missing[@]} -gt 0 ]; then
    run_step packages "installing ${missing[*]}" install_packages "${missing[@]}" || return 1
  fi
  if ! libjpeg_built; then
    run_step libjpeg "building libjpeg-turbo for the target into $LIBJPEG_PREFIX" build_libjpeg || return 1
  fi
  run_step display "" start_display || return 1
  if ! prefix_ready; then
    run_step prefix "making the Wine prefix $WINEPREFIX" make_wine_prefix || return 1
  fi
  start_wine_server
}

# Builds the named targets, or everything. TAVELKO_GTEST_DIR: the GoogleTest sources to build the
# tests with (CMake's default otherwise).
tavelko_build() {
  local dir=${TAVELKO_BUILD_DIR:-$TAVELKO_ROOT/build} targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  local options=(-DCMAKE_TOOLCHAIN_FILE="$TAVELKO_ROOT/tools/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release
                 -DLIBJPEG_PREFIX="$LIBJPEG_PREFIX")
  [ -z "${TAVELKO_GTEST_DIR:-}" ] || options+=(-DTAVELKO_GTEST_DIR="$TAVELKO_GTEST_DIR")
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$TAVELKO_ROOT" -B "$dir" -G "Unix Makefiles" "${options[@]}" >/dev/null || return 1
  fi
  cmake --build "$dir" -j"$(nproc)" "${targets[@]}" 2>&1 | grep -v -E '^\[ *[0-9]+%\]|^(Consolidate|Scanning|Built target)'
  # The build's own status, read before any other command resets it (grep fails when it printed
  # nothing, which is no failure of the build).
  [ "${PIPESTATUS[0]}" -eq 0 ] || return 1
  # The native fuzz targets come with a whole build, not with named targets.
  [ $# -gt 0 ] || TAVELKO_BUILD_DIR=$dir "$TAVELKO_ROOT/tools/fuzz.sh" --build
}
