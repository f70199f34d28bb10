#!/usr/bin/env bash
# Rebuilds vendor/d3-zoom.min.js, the pan-and-zoom library built into serve's page: installs
# d3-zoom and its dependencies at the versions of ../package-lock.json (npm ci, the only step
# that needs the network) and joins their own minified files in the order they need each
# other, under the licence they share. The result is committed: the build needs no network.
set -euo pipefail
cartella=$(cd "$(dirname "$0")/.." && pwd)
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
cp "$cartella/package.json" "$cartella/package-lock.json" "$lavoro/"
(cd "$lavoro" && npm ci --no-audit --no-fund --ignore-scripts >/dev/null)
uscita="$cartella/vendor/d3-zoom.min.js"
{
  echo "/*"
  echo " * d3-zoom and the d3 modules it needs, joined by tools/serve/pagina/vendor/aggiorna.sh:"
  for m in d3-dispatch d3-selection d3-color d3-interpolate d3-ease d3-timer d3-transition \
    d3-drag d3-zoom; do
    echo " *   $m $(node -p "require('$lavoro/node_modules/$m/package.json').version")"
  done
  echo " *"
  sed 's/^/ * /; s/ *$//' "$lavoro/node_modules/d3-zoom/LICENSE"
  echo " */"
  for m in d3-dispatch d3-selection d3-color d3-interpolate d3-ease d3-timer d3-transition \
    d3-drag d3-zoom; do
    file="$lavoro/node_modules/$m/dist/$m.min.js"
    cat "$file"
    [ -z "$(tail -c 1 "$file")" ] || echo
  done
} >"$uscita.tmp"
mv "$uscita.tmp" "$uscita"
cp "$lavoro/node_modules/d3-zoom/LICENSE" "$cartella/vendor/LICENSE-d3"
echo "$uscita: $(wc -c <"$uscita") bytes"
