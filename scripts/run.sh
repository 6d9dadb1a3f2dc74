#!/usr/bin/env bash
# Installs what is missing, builds, and starts the launcher from the build
# folder, which holds Arxius_models beside it.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$build"
cd "$build"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" ./Kinetra
fi
exec ./Kinetra
