#!/usr/bin/env bash
# Installs what building, running and testing the package needs on Debian 12.
# Safe to run again: apt-get skips what is already there.
# serve's browser test needs node and npm (Debian's, when none is installed), headless Chromium
# from Debian and puppeteer-core, which npm installs into tests/browser/ from its lock file
# (puppeteer-core downloads no browser).
# Optional groups: "fuzz" (clang runtimes), "windows" (mingw-w64 cross-compiler and its zlib,
# wine and the fonts wine maps the Windows dialog fonts to).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libfltk1.3-dev libx11-dev libxft-dev libxinerama-dev libxcursor-dev libxrender-dev libxfixes-dev libfontconfig-dev
  libcli11-dev nlohmann-json3-dev libcairo2-dev zlib1g-dev libmicrohttpd-dev
  chromium-headless-shell
  xvfb xauth xdotool imagemagick fonts-dejavu-core
  clang libclang-rt-14-dev llvm clang-format
  valgrind hyperfine python3 time
  neovim nodejs
  file lintian devscripts
)
for group in "$@"; do
  case "$group" in
    windows) packages+=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64 fonts-wine) ;;
    *) ;;
  esac
done

command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The test of the sources' colouring runs the engine VS Code colours with, from npm
# (editors/package.json).
npm ci --prefix "$(dirname "$0")/../editors" --no-audit --no-fund --loglevel=error

# serve's browser test drives Chromium with puppeteer-core (tests/browser/package.json),
# installed again only when its lock file is newer than what npm last installed.
browser="$(cd "$(dirname "$0")/.." && pwd)/tests/browser"
if [ ! -e "$browser/node_modules/.package-lock.json" ] ||
  [ "$browser/package-lock.json" -nt "$browser/node_modules/.package-lock.json" ]; then
  (cd "$browser" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund >/dev/null)
fi
