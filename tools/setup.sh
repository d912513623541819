#!/usr/bin/env bash
# Idempotent set-up shared by ./run and ./test: packages, libjpeg-turbo for the target, the Wine
# prefix, and a display. Prints one line per step it performs; silent when all is in place.
# Source it (it exports the environment the build and Wine need) and call tavelko_setup.

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

step() { echo "setup: $*"; }

apt_packages=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth nasm cmake make fonts-ipafont-gothic fonts-ipafont-mincho
  fonts-wine imagemagick xdotool python3-xlib googletest dpkg-dev ca-certificates
)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
  local missing=()
  for p in "${apt_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  step "installing ${missing[*]}"
  local log=$TAVELKO_CACHE/apt.log
  if ! { as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
         as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    return 1
  fi
}

# A deb-src list mirroring the system's own sources, in a private folder, so the system's apt
# configuration is never touched.
private_apt_options() {
  local apt_dir=$TAVELKO_CACHE/apt
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts"
  if ls /etc/apt/sources.list.d/*.sources >/dev/null 2>&1; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/*.sources > "$apt_dir/parts/debian.sources"
  fi
  grep -h '^deb ' /etc/apt/sources.list 2>/dev/null | sed 's/^deb /deb-src /' > "$apt_dir/sources.list" || true
  echo "-o Dir::Etc::SourceList=$apt_dir/sources.list -o Dir::Etc::SourceParts=$apt_dir/parts -o Dir::State::Lists=$apt_dir/lists"
}

build_libjpeg() {
  [ -f "$LIBJPEG_PREFIX/lib/libjpeg.a" ] && return 0
  step "building libjpeg-turbo for the target into $LIBJPEG_PREFIX"
  local work=$TAVELKO_CACHE/libjpeg-src opts
  rm -rf "$work" && mkdir -p "$work"
  opts=$(private_apt_options)
  local log=$TAVELKO_CACHE/libjpeg.log
  # shellcheck disable=SC2086
  if ! { apt-get $opts update -qq &&
         (cd "$work" && apt-get $opts source -qq --download-only libjpeg-turbo); } >"$log" 2>&1; then
    cat "$log" >&2
    return 1
  fi
  (cd "$work" && dpkg-source -x --skip-patches ./*.dsc src >/dev/null 2>&1 || dpkg-source -x ./*.dsc src >/dev/null)
  cmake -S "$work/src" -B "$work/build" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$TAVELKO_ROOT/tools/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$LIBJPEG_PREFIX" \
    -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF >/dev/null
  cmake --build "$work/build" -j"$(nproc)" >/dev/null
  cmake --install "$work/build" >/dev/null
  rm -rf "$work/build"
}

# The page layout's two Japanese face names, mapped to the installed proportional IPA font.
write_font_substitutes() {
  local reg=$TAVELKO_CACHE/fonts.reg
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"HGS創英角ﾎﾟｯﾌﾟ体"="IPAPGothic"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1280x1024"\r\n' \
    | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  wineserver -w
}

make_wine_prefix() {
  [ -f "$WINEPREFIX/.tavelko-ready" ] && return 0
  step "making the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX" && mkdir -p "$(dirname "$WINEPREFIX")"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  write_font_substitutes
  touch "$WINEPREFIX/.tavelko-ready"
}

TAVELKO_XVFB_PID=
display_usable() { [ -n "${DISPLAY:-}" ] && [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ]; }

start_display() {
  display_usable && return 0
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  TAVELKO_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
}

# Stops only what start_display started: a shared display keeps its Wine server.
stop_display() {
  [ -n "$TAVELKO_XVFB_PID" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  kill "$TAVELKO_XVFB_PID" 2>/dev/null && wait "$TAVELKO_XVFB_PID" 2>/dev/null
  TAVELKO_XVFB_PID=
}

tavelko_setup() {
  set -e
  mkdir -p "$TAVELKO_CACHE"
  install_packages
  build_libjpeg
  start_display
  make_wine_prefix
  # A persistent server keeps each test process's start cheap.
  wineserver -p >/dev/null 2>&1 </dev/null || true
  # Start the virtual desktop here with quiet output: whichever process starts it passes on its
  # output pipes, and ctest would wait on them forever.
  # When a desktop already runs, the call has been seen to wait forever: bound it.
  timeout 30 wine explorer /desktop=Default,1280x1024 </dev/null >/dev/null 2>&1 || true
  set +e
}

tavelko_build() {
  local dir=${TAVELKO_BUILD_DIR:-$TAVELKO_ROOT/build}
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$TAVELKO_ROOT" -B "$dir" -G "Unix Makefiles" \
      -DCMAKE_TOOLCHAIN_FILE="$TAVELKO_ROOT/tools/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DLIBJPEG_PREFIX="$LIBJPEG_PREFIX" >/dev/null || return 1
  fi
  cmake --build "$dir" -j"$(nproc)" 2>&1 | grep -v -E '^\[ *[0-9]+%\]|^(Consolidate|Scanning|Built target)' || true
  return "${PIPESTATUS[0]}"
}
