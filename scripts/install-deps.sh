#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any of them is missing.
# Usage: scripts/install-deps.sh [extra-package ...]
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl1-mesa-dev          # Qt 6 Widgets and PrintSupport
    libqt6svg6                            # Qt's SVG plugins: the toolbar's SVG icons
    desktop-file-utils shared-mime-info   # the desktop integration and its install test
    libgtest-dev libgmock-dev googletest  # unit tests
    libbenchmark-dev                      # benchmarks
    libcli11-dev nlohmann-json3-dev       # quira-cli
    libxml2-utils librsvg2-bin            # xmllint checks the --svg pictures; rsvg-convert views them
    libglpk-dev coinor-libclp-dev         # the optimum method's LPs (CLP by default, GLPK as the alternative)
    parallel                              # GNU parallel: the test of shards run side by side
    clang libclang-rt-dev                 # fuzz targets (libFuzzer)
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
