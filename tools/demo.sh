#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and starts a demonstration that needs no greenhouse: an
# application folder of its own (never a real one) with rooms 1 and 2 in use and a year of demo
# history, and two simulated UECS nodes sending to 127.0.0.1:16520 while the application runs.
# Without a display it runs under Xvfb and saves a screenshot after the start-up load.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_deps.sh
bash tools/build.sh

demo_dir="${VELK_DEMO_DIR:-$HOME/.local/share/uecs-velk-demo}"
mkdir -p "$demo_dir"
echo "Demo application folder: $demo_dir"

# A year of history and the settings of rooms 1 and 2, written once.
if [ ! -f "$demo_dir/.demo-history" ]; then
  echo "Writing a year of demo history for rooms 1 and 2 ..."
  build/tools/history_generator/velk-history-gen --app-dir "$demo_dir" --rooms 1,2 --settings --csv
  touch "$demo_dir/.demo-history"
fi

# Two simulated nodes, one per room, stopped when the application exits.
sim_pids=()
stop_simulators() {
  for pid in "${sim_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stop_simulators EXIT
for room in 1 2; do
  build/tools/ccm_simulator/uecs-node-sim --host 127.0.0.1 --port 16520 --room "$room" \
    --rate 10 --seconds 604800 --quiet >/dev/null &
  sim_pids+=("$!")
done

app=(build/src/app/uecs-velk --app-dir "$demo_dir")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  shot="$demo_dir/screenshot.png"
  echo "No display: running under Xvfb; a screenshot goes to $shot after the start-up load."
  echo "Stop with Ctrl+C."
  xvfb-run -a -s "-screen 0 1280x900x24" "${app[@]}" --screenshot "$shot"
else
  "${app[@]}"
fi
