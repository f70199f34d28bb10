#!/usr/bin/env bash
# Times two builds of the package against each other: each run in a fresh folder of its own,
# the two runs of a pair one after the other, alternating which goes first, so that a change
# in the machine's load moves both. Prints the median time of each and the median of the
# pair ratios B/A. The two builds must write the same bytes.
#   bench/confronta_versioni.sh PACCHETTO_A PACCHETTO_B [PAIRS]      (default: 200)
set -euo pipefail
a=$(realpath "$1")
b=$(realpath "$2")
coppie=${3:-200}
nome=ARONA_DOMODOSSOLA_324

lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
unset DISPLAY WAYLAND_DISPLAY

durata() {
  local inizio=$EPOCHREALTIME
  "$@"
  local fine=$EPOCHREALTIME
  echo $(((${fine/./} - ${inizio/./})))
}

: >"$lavoro/tempi"
for ((i = 0; i < coppie; i++)); do
  rm -rf "$lavoro/a" "$lavoro/b"
  mkdir "$lavoro/a" "$lavoro/b"
  cp "$a" "$lavoro/a/$nome"
  cp "$b" "$lavoro/b/$nome"
  if ((i % 2 == 0)); then
    ta=$(durata "$lavoro/a/$nome")
    tb=$(durata "$lavoro/b/$nome")
  else
    tb=$(durata "$lavoro/b/$nome")
    ta=$(durata "$lavoro/a/$nome")
  fi
  echo "$ta $tb" >>"$lavoro/tempi"
done
rm "$lavoro/a/$nome" "$lavoro/b/$nome"
diff -r "$lavoro/a" "$lavoro/b" >/dev/null || { echo "le due versioni scrivono byte diversi" >&2; exit 1; }

mediana() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
echo "coppie: $coppie"
echo "A, mediana: $(cut -d' ' -f1 "$lavoro/tempi" | mediana) us"
echo "B, mediana: $(cut -d' ' -f2 "$lavoro/tempi" | mediana) us"
echo "rapporto B/A, mediana delle coppie: $(awk '{printf "%.3f\n", $2 / $1}' "$lavoro/tempi" | mediana)"
