#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# only those that are missing.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev libgl-dev libsqlitecpp-dev libsqlite3-dev libcups2-dev
    fonts-arphic-uming fonts-wqy-microhei poppler-utils libbenchmark-dev qt6-translations-l10n
    xvfb libxtst-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
fi
