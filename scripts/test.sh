#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in the normal build and
# in the AddressSanitizer + UndefinedBehaviorSanitizer build, warnings as errors. The heavy
# loops (label "pesanti") run GIRI_PESANTI rounds each, 30 unless set.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
# setup.sh has installed headless Chromium and puppeteer-core: serve's browser test runs, never
# skips.
export BROWSER_OBBLIGATORIO=1
for config in normale sanitizzatori; do
  dir=build-test-$config
  opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DERRORI_AVVISI=ON)
  [ "$config" = sanitizzatori ] && opts+=(-DSANITIZZATORI=ON)
  cmake -S . -B "$dir" -G Ninja "${opts[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== tests: $config build"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
  echo "== heavy loops: $config build"
  GIRI_PESANTI=${GIRI_PESANTI:-30} ctest --test-dir "$dir" --output-on-failure -L pesanti
done
echo "== determinism: the normal and the sanitizer packages"
bash scripts/confronta_pacchetti.sh build-test-normale/ARONA_DOMODOSSOLA_324 \
  build-test-sanitizzatori/ARONA_DOMODOSSOLA_324
# Bounded fuzzing runs (fuzz/README.md): clang, libFuzzer, ASan and UBSan.
echo "== fuzzing: bounded runs of the harnesses"
CXX=clang++ cmake -S . -B build-test-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON \
  -DERRORI_AVVISI=ON \
  -DCON_TEST=OFF -DCON_FINESTRA=OFF >/dev/null
cmake --build build-test-fuzz -j "$jobs" --target fuzzer
ctest --test-dir build-test-fuzz --output-on-failure -j "$jobs"
