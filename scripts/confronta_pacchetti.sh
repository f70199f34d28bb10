#!/usr/bin/env bash
# Runs two builds of the package, each in a fresh folder of its own and without a display,
# and checks that they write the same files with the same bytes.
#   bash scripts/confronta_pacchetti.sh PACKAGE_A PACKAGE_B
set -euo pipefail
(($# == 2)) || { echo "usage: $0 PACKAGE_A PACKAGE_B" >&2; exit 2; }
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
for i in 1 2; do
  programma=${!i}
  mkdir "$lavoro/$i"
  cp "$programma" "$lavoro/$i/"
  env -u DISPLAY "$lavoro/$i/$(basename "$programma")" || {
    echo "$programma ended with status $?" >&2
    exit 1
  }
  rm "$lavoro/$i/$(basename "$programma")"
done
if ! diff -r "$lavoro/1" "$lavoro/2"; then
  echo "$1 and $2 write different outputs" >&2
  exit 1
fi
echo "$1 and $2 write the same $(ls "$lavoro/1" | wc -l) files, byte for byte"
