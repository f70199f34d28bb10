#!/usr/bin/env bash
# The Windows programs under wine against the Linux ones built from the same sources:
# - the package writes the same six files byte for byte, ends with status 0 and leaves no
#   text source;
# - scenario-tool compile gives the same files, status line and exit status, on the shipped
#   sources and on a line description whose length sets code 1, and dump --json reads the
#   compiled files alike;
# - the Windows tool has no plot subcommand (cairo is Linux-only) and its --help says so; its
#   serve says it is not available there;
# - an author's route packaged by the Linux tool for Windows writes the same bytes as its Linux
#   package, and the Windows tool makes the same Windows package natively.
#
# Usage: confronta.sh LINUX_PACKAGE LINUX_TOOL WINDOWS_BUILD_DIR
# WINDOWS_BUILD_DIR is (re)built first with scripts/windows.sh. Exits 77 (skipped) unless
# CONFRONTO_WINE=1, and when wine or the mingw-w64 cross-compiler is missing:
# `bash scripts/setup.sh windows` installs both.
set -euo pipefail

salta=77
# Minutes long: a plain ctest skips it, `CONFRONTO_WINE=1 ctest -L wine` runs it.
if [ "${CONFRONTO_WINE:-0}" != 1 ]; then
  echo "confronto_windows: skipped (CONFRONTO_WINE=1 ctest -L wine -V runs it)"
  exit $salta
fi
radice=$(cd "$(dirname "$0")/../.." && pwd)
pacchetto_linux=$(realpath "$1")
strumento_linux=$(realpath "$2")
cartella_windows=$(realpath -m "$3")

primo_eseguibile() {
  local c
  for c in "$@"; do
    if command -v "$c" >/dev/null 2>&1; then
      command -v "$c"
      return
    fi
  done
}
wine=$(primo_eseguibile wine64 /usr/lib/wine/wine64 /usr/lib/x86_64-linux-gnu/wine/wine64)
wineserver=$(primo_eseguibile wineserver /usr/lib/wine/wineserver)
if [ -z "$wine" ] || [ -z "$wineserver" ]; then
  echo "SKIPPED: wine64 is not installed (bash scripts/setup.sh windows)"
  exit "$salta"
fi
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
  echo "SKIPPED: the mingw-w64 cross-compiler is not installed (bash scripts/setup.sh windows)"
  exit "$salta"
fi
if ! command -v Xvfb >/dev/null 2>&1; then
  echo "SKIPPED: Xvfb is not installed (bash scripts/setup.sh)"
  exit "$salta"
fi

lavoro=$(mktemp -d)
pid_xvfb=""
chiudi() {
  WINEPREFIX="$lavoro/prefisso" "$wineserver" -k >/dev/null 2>&1 || true
  [ -n "$pid_xvfb" ] && kill "$pid_xvfb" 2>/dev/null || true
  rm -rf "$lavoro"
}
trap chiudi EXIT

if ! SENZA_SETUP=1 bash "$radice/scripts/windows.sh" "$cartella_windows" >"$lavoro/build" 2>&1; then
  tail -n 40 "$lavoro/build"
  echo "FAILED: the Windows build in $cartella_windows"
  exit 1
fi

# A private display and wine prefix; creating the prefix is the slow part of the check.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$lavoro/display" 2>/dev/null &
pid_xvfb=$!
for _ in $(seq 100); do
  [ -s "$lavoro/display" ] && break
  sleep 0.1
done
export DISPLAY=":$(cat "$lavoro/display")"
export WINEPREFIX="$lavoro/prefisso" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
timeout 600 "$wine" wineboot -i >/dev/null 2>&1
"$wineserver" -w

falliti=0
passati=0
verifica() {
  local descrizione=$1
  shift
  if "$@"; then
    passati=$((passati + 1))
    echo "ok: $descrizione"
  else
    falliti=$((falliti + 1))
    echo "FAILED: $descrizione"
  fi
}

