#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test (core tests and the Qt Test suites on the
# offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_deps.sh
bash tools/build.sh
export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
fi
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
