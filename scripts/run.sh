#!/usr/bin/env bash
# Installs what is missing, builds the package and runs it in a fresh folder (default out/),
# then lists what it wrote.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cartella=${1:-out}
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target ARONA_DOMODOSSOLA_324 scenario-tool
rm -rf "$cartella"
mkdir -p "$cartella"
cp build/ARONA_DOMODOSSOLA_324 "$cartella"/
stato=0
"$cartella"/ARONA_DOMODOSSOLA_324 || stato=$?
echo "ARONA_DOMODOSSOLA_324 ended with status $stato"
ls -l "$cartella"
exit "$stato"
