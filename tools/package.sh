#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and makes the Debian package build/uecs-velk_<version>_<arch>.deb.
# Install it with: sudo apt install ./build/uecs-velk_1.1.0.0_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_deps.sh dpkg-dev desktop-file-utils
bash tools/build.sh
rm -f build/uecs-velk_*.deb
(cd build && cpack -G DEB >/dev/null)
ls build/uecs-velk_*.deb
