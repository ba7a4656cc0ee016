#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need.
# Only what is missing is installed; apt-get runs through sudo when not root.
set -euo pipefail
pkgs=(cmake g++ make pkg-config qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
      libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core fonts-liberation
      qt6-qpa-plugins clang-format qt6-charts-dev poppler-utils zlib1g-dev qt6-translations-l10n
      dpkg-dev)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_=""
  [ "$(id -u)" -ne 0 ] && sudo_=sudo
  echo "Installing: ${missing[*]}"
  $sudo_ apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
