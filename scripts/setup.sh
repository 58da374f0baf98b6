#!/usr/bin/env bash
# Installs what the build and the tests need, when it is missing. Safe to run again.
set -euo pipefail

PACKAGES=(
  cmake ninja-build ccache g++ pkg-config
  qt6-base-dev libpugixml-dev libjpeg62-turbo-dev libcurl4-openssl-dev libicu-dev
  libgtest-dev libgmock-dev libbenchmark-dev libssl-dev
  xvfb xauth fonts-wine fonts-dejavu-core
  clang-14 libclang-rt-14-dev llvm-14
  smitools libxml2-utils poppler-utils unrtf
  libzip-dev libxlsxwriter-dev libfreexl-dev unixodbc-dev libsqliteodbc odbc-mdbtools
  python3-openpyxl python3-xlwt unzip
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The OPC UA server the browse library's tests start (an npm package, pinned by its lock
# file); installed once, beside its script.
OPCUA_SERVER_DIR="$(dirname "$0")/../tests/platform/opcua/server"
if [ ! -d "$OPCUA_SERVER_DIR/node_modules/node-opcua" ]; then
  if ! command -v npm >/dev/null; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    $SUDO apt-get update
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends nodejs npm
  fi
  (cd "$OPCUA_SERVER_DIR" && npm ci --no-audit --no-fund --loglevel=error)
fi
