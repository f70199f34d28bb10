#!/usr/bin/env bash
# The package writes the same bytes whether it shows its window or runs headless: it runs
# once on a private Xvfb display, once without DISPLAY, once with a display that cannot be
# opened and, where a private mount namespace is allowed, once with a display but an unusable
# libX11, as on a machine without the X11 libraries; each in a folder of its own, and the six
# outputs must be identical. The package itself must not need the X11 libraries to start.
# Usage: uscite_con_e_senza_display.sh PACCHETTO CARTELLA_DI_LAVORO
set -euo pipefail
pacchetto=$1
lavoro=$2
rm -rf "$lavoro"
mkdir -p "$lavoro"
# shellcheck source=xvfb_privato.sh
source "$(dirname "$0")/xvfb_privato.sh"
avvia_xvfb

uscite=(ARONA_DOMODOSSOLA_324_note.txt ARONA_DOMODOSSOLA_324_rallentamenti.txt
  ARONA_DOMODOSSOLA_324_scheda_treno.txt ARONA_DOMODOSSOLA_linea.dat
  ARONA_DOMODOSSOLA_324.sim ARONA_DOMODOSSOLA_324.dat)

esegui() {
  local cartella=$lavoro/$1
  shift
  mkdir "$cartella"
  cp "$pacchetto" "$cartella/"
  local stato=0
  timeout 120 "$@" "$cartella/$(basename "$pacchetto")" || stato=$?
  [ "$stato" = 0 ] || fallisci "status $stato ($*)"
  local attese
  attese=$(printf '%s\n' "$(basename "$pacchetto")" "${uscite[@]}" | sort)
  local trovati
  trovati=$(find "$cartella" -mindepth 1 -printf '%f\n' | sort)
  [ "$trovati" = "$attese" ] || fallisci "files ($*): $trovati"
}
if readelf -d "$pacchetto" | grep -E 'NEEDED.*lib(X|xcb|fontconfig|freetype)'; then
  fallisci "the package needs window libraries to start"
fi

esegui con_display env
esegui senza_display env -u DISPLAY
esegui display_assente env DISPLAY="$DISPLAY.7"
altre=(senza_display display_assente)
libx11=$(readlink -f "$(ldconfig -p | sed -n 's/.*libX11.so.6 (libc6,x86-64) => //p' | head -n 1)")
if unshare -m true 2>/dev/null && [ -f "$libx11" ]; then
  esegui senza_x11 unshare -m sh -c 'mount --bind /dev/null "$0" && exec "$@"' "$libx11"
  altre+=(senza_x11)
else
  echo "skipped: no private mount namespace to hide libX11 in"
fi
for altra in "${altre[@]}"; do
  for f in "${uscite[@]}"; do
    cmp "$lavoro/con_display/$f" "$lavoro/$altra/$f" || fallisci "$f differs ($altra)"
  done
done
echo "PASS"
