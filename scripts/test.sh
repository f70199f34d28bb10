#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in the normal build and
# in the AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
for config in normale sanitizzatori; do
  dir=build-test-$config
  opts=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  [ "$config" = sanitizzatori ] && opts+=(-DSANITIZZATORI=ON)
  cmake -S . -B "$dir" -G Ninja "${opts[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== tests: $config build"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
done
