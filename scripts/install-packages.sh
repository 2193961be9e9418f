#!/usr/bin/env bash
# Installs the Debian packages given that are missing, and only those.
#   install-packages.sh [--with-recommends] PACKAGE...
set -euo pipefail

recommends=--no-install-recommends
if [ "${1:-}" = --with-recommends ]; then
  recommends=--install-recommends
  shift
fi

missing=()
for package in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "All needed packages are installed: $*" | cut -c1-100
  exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Installing packages needs root: run this as root (for example with sudo)." >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y "$recommends" "${missing[@]}"
