#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# only those that are missing.
set -euo pipefail
packages=(cmake g++ make qt6-base-dev libgl-dev libsqlitecpp-dev libsqlite3-dev libcups2-dev
    fonts-arphic-uming fonts-wqy-microhei poppler-utils libbenchmark-dev qt6-translations-l10n
    xvfb libxtst-dev mdbtools-dev mdbtools pkgconf dbus-daemon dbus-bin at-spi2-core)
# The print tests run a print server of their own; its recommended
# companions (network discovery, colour management) would start services.
bare=(cups-daemon)
missing() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}
mapfile -t missing_packages < <(missing "${packages[@]}")
mapfile -t missing_bare < <(missing "${bare[@]}")
if ((${#missing_packages[@]} + ${#missing_bare[@]})); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    if ((${#missing_packages[@]})); then
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing_packages[@]}"
    fi
    if ((${#missing_bare[@]})); then
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing_bare[@]}"
    fi
fi
