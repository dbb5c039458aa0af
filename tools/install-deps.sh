#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# only those missing: as root directly, through sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake ninja-build
  qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins fonts-dejavu-extra
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth libgl1-mesa-dri libxtst-dev
  # The fuzz targets: Clang with libFuzzer and its sanitizer runtimes, and
  # llvm-symbolizer for source lines in their reports.
  clang libclang-rt-14-dev llvm
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "These packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
  exit 1
fi
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
