#!/usr/bin/env bash
# Cross-builds the Windows programs with mingw-w64: BUILD_DIR/ARONA_DOMODOSSOLA_324.exe (a
# windowed program), BUILD_DIR/scenario-tool.exe (a console program) and beside it
# BUILD_DIR/scenario-runtime.exe, the package runtime that `scenario-tool package` makes
# Windows packages from; each one static .exe that needs nothing installed on Windows.
# BUILD_DIR defaults to build-windows.
# Installs the cross-compiler and wine first (scripts/setup.sh windows) unless SENZA_SETUP=1.
set -euo pipefail
radice=$(cd "$(dirname "$0")/.." && pwd)
cartella=${1:-$radice/build-windows}
if [ "${SENZA_SETUP:-0}" != 1 ]; then
  bash "$radice/scripts/setup.sh" windows
fi
cmake -S "$radice" -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$radice/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$cartella" -j 2 --target ARONA_DOMODOSSOLA_324 scenario-tool scenario-runtime
ls -l "$cartella/ARONA_DOMODOSSOLA_324.exe" "$cartella/scenario-tool.exe" \
  "$cartella/scenario-runtime.exe"
