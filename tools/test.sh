#!/usr/bin/env bash
# Installs what is missing, builds both presets (win64 with the tests, win32 the product) and
# runs every test with ctest under wine64, on a private Xvfb display with a private wineserver
# that are stopped afterwards. Exits with ctest's status. Arguments go to ctest (-R NAME ...).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/install.sh"
hvn_install_missing

cd "$root"
jobs=$(nproc)
for preset in win64 win32; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$jobs"
done
"$root/tests/wine/session.sh" ctest --preset win64 "$@"
