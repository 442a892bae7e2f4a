#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Vendrel need.
# Idempotent: asks apt only for what is missing.
set -euo pipefail

PACKAGES=(
  cmake make g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev libglx-dev libvulkan-dev
  libgtest-dev googletest libbenchmark-dev libmuparser-dev libboost-math-dev libeigen3-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth x11-apps imagemagick fonts-dejavu-core locales
  # export: SVG, animated WebP and GIF; their command-line readers and the PDF rasteriser for
  # the tests; gnuplot only for the PNG bench's comparison
  qt6-svg-dev libpng-dev libwebp-dev libgif-dev webp poppler-utils gnuplot-nox
  # desktop integration: validators, the MIME database and its lookup, manual pages, the package
  desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl groff-base man-db
  dpkg-dev file
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages: ${missing[*]} (run as root to install them)" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Tests check that number texts and names do not follow the C library's locale; they need
# a comma locale and the Turkish one (dotless i).
for loc in de_DE tr_TR; do
  if ! locale -a 2>/dev/null | grep -qi "^${loc}\.utf-\?8$"; then
    if [ "$(id -u)" -eq 0 ]; then
      localedef -i "$loc" -f UTF-8 "$loc.UTF-8" || echo "install-deps: could not make the $loc.UTF-8 locale" >&2
    fi
  fi
done
