#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and starts it on the current show, installing
# the bundled demo show on first start. Without a display it runs under xvfb-run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

bash "$project_root/scripts/setup.sh"
build_dir="${VEMO_BUILD_DIR:-$project_root/build}"
configure_and_build "$build_dir" Release -DVEMO_BUILD_TESTS=OFF -DVEMO_BUILD_BENCH=OFF

# The demo's sound-effect manifest goes into the first machine-wide data folder: put one the user owns first.
data_home="${XDG_DATA_HOME:-$HOME/.local/share}"
mkdir -p "$data_home/vemo-machine"
export XDG_DATA_DIRS="$data_home/vemo-machine:${XDG_DATA_DIRS:-/usr/local/share:/usr/share}"

program="$build_dir/app/tolbrin"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$program" "$@"
else
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$program" "$@"
fi
