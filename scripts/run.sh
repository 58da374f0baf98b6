#!/usr/bin/env bash
# Installs what is missing, builds and starts the configurator.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh --target configurator
BIN="$PWD/${BUILD_DIR:-build}/app/configurator"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$BIN" "$@"
fi
exec "$BIN" "$@"
