#!/usr/bin/env bash
# Configures (once) and builds everything into build/. Under CI (CI=true) warnings are
# errors.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
WERROR=OFF
[ "${CI:-}" = true ] && WERROR=ON
if [ ! -f "$BUILD_DIR/build.ninja" ] || [ "$WERROR" = ON ]; then
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCONF_WERROR=$WERROR >/dev/null
fi
cmake --build "$BUILD_DIR" "$@"