# Same names and same bytes in both folders, the programs themselves left out.
stesse_uscite() {
  local a=$1 b=$2
  diff <(cd "$a" && ls | grep -v -e '^ARONA_DOMODOSSOLA_324$' -e '\.exe$') \
    <(cd "$b" && ls | grep -v -e '^ARONA_DOMODOSSOLA_324$' -e '\.exe$') &&
    (cd "$a" && for f in *; do
      case "$f" in ARONA_DOMODOSSOLA_324 | *.exe) continue ;; esac
      cmp "$f" "$b/$f" || exit 1
    done)
}

conta_file() { (cd "$1" && ls | grep -c -v -e '^ARONA_DOMODOSSOLA_324$' -e '\.exe$'); }

senza_sorgenti() { ! ls "$1" | grep -q -e '_linea\.txt$' -e '-\.txt$'; }

# Runs a program in folder $1 and keeps its exit status in $1.stato, its standard output
# without carriage returns in $1.uscita.
esegui_in() {
  local cartella=$1
  shift
  local stato=0
  (cd "$cartella" && timeout 300 "$@") >"$cartella.uscita.grezza" 2>"$cartella.errori" || stato=$?
  tr -d '\r' <"$cartella.uscita.grezza" >"$cartella.uscita"
  echo "$stato" >"$cartella.stato"
}

stessi() { cmp "$1" "$2"; }
senza_plot() { ! grep -q '^ *plot ' "$1"; }
vale() { [ "$(cat "$1")" = "$2" ]; }

# The package in two empty folders.
mkdir "$lavoro/pacchetto_linux" "$lavoro/pacchetto_windows"
cp "$pacchetto_linux" "$lavoro/pacchetto_linux/"
cp "$cartella_windows/ARONA_DOMODOSSOLA_324.exe" "$lavoro/pacchetto_windows/"
# The Linux package runs headless: the display is wine's, and only the files are compared.
esegui_in "$lavoro/pacchetto_linux" env -u DISPLAY ./ARONA_DOMODOSSOLA_324
esegui_in "$lavoro/pacchetto_windows" "$wine" ARONA_DOMODOSSOLA_324.exe
verifica "Linux package ends with status 0" vale "$lavoro/pacchetto_linux.stato" 0
verifica "Windows package ends with status 0" vale "$lavoro/pacchetto_windows.stato" 0
verifica "Windows package writes six files" [ "$(conta_file "$lavoro/pacchetto_windows")" = 6 ]
verifica "Windows package leaves no text source" senza_sorgenti "$lavoro/pacchetto_windows"
verifica "package files equal byte for byte" \
  stesse_uscite "$lavoro/pacchetto_linux" "$lavoro/pacchetto_windows"

# scenario-tool compile over the same sources with both tools.
confronta_compile() {
  local nome=$1 sorgenti=$2
  local l="$lavoro/${nome}_linux" w="$lavoro/${nome}_windows"
  cp -r "$sorgenti" "$l"
  cp -r "$sorgenti" "$w"
  cp "$cartella_windows/scenario-tool.exe" "$w/"
  esegui_in "$l" "$strumento_linux" compile
  esegui_in "$w" "$wine" scenario-tool.exe compile
  verifica "$nome: same exit status ($(cat "$l.stato"))" stessi "$l.stato" "$w.stato"
  verifica "$nome: same status line ($(tail -n 1 "$l.uscita"))" stessi "$l.uscita" "$w.uscita"
  verifica "$nome: same files byte for byte" stesse_uscite "$l" "$w"
  local f
  for f in "$l" "$w"; do
    mv "$f.uscita" "$f.compile"
    mv "$f.stato" "$f.stato_compile"
  done
  esegui_in "$l" "$strumento_linux" dump --json
  esegui_in "$w" "$wine" scenario-tool.exe dump --json
  verifica "$nome: dump --json reads the same" stessi "$l.uscita" "$w.uscita"
  verifica "$nome: dump ends alike" stessi "$l.stato" "$w.stato"
}

mkdir "$lavoro/sorgenti"
"$strumento_linux" export --dir "$lavoro/sorgenti" >/dev/null
confronta_compile spediti "$lavoro/sorgenti"
verifica "spediti: no error recorded" grep -qx "codice_errore=0 posizione_errore=0" \
  "$lavoro/spediti_linux.compile"

