#!/usr/bin/env bash
# A long fuzzing campaign: builds the fuzzing configuration with clang in build-fuzz/, then
# runs each harness in turn at low priority, growing its corpus in
# build-fuzz/fuzz/corpus/NAME from the seeds in fuzz/semi/NAME. Findings (crashes, sanitizer
# reports, broken properties, timeouts) are kept in build-fuzz/fuzz/reperti/NAME.
#
#   bash fuzz/campagna.sh [SECONDS_PER_HARNESS [HARNESS...]]
#
# Default: 600 seconds for each of fuzz_linea, fuzz_treno, fuzz_entrambi, fuzz_file_binari,
# fuzz_dump_testo, fuzz_dump_json, fuzz_carico.
# The last lines are a table of runs and findings per harness, for fuzz/README.md.
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${1:-600}
shift || true
harness=("$@")
((${#harness[@]})) ||
  harness=(fuzz_linea fuzz_treno fuzz_entrambi fuzz_file_binari fuzz_dump_testo fuzz_dump_json
    fuzz_carico)
dir=${CARTELLA_FUZZ:-build-fuzz}

CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON \
  -DCON_TEST=OFF -DCON_FINESTRA=OFF >/dev/null
nice -n 19 cmake --build "$dir" -j 2 --target fuzzer

righe=()
totale_esecuzioni=0
totale_reperti=0
for h in "${harness[@]}"; do
  corpus=$dir/fuzz/corpus/$h
  reperti=$dir/fuzz/reperti/$h
  log=$dir/fuzz/campagna_$h.log
  mkdir -p "$corpus" "$reperti"
  dizionario=()
  [[ "$h" =~ ^fuzz_(file_binari|dump_|carico) ]] || dizionario=(-dict=fuzz/parole.dict)
  limite=30
  [[ "$h" =~ ^fuzz_dump_ ]] && limite=10
  prima=$(find "$reperti" -type f | wc -l)
  echo "== $h: $secondi s (log: $log)"
  inizio=$(date +%s)
  stato=0
  nice -n 19 "$dir/fuzz/$h" -max_total_time="$secondi" -timeout="$limite" -rss_limit_mb=2560 \
    "${dizionario[@]}" -artifact_prefix="$reperti/" -print_final_stats=1 \
    "$corpus" "fuzz/semi/$h" >"$log" 2>&1 || stato=$?
  durata=$(($(date +%s) - inizio))
  esecuzioni=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  esecuzioni=${esecuzioni:-0}
  nuovi=$(($(find "$reperti" -type f | wc -l) - prima))
  totale_esecuzioni=$((totale_esecuzioni + esecuzioni))
  totale_reperti=$((totale_reperti + nuovi))
  voci=$(find "$corpus" -type f | wc -l)
  righe+=("| $h | $durata s | $esecuzioni | $voci | $nuovi | $stato |")
  [ "$stato" = 0 ] || tail -n 40 "$log"
done

echo
echo "| harness | time | executions | corpus entries | findings | exit status |"
echo "|---|---|---|---|---|---|"
printf '%s\n' "${righe[@]}"
echo "| total | | $totale_esecuzioni | | $totale_reperti | |"
((totale_reperti == 0))
