#!/usr/bin/env bash
# Set-up of a Debian 12 machine for KORVAN, as root and without prompts:
# packages (installed only when missing), the project's Wine prefix in
# build/wineprefix, the Windows cross build in build/ and the native
# sanitizer build in build-native/. Quick when everything is already there.
#
# Run it alone (bash scripts/setup.sh) or source it and call korvan_setup.

# shellcheck source=scripts/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

KORVAN_PACKAGES=(
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev
  wine wine64 xvfb xauth x11-apps xdotool imagemagick
  mariadb-server odbc-mariadb unixodbc
  cmake clang libclang-rt-14-dev python3-png python3-fonttools libpng-dev zlib1g-dev
)

setup_packages() {
  local -a missing=()
  local p
  for p in "${KORVAN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0

  [ "$(id -u)" = 0 ] || die "packages missing (${missing[*]}); run as root to install them"
  say "installing packages: ${missing[*]} (log: $KORVAN_LOGS/apt.log)"
  mkdir -p "$KORVAN_LOGS"
  # Installing mariadb-server must not start the system's own server: the
  # scripts run their own and nothing may outlive them.
  if [ ! -e /usr/sbin/policy-rc.d ]; then
    printf '#!/bin/sh\nexit 101\n' >/usr/sbin/policy-rc.d
    chmod 755 /usr/sbin/policy-rc.d
    korvan_on_exit "rm -f /usr/sbin/policy-rc.d"
  fi
  export DEBIAN_FRONTEND=noninteractive
  { apt-get update && apt-get install -y "${missing[@]}"; } </dev/null >"$KORVAN_LOGS/apt.log" 2>&1 ||
    { tail -n 30 "$KORVAN_LOGS/apt.log" >&2; die "package installation failed (log: $KORVAN_LOGS/apt.log)"; }
  say "packages installed"
}

# The project's Wine prefix. Windows get a frame drawn by Wine itself: the
# displays here have no window manager, which would otherwise draw the title
# bar; the X windows keep their names, so xdotool still finds them by caption.
_wine_prefix_ready() {
  [ -f "$WINEPREFIX/system.reg" ] &&
    awk '/^\[/ { in_x11 = ($0 ~ /^\[Software\\\\Wine\\\\X11 Driver\]/) }
         in_x11 && $0 == "\"Decorated\"=\"N\"" { found = 1 }
         END { exit !found }' "$WINEPREFIX/user.reg" 2>/dev/null
}

setup_wine_prefix() {
  _wine_prefix_ready && return 0

  korvan_on_exit wine_stop
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX" "$KORVAN_LOGS"
    # No .NET or HTML add-ons are installed: keep Wine from looking for them.
    WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init </dev/null >"$KORVAN_LOGS/wineboot.log" 2>&1 ||
      { tail -n 20 "$KORVAN_LOGS/wineboot.log" >&2; die "creating the Wine prefix failed"; }
  fi
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 ||
    die "could not write the Wine registry"
  # The registry reaches user.reg when the wineserver ends.
  wine_stop
  _wine_prefix_ready || die "the Wine prefix $WINEPREFIX did not take the window-frame setting"
}

# Debian's Wine does not find its own TrueType fonts: without them the title-bar
# buttons show letters in place of their Marlett glyphs and Tahoma, the dialog font,
# falls back to another face. Copied into every prefix, new or existing.
setup_wine_fonts() {
  local dest=$WINEPREFIX/drive_c/windows/Fonts f
  mkdir -p "$dest"
  for f in /usr/share/wine/fonts/*.ttf; do
    [ -f "$f" ] || continue
    cmp -s "$f" "$dest/${f##*/}" || cp "$f" "$dest/" || die "could not copy $f into the Wine prefix"
  done
}

# Configures a build tree when it has no cache yet, or one made with other
# settings, then builds it.
_build_tree() {
  local dir=$1 key=$2; shift 2
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$KORVAN_ROOT" -B "$dir" "$@" || die "configuring $dir failed"
  elif ! grep -qxF "$key" "$dir/CMakeCache.txt"; then
    say "$dir was configured with other settings: configuring it afresh"
    cmake --fresh -S "$KORVAN_ROOT" -B "$dir" "$@" || die "configuring $dir failed"
  fi
  cmake --build "$dir" -j"$KORVAN_JOBS" || die "building $dir failed"
}

setup_build() {
  say "building for Windows in build/"
  _build_tree "$KORVAN_BUILD" \
    "CMAKE_TOOLCHAIN_FILE:FILEPATH=$KORVAN_ROOT/cmake/toolchain-mingw64.cmake" \
    -DCMAKE_TOOLCHAIN_FILE="$KORVAN_ROOT/cmake/toolchain-mingw64.cmake"
  say "building natively with sanitizers in build-native/"
  _build_tree "$KORVAN_BUILD_NATIVE" "KORVAN_SANITIZE:BOOL=ON" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVAN_SANITIZE=ON
}

korvan_setup() {
  mkdir -p "$KORVAN_LOGS"
  setup_packages
  setup_wine_prefix
  setup_wine_fonts
  setup_build
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  korvan_traps
  korvan_setup
  say "set-up done"
fi
