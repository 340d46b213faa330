#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages the build, the tests and the demo need, when any is missing.
# Extra package names may be passed as arguments.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev libqcustomplot-dev libgtest-dev
  libgmock-dev libbenchmark-dev xvfb xauth fonts-ipaexfont-gothic fonts-noto-color-emoji
  qt6-translations-l10n locales "$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
