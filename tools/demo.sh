#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and starts the application in a demonstration folder of its
# own (never a real greenhouse folder). Without a display it runs under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_deps.sh
bash tools/build.sh

demo_dir="${VELK_DEMO_DIR:-$HOME/.local/share/uecs-velk-demo}"
mkdir -p "$demo_dir"
echo "Application folder: $demo_dir"

app=(build/src/app/uecs-velk --app-dir "$demo_dir")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under Xvfb."
  xvfb-run -a -s "-screen 0 1280x900x24" "${app[@]}"
else
  "${app[@]}"
fi
