#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes sure every Debian package the build, the tests and the fuzzers need is
# installed. As root it installs what is missing; otherwise it prints the one
# apt-get line to run and fails.
set -euo pipefail

VELORA_PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache git
  clang libclang-rt-14-dev clang-format
  qt6-base-dev qt6-image-formats-plugins qt6-svg-dev libx11-dev
  qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  desktop-file-utils appstream librsvg2-bin dpkg-dev file
  zlib1g-dev libisal-dev libjpeg62-turbo-dev libtiff-dev libgif-dev libimagequant-dev
  libcurl4-openssl-dev ca-certificates qtkeychain-qt6-dev
  libpoppler-qt6-dev libpotrace-dev qpdf
  python3-pyftpdlib curl vsftpd openssl
  googletest libgtest-dev libgmock-dev libbenchmark-dev
)

velora_missing_packages() {
  local missing=()
  for pkg in "${VELORA_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  echo "${missing[@]:-}"
}

velora_ensure_packages() {
  local missing
  missing=$(velora_missing_packages)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing missing packages: $missing" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >&2
  else
    echo "Missing packages. Run as root:" >&2
    echo "  apt-get update && apt-get install -y $missing" >&2
    return 1
  fi
}
