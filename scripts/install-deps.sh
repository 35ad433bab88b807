#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: scripts/install-deps.sh [--fuzz] [--coverage] [--tidy]
set -euo pipefail

packages=(cmake ninja-build g++ make pkg-config binutils clang-format libgtest-dev libgmock-dev
          libbenchmark-dev qt6-base-dev
          # the desktop tests: a virtual screen and a window manager
          xvfb xauth openbox wmctrl xdotool
          # the printing tests turn printed PDF pages into images
          poppler-utils
          # icons drawn from their SVGs; the desktop files' validators, MIME database and
          # file-type queries; manual pages; the Debian package's dependency scan
          librsvg2-bin desktop-file-utils appstream shared-mime-info xdg-utils
          libfile-mimeinfo-perl file man-db dpkg-dev
          # exported tracks read back by map tools
          python3-gpxpy gpsbabel)
for arg in "$@"; do
    case "$arg" in
        --fuzz) packages+=(clang libclang-rt-14-dev) ;;
        --coverage) packages+=(clang llvm) ;;
        --tidy) packages+=(clang clang-tidy) ;;
        *) echo "unknown option: $arg" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
