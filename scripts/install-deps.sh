#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing VEXA needs,
# only those that are missing. Uses sudo when not run as root.
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libgtest-dev googletest qt6-base-dev libzip-dev unzip)
# Extra packages a caller may ask for (for example xvfb for screenshots).
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
