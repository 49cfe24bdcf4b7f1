#!/usr/bin/env bash
# Installs what the Windows cross-build and its Wine stage need, when it is missing:
# the MinGW-w64 compilers (posix threads), widl, the Wine headers with the system IDL files
# and stdole2.tlb, and Wine itself. Safe to call again: it asks apt only for what is absent.
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "install-windows-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
sudo_prefix=()
if ((EUID != 0)); then sudo_prefix=(sudo); fi
"${sudo_prefix[@]}" apt-get update -qq
"${sudo_prefix[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
