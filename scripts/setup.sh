#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need, if missing,
# then configures and builds into build/ (and build-asan/ with ORVALEN_SANITIZE=1),
# warnings being errors (ORVALEN_WERROR).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev fp-compiler fp-units-fcl
          fp-units-rtl clang libclang-rt-14-dev nlohmann-json3-dev)
# Qt 6 Widgets with its tools (uic, moc, rcc) and platform plugins (the tests and
# the screenshots render offscreen), fonts to render text with (Liberation Sans
# has the narrow metrics the dialogs were laid out for), and windres,
# the independent producer of version blocks; the Debian packaging tools
# (dpkg-shlibdeps works out the package's dependencies), lintian, which the
# package test runs on the package, and the desktop entry's checker; an X
# server without a screen and a tool that types and clicks into it, for the
# programs' end-to-end tests; the LCL for gtk2 and qt5 with lazbuild and the
# Qt 5 binding, which the Lazarus target's projects build and run with; the
# Lazarus IDE (gtk2) and its sources, of which the IDE package's test builds a
# private copy; without the recommended extras.
#
# lazarus-src-2.2 replaces the LCL's package files with ones that name their
# sources, so a lazbuild run as root that compiles the packages a project
# needs (without --skip-dependencies, or without a --lazarusdir of its own)
# writes into /usr/lib/lazarus. The tests never do either.
lean_packages=(qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins fonts-dejavu-core fonts-liberation
               binutils-mingw-w64-x86-64 dpkg-dev lintian desktop-file-utils xvfb xdotool x11-utils
               lcl-units-2.2 lcl-gtk2-2.2 lcl-qt5-2.2 lcl-utils-2.2 libqt5pas-dev
               lazarus-ide-2.2 lazarus-ide-gtk2-2.2 lazarus-src-2.2)

missing_of() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_lean < <(missing_of "${lean_packages[@]}")
if [ $((${#missing[@]} + ${#missing_lean[@]})) -gt 0 ]; then
  echo "Installing: ${missing[*]} ${missing_lean[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
  fi
  if [ ${#missing_lean[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends \
      "${missing_lean[@]}"
  fi
fi

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVALEN_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
if [ "${ORVALEN_SANITIZE:-0}" = 1 ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORVALEN_SANITIZE=ON \
        -DORVALEN_WERROR=ON -DORVALEN_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j "$jobs"
fi
