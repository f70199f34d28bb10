# shellcheck shell=bash
# Helpers for the window tests, sourced by them: a private Xvfb server on a display number it
# picks itself, polling with a deadline, and cleanup of every process started, whatever the
# outcome. The caller sets `lavoro`, a folder of its own.

: "${lavoro:?}"
processi=()
chiudi_processi() {
  local p
  for p in "${processi[@]}"; do kill "$p" 2>/dev/null || true; done
  wait
}
trap chiudi_processi EXIT

# Runs "$@" every tenth of a second until it succeeds; fails after `secondi` seconds.
attendi() {
  local secondi=$1
  shift
  local fine=$((SECONDS + secondi))
  until "$@"; do
    ((SECONDS < fine)) || return 1
    sleep 0.1
  done
}

fallisci() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb and exports DISPLAY; -displayfd writes the number once the server accepts
# connections, so no number is guessed and parallel tests do not collide. Without -noreset
# the server resets when its last client leaves and refuses whoever connects meanwhile.
avvia_xvfb() {
  local numero=$lavoro/display
  rm -f "$numero"
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$numero" \
    >"$lavoro/xvfb.log" 2>&1 &
  processi+=($!)
  attendi 30 test -s "$numero" || { cat "$lavoro/xvfb.log" >&2; fallisci "Xvfb did not start"; }
  DISPLAY=:$(<"$numero")
  export DISPLAY
}