cp -r "$lavoro/sorgenti" "$lavoro/sorgenti_errate"
sed -i 's/^lunghezza percorso,    57000\r$/lunghezza percorso,    1000001\r/' \
  "$lavoro/sorgenti_errate/ARONA_DOMODOSSOLA_linea.txt"
confronta_compile lunghezza_eccessiva "$lavoro/sorgenti_errate"
verifica "lunghezza_eccessiva: code 1 recorded" grep -q '^codice_errore=1 ' \
  "$lavoro/lunghezza_eccessiva_windows.compile"
verifica "lunghezza_eccessiva: exit status 1" vale \
  "$lavoro/lunghezza_eccessiva_windows.stato_compile" 1

# An author's route with one document, packaged for both systems by the Linux tool.
autore=$lavoro/autore
"$strumento_linux" new --dir "$autore" --route MIA_LINEA --train 42 >/dev/null
printf 'Note del treno 42\r\nvelocit\xe0 80 km/h, 0\xb0' >"$autore/MIA_LINEA_42_note.txt"
"$strumento_linux" package --dir "$autore" >/dev/null
"$strumento_linux" package --dir "$autore" --windows \
  --runtime "$cartella_windows/scenario-runtime.exe" >/dev/null
mkdir "$lavoro/autore_linux" "$lavoro/autore_windows"
cp "$autore/dist/MIA_LINEA_42" "$lavoro/autore_linux/"
cp "$autore/dist/MIA_LINEA_42.exe" "$lavoro/autore_windows/"
esegui_in "$lavoro/autore_linux" env -u DISPLAY ./MIA_LINEA_42
esegui_in "$lavoro/autore_windows" "$wine" MIA_LINEA_42.exe
rm "$lavoro/autore_linux/MIA_LINEA_42"
verifica "author's Linux package ends with status 0" vale "$lavoro/autore_linux.stato" 0
verifica "author's Windows package ends with status 0" vale "$lavoro/autore_windows.stato" 0
verifica "author's Windows package writes four files" \
  [ "$(conta_file "$lavoro/autore_windows")" = 4 ]
verifica "author's Windows package leaves no text source" senza_sorgenti "$lavoro/autore_windows"
verifica "author's packages write the same bytes" \
  stesse_uscite "$lavoro/autore_linux" "$lavoro/autore_windows"
verifica "author's document written as given" \
  cmp "$autore/MIA_LINEA_42_note.txt" "$lavoro/autore_windows/MIA_LINEA_42_note.txt"

# The Windows tool packages natively with the runtime beside it: the same program.
mkdir "$lavoro/autore_nativo"
cp "$autore/MIA_LINEA_linea.txt" "$autore/MIA_LINEA_42-.txt" "$autore/MIA_LINEA_42_note.txt" \
  "$lavoro/autore_nativo/"
esegui_in "$lavoro/autore_nativo" "$wine" "$cartella_windows/scenario-tool.exe" package
verifica "Windows tool's package ends with status 0" vale "$lavoro/autore_nativo.stato" 0
verifica "Windows tool makes the same Windows package" \
  cmp "$autore/dist/MIA_LINEA_42.exe" "$lavoro/autore_nativo/dist/MIA_LINEA_42.exe"

esegui_in "$lavoro/sorgenti" "$wine" "$cartella_windows/scenario-tool.exe" --help
verifica "Windows tool's help says plot is left out" grep -q "no plot" "$lavoro/sorgenti.uscita"
verifica "Windows tool has no plot subcommand" senza_plot "$lavoro/sorgenti.uscita"
esegui_in "$lavoro/sorgenti" "$wine" "$cartella_windows/scenario-tool.exe" serve
verifica "Windows tool's serve says it is not there" \
  grep -q "serve is not available in the Windows build" "$lavoro/sorgenti.errori"
verifica "Windows tool's serve ends with status 2" vale "$lavoro/sorgenti.stato" 2

echo "windows: $passati passed, $falliti failed"
[ "$falliti" = 0 ]
