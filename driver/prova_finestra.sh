#!/usr/bin/env bash
# The window test, on a private Xvfb display. The progress window of a real run must be
# 280 x 179 with the route and train as its title and the label painted inside the label's
# place; the message box must end the program with status 3 once OK is pressed, with nothing
# written; without a usable display the same program reports the error on standard error.
# Usage: prova_finestra.sh PROVA_FINESTRA CARTELLA_DI_LAVORO
set -euo pipefail
prova=$1
lavoro=$2
titolo='ARONA_DOMODOSSOLA - treno 324'
rm -rf "$lavoro"
mkdir -p "$lavoro/avanzamento" "$lavoro/errore"
# shellcheck source=xvfb_privato.sh
source "$(dirname "$0")/xvfb_privato.sh"
avvia_xvfb

finestre_visibili() { xdotool search --onlyvisible --class FLTK 2>/dev/null || true; }
nessuna_finestra() { [ -z "$(finestre_visibili)" ]; }
finestra_avanzamento() { xdotool search --onlyvisible --name "^$titolo\$" 2>/dev/null | head -1; }

# The progress window, left on screen after the run as the run leaves it: painted once.
timeout 120 "$prova" avanzamento "$lavoro/avanzamento" 90 >"$lavoro/avanzamento.out" &
processi+=($!)
attendi 60 grep -qs '^pronta' "$lavoro/avanzamento.out" || fallisci "the run did not finish"
grep -qx 'pronta 0' "$lavoro/avanzamento.out" || fallisci "run status: $(<"$lavoro/avanzamento.out")"
finestra=$(finestra_avanzamento)
[ -n "$finestra" ] || fallisci "no window titled '$titolo'"
eval "$(xdotool getwindowgeometry --shell "$finestra")"
[ "${WIDTH}x${HEIGHT}" = 280x179 ] || fallisci "window size ${WIDTH}x${HEIGHT}"
import -window root "$lavoro/schermo.png"
convert "$lavoro/schermo.png" -crop "280x179+$X+$Y" +repage "$lavoro/finestra_attendere.png"
# What differs from the background is the label's text: it must start inside the label's
# place (64, 64, 177 x 53), stay within its height and the window, be large and dark.
read -r larghezza altezza sinistra alto scuro < <(convert "$lavoro/finestra_attendere.png" \
  -format '%[fx:int(w)] %[fx:int(h)] %[fx:page.x] %[fx:page.y] %[fx:minima]\n' -trim info:)
echo "label text: ${larghezza}x${altezza} at $sinistra,$alto, darkest $scuro"
((sinistra >= 64 && sinistra < 64 + 177 && alto >= 64 && alto + altezza <= 64 + 53)) ||
  fallisci "text not in the label's place"
((sinistra + larghezza <= 280 && larghezza >= 100 && altezza >= 16)) || fallisci "text size"
awk -v s="$scuro" 'BEGIN { exit !(s < 0.2) }' || fallisci "text not dark: $scuro"
kill "${processi[-1]}"
attendi 30 nessuna_finestra || fallisci "the window stayed after the program ended"

# The message box: OK ends the program with status 3 and nothing is written.
(cd "$lavoro/errore" && timeout 120 "$prova" errore 1250 && echo 0 || echo $?) \
  >"$lavoro/errore.stato" &
processi+=($!)
messaggio() {
  local avanzamento
  avanzamento=$(finestra_avanzamento)
  [ -n "$avanzamento" ] && finestre_visibili | grep -vx "$avanzamento" | head -1 | grep .
}
attendi 60 messaggio >/dev/null || fallisci "no message box"
timeout 30 xdotool windowfocus --sync "$(messaggio)"
xdotool key Return
attendi 60 test -s "$lavoro/errore.stato" || fallisci "the program did not end after OK"
[ "$(<"$lavoro/errore.stato")" = 3 ] || fallisci "status $(<"$lavoro/errore.stato") after OK"
[ -z "$(ls -A "$lavoro/errore")" ] || fallisci "files written: $(ls -A "$lavoro/errore")"
attendi 30 nessuna_finestra || fallisci "windows stayed after the program ended"

# No display, or one that cannot be opened: headless, the text on standard error, status 3.
errore_senza_finestra() {
  local stato=0
  (cd "$lavoro/errore" && timeout 60 "$@" "$prova" errore 1251) 2>"$lavoro/errore.err" || stato=$?
  [ "$stato" = 3 ] || fallisci "headless status $stato ($*)"
  [ "$(<"$lavoro/errore.err")" = " Errore n. 1251" ] || fallisci "headless text ($*)"
}
errore_senza_finestra env -u DISPLAY
errore_senza_finestra env DISPLAY="$DISPLAY.7"
echo "PASS"
