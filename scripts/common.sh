# Shared by ./run, ./test and ./bench: building and the virtual display.
# shellcheck shell=bash

QOR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QOR_BUILD="$QOR_ROOT/build"
export QOR_WINEPREFIX="$QOR_BUILD/wineprefix"

# linux: the native build; win: the mingw-w64 build; fuzz: the fuzz targets (clang).
qor_configure_and_build() {  # <linux|win|fuzz> [cmake args...]
  local platform=$1
  shift
  local dir="$QOR_BUILD/$platform"
  local args=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "-DQOR_WERROR=${QOR_WERROR:-OFF}")
  local compilers=()
  [ "$platform" = win ] && args+=("-DCMAKE_TOOLCHAIN_FILE=$QOR_ROOT/cmake/toolchains/mingw-i686.cmake")
  [ "$platform" = fuzz ] && args+=(-DQOR_FUZZ=ON) && compilers=(CC=clang CXX=clang++)
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    env "${compilers[@]}" cmake -S "$QOR_ROOT" -B "$dir" "${args[@]}" "$@" >/dev/null || return 1
  else
    cmake -S "$QOR_ROOT" -B "$dir" "-DQOR_WERROR=${QOR_WERROR:-OFF}" "$@" >/dev/null || return 1
  fi
  cmake --build "$dir" -j "$(nproc)"
}

# Starts Xvfb on a free display and exports DISPLAY; qor_stop_display ends it.
qor_start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  QOR_XVFB_PID=$!
  local tries
  for tries in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}

qor_stop_display() {
  [ -n "${QOR_XVFB_PID:-}" ] && kill "$QOR_XVFB_PID" 2>/dev/null
  QOR_XVFB_PID=
}

# Makes the private Wine prefix on first use and keeps one wineserver alive
# for the whole run. Needs DISPLAY: the server keeps the display it starts with.
qor_start_wine() {
  export WINEPREFIX="$QOR_WINEPREFIX" WINEDEBUG=-all
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Making the Wine prefix $WINEPREFIX (first use only)..."
    wineboot -i >/dev/null 2>&1
  fi
  wineserver -p
  # Wine's own services start with the first program of a server; start them
  # here, away from the test runner's output pipes, which they would hold open.
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

qor_stop_wine() {
  WINEPREFIX="$QOR_WINEPREFIX" wineserver -k 2>/dev/null || true
}
