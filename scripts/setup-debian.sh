#!/usr/bin/env bash
# Installs every Debian 12 package Lark HTML needs to build, test, benchmark,
# fuzz and take screenshots. Idempotent: quiet and quick when all is present.
set -euo pipefail

PACKAGES=(
  # toolchain
  g++ make cmake ninja-build ccache pkg-config
  # Qt 6 Widgets and SQL with the SQLite driver
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  # PostgreSQL server and Qt driver: the data tests run a throw-away cluster
  postgresql libqt6sql6-psql
  # tests, benchmarks, fuzzing
  googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
  # fonts: DejaVu, Liberation (Arial/Times/Courier metrics), Tahoma from wine
  fonts-dejavu-core fonts-liberation fonts-wine
  # a real X server for screenshots of the demo programs
  xvfb
  # the Qt Designer plugin (Designer interfaces, uic, QUiLoader) and Designer itself
  qt6-tools-dev qt6-tools-dev-tools libqt6opengl6-dev designer-qt6
  # the screen-reader test: a session bus, the AT-SPI bus and its Python client
  dbus at-spi2-core python3-pyatspi
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
