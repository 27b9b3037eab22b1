#!/usr/bin/env bash
# Installs the Debian 12 packages Numsift needs that are missing (as root, or
# through sudo), nothing else. With package names as arguments, installs
# those that are missing instead, without the packages they only recommend
# (the Windows scripts name theirs: Wine alone recommends GStreamer, Mesa
# and more that they never use).
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache clang-format
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-wqy-microhei
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth
)
extra=()
if (($#)); then
  packages=("$@")
  extra=(--no-install-recommends)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "安装缺少的软件包 / installing: ${missing[*]}"
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo="sudo"
    else
      echo "需要 root 权限安装: ${missing[*]} (run as root or install sudo)" >&2
      exit 1
    fi
  fi
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y "${extra[@]}" "${missing[@]}"
fi
