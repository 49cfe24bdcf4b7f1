#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tools and the tests need, and only
# those that are missing; does nothing when all are present. Installing needs root (or sudo).
# With --with-windows it adds the Windows cross-build and its Wine stage: MinGW-w64 (posix
# threads), widl, Wine's headers (system IDL files, stdole2.tlb), Wine itself and the GoogleTest
# sources the suites are cross-built with.
# With --with-web it adds what the browser page needs: Emscripten to build it, Chromium to
# test it, and Node.js with npm for the test driver (only when node or npm is not already on
# the PATH: a newer Node from elsewhere conflicts with Debian's npm).
set -euo pipefail

packages=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev
  libxml2-utils libxml2-dev libpugixml-dev
  python3 jq pkgconf file dpkg-dev
  help2man man-db bash-completion
  pybind11-dev python3-dev python3-pytest python3-pandas python3-dask python3-distributed
)
for option in "$@"; do
  case "$option" in
    --with-windows) packages+=(g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 googletest) ;;
    --with-web)
      packages+=(emscripten node-acorn chromium)
      command -v node >/dev/null 2>&1 || packages+=(nodejs)
      command -v npm >/dev/null 2>&1 || packages+=(npm)
      ;;
    *) echo "install-deps: unknown option '$option' (--with-windows, --with-web)" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages are installed"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: run as root to install: ${missing[*]}" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
