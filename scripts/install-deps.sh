#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Sorvani need.
# Only what is missing is installed; works as root or through sudo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-qpa-plugins
  libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-utils xdotool xclip openbox imagemagick fonts-dejavu-core fonts-liberation2
  desktop-file-utils appstream dpkg-dev file
  clang-format shellcheck
  qt6-translations-l10n fonts-liberation
  dbus at-spi2-core python3-pyatspi locales
  libeigen3-dev
  ccache lld
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if [[ $(id -u) -eq 0 ]]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Hacen falta estos paquetes y no hay permisos para instalarlos: ${missing[*]}" >&2
  exit 1
fi

echo "Instalando: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
