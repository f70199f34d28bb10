#!/usr/bin/env bash
# Times whole runs of the package, each in a fresh folder, against copying its six outputs
# into a fresh folder: the floor for producing the same bytes there. The two are measured in
# pairs, alternating which goes first, and the median of the pair ratios is printed with the
# median times. Then one run of each under callgrind gives instruction counts, which do not
# depend on the machine's load.
#   bench/confronta_copia.sh [BUILD_DIR [PAIRS]]      (defaults: build-bench, 30)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-bench}
coppie=${2:-30}
nome=ARONA_DOMODOSSOLA_324
pacchetto=$build/$nome
[ -x "$pacchetto" ] || { echo "manca $pacchetto: cmake --build $build" >&2; exit 1; }

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
# Without a display the package runs headless, as it does on a machine without one.
unset DISPLAY WAYLAND_DISPLAY

# A fresh folder holding only the package.
cartella_con_pacchetto() {
  mkdir "$1"
  cp "$pacchetto" "$1/"
}

# The reference outputs: the six files one run leaves beside the package.
cartella_con_pacchetto "$lavoro/riferimento"
"$lavoro/riferimento/$nome"
rm "$lavoro/riferimento/$nome"
uscite=$(ls "$lavoro/riferimento" | wc -l)
[ "$uscite" -eq 6 ] || { echo "il pacchetto ha lasciato $uscite file invece di 6" >&2; exit 1; }

# Microseconds taken by the command, measured by the shell around it.
durata() {
  local inizio=$EPOCHREALTIME
  "$@"
  local fine=$EPOCHREALTIME
  echo $(((${fine/./} - ${inizio/./})))
}

copia() { cp "$lavoro"/riferimento/* "$1"/; }

: >"$lavoro/tempi"
for ((i = 0; i < coppie; i++)); do
  p=$lavoro/p$i c=$lavoro/c$i
  cartella_con_pacchetto "$p"
  mkdir "$c"
  if ((i % 2 == 0)); then
    tp=$(durata "$p/$nome")
    tc=$(durata copia "$c")
  else
    tc=$(durata copia "$c")
    tp=$(durata "$p/$nome")
  fi
  rm "$p/$nome"
  # Same bytes, or the timing means nothing.
  diff -r "$lavoro/riferimento" "$p" >/dev/null
  diff -r "$lavoro/riferimento" "$c" >/dev/null
  echo "$tp $tc" >>"$lavoro/tempi"
  rm -rf "$p" "$c"
done

mediana() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
echo "coppie: $coppie"
echo "pacchetto, mediana: $(cut -d' ' -f1 "$lavoro/tempi" | mediana) us"
echo "copia, mediana: $(cut -d' ' -f2 "$lavoro/tempi" | mediana) us"
echo "rapporto pacchetto/copia, mediana delle coppie: $(awk '{printf "%.3f\n", $1 / $2}' \
  "$lavoro/tempi" | mediana)"

# Instruction counts of one run of each (valgrind reports "Collected : N").
istruzioni() { valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 |
  sed -n 's/.*Collected : \([0-9]*\).*/\1/p'; }
cartella_con_pacchetto "$lavoro/callgrind"
mkdir "$lavoro/callgrind_copia"
echo "istruzioni, pacchetto (callgrind): $(istruzioni "$lavoro/callgrind/$nome")"
echo "istruzioni, copia (callgrind): $(istruzioni cp "$lavoro"/riferimento/* "$lavoro/callgrind_copia"/)"
