#!/usr/bin/env bash
# Installs every build and test dependency from Debian's packages.
# Idempotent: when everything is already there it only checks and returns.
set -euo pipefail

native_packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  nlohmann-json3-dev googletest libgtest-dev libbenchmark-dev
  libgtk-3-dev libwebkit2gtk-4.1-dev
  zlib1g-dev libgcrypt20-dev
  xvfb xauth x11-utils xdotool openbox locales
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev
)
i386_packages=(
  wine wine32 libx11-6:i386 libxext6:i386 libxrender1:i386 libxrandr2:i386
  libxi6:i386 libxcursor1:i386 libxcomposite1:i386 libxinerama1:i386
  libxfixes3:i386 libxxf86vm1:i386 libfreetype6:i386 libfontconfig1:i386
)

missing() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' || echo "$p"
  done
}

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# Wine takes its code page (936) and its file-name encoding from this locale.
ensure_locale() {
  locale -a 2>/dev/null | grep -qix 'zh_CN.utf8' && return 0
  "${sudo_cmd[@]}" sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
todo=$(missing "${native_packages[@]}" "${i386_packages[@]}")
if [ "$need_i386" -eq 0 ] && [ -z "$todo" ]; then
  ensure_locale
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if [ "$need_i386" -eq 1 ]; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
"${sudo_cmd[@]}" apt-get update -q
# shellcheck disable=SC2086
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends $(missing "${native_packages[@]}" "${i386_packages[@]}")
ensure_locale
