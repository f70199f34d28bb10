#!/usr/bin/env python3
"""The speed and memory budgets of the package and of scenario-tool, each measured as a ratio
side by side in one run, against the floor of doing the same thing without our code:

  package run / cp of its six outputs               at most 1.25 (wall, median of paired runs)
  scenario-tool compile 1000 km / cp of its files   at most 2.5  (CPU, median of paired runs)
  peak RSS of the 1000 km compile                   at most 8 MB, and within 2 MB of 10 km
  scenario-tool --version, compile start-up         at most 1.8 times /bin/true (wall)
  1000 km / 100 km compile                          at most 10.5 (instructions, callgrind)

Pairs alternate which side goes first, so that a drift in the machine's load falls on both.
Every child is started with posix_spawn and reaped with wait4, which gives its own CPU time;
peak memory comes from GNU time. Exits 1 when a budget is missed, 2 when something could not be measured.

  bench/soglie.py [BUILD_DIR] [--coppie N]     (defaults: build-bench, 200 pairs)
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

PACCHETTO = "ARONA_DOMODOSSOLA_324"


def esegui(argomenti, cartella):
    """Runs a program in `cartella` with no output; returns (wall s, CPU s, peak RSS KB)."""
    nulla = os.open(os.devnull, os.O_RDWR)
    azioni = [(os.POSIX_SPAWN_DUP2, nulla, 1), (os.POSIX_SPAWN_DUP2, nulla, 2)]
    precedente = os.getcwd()
    os.chdir(cartella)
    try:
        inizio = time.perf_counter()
        pid = os.posix_spawn(argomenti[0], argomenti, ambiente(), file_actions=azioni)
        _, stato, uso = os.wait4(pid, 0)
        durata = time.perf_counter() - inizio
    finally:
        os.chdir(precedente)
        os.close(nulla)
    if os.waitstatus_to_exitcode(stato) != 0:
        raise RuntimeError(f"{' '.join(argomenti)} ended with status {stato}")
    return durata, uso.ru_utime + uso.ru_stime, uso.ru_maxrss


def ambiente():
    # Without a display the package runs headless, as on a machine without one.
    return {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}


def copia(cartella_origine, nomi, cartella):
    return esegui([shutil.which("cp")] + [os.path.join(cartella_origine, n) for n in nomi]
                  + [cartella], cartella)


def mediana_rapporti(coppie, prepara, a, b, misura):
    """Median of a/b over `coppie` pairs, with the medians of each side."""
    valori_a, valori_b, rapporti = [], [], []
    for i in range(coppie):
        prepara()
        if i % 2 == 0:
            va, vb = misura(a()), misura(b())
        else:
            vb, va = misura(b()), misura(a())
        valori_a.append(va)
        valori_b.append(vb)
        rapporti.append(va / vb)
    return (statistics.median(rapporti), statistics.median(valori_a), statistics.median(valori_b),
            quantili(rapporti))


def quantili(v):
    q = statistics.quantiles(v, n=10)
    return q[0], q[-1]


class banco:
    def __init__(self, build, coppie):
        self.build = os.path.abspath(build)
        self.coppie = coppie
        self.lavoro = tempfile.mkdtemp(prefix="soglie_")
        self.mancate = []
        self.strumento = os.path.join(self.build, "scenario-tool")
        self.sintetico = os.path.join(self.build, "bench", "percorso_sintetico")
        for p in (self.strumento, self.sintetico, os.path.join(self.build, PACCHETTO)):
            if not os.access(p, os.X_OK):
                sys.exit(f"missing {p}: build {build} with -DCON_BENCHMARK=ON "
                         "-DCMAKE_BUILD_TYPE=Release")

    def cartella(self, nome):
        p = os.path.join(self.lavoro, nome)
        shutil.rmtree(p, ignore_errors=True)
        os.makedirs(p)
        return p

    def riporta(self, cosa, valore, soglia, dettagli):
        esito = "ok" if valore <= soglia else "MISSED"
        if valore > soglia:
            self.mancate.append(cosa)
        print(f"{esito:6} {cosa}: {valore:.3f} (budget {soglia}) {dettagli}", flush=True)

    def pacchetto_contro_copia(self):
        riferimento = self.cartella("riferimento")
        shutil.copy2(os.path.join(self.build, PACCHETTO), riferimento)
        esegui([os.path.join(riferimento, PACCHETTO)], riferimento)
        os.remove(os.path.join(riferimento, PACCHETTO))
        uscite = sorted(os.listdir(riferimento))
        if len(uscite) != 6:
            sys.exit(f"the package left {len(uscite)} files instead of 6")
        p, c = os.path.join(self.lavoro, "p"), os.path.join(self.lavoro, "c")

        def prepara():
            for d in (p, c):
                shutil.rmtree(d, ignore_errors=True)
                os.makedirs(d)
            shutil.copy2(os.path.join(self.build, PACCHETTO), p)

        r, mp, mc, (q1, q9) = mediana_rapporti(
            self.coppie, prepara, lambda: esegui([os.path.join(p, PACCHETTO)], p),
            lambda: copia(riferimento, uscite, c), lambda m: m[0])
        self.riporta("package run / copy of its six outputs (wall)", r, 1.25,
                     f"[package {mp * 1e3:.2f} ms, copy {mc * 1e3:.2f} ms, "
                     f"ratio deciles {q1:.3f} to {q9:.3f}, {self.coppie} pairs]")

    def sorgenti(self, metri):
        d = self.cartella(f"sintetica_{metri}")
        esegui([self.sintetico, "genera", str(metri), d], d)
        return d

    def compila(self, d):
        return esegui([self.strumento, "compile", "--dir", d], d)

    def compile_contro_copia(self):
        d = self.sorgenti(1_000_000)
        self.compila(d)
        compilati = ["SINTETICA_linea.dat", "SINTETICA_1.sim", "SINTETICA_1.dat"]
        c = self.cartella("copia_compilati")
        coppie = max(20, self.coppie // 4)

        def prepara():
            for n in compilati:
                os.remove(os.path.join(d, n))
            shutil.rmtree(c)
            os.makedirs(c)

        riferimento = self.cartella("compilati_1000")
        for n in compilati:
            shutil.copy2(os.path.join(d, n), riferimento)
        r, mp, mc, (q1, q9) = mediana_rapporti(coppie, prepara, lambda: self.compila(d),
                                               lambda: copia(riferimento, compilati, c),
                                               lambda m: m[1])
        self.riporta("scenario-tool compile 1000 km / copy of its three files (CPU)", r, 2.5,
                     f"[compile {mp * 1e3:.2f} ms, copy {mc * 1e3:.2f} ms CPU, "
                     f"ratio deciles {q1:.3f} to {q9:.3f}, {coppie} pairs]")

    def picco(self, d):
        # Through GNU time: a child spawned from here would report this script's own peak,
        # which exec carries over into the child's figure.
        rapporto = os.path.join(self.lavoro, "picco")
        esegui(["/usr/bin/time", "-f", "%M", "-o", rapporto, self.strumento, "compile", "--dir",
                d], d)
        with open(rapporto) as f:
            return int(f.read().split()[-1])

    def memoria(self):
        picchi = {}
        for metri in (10_000, 1_000_000):
            d = self.sorgenti(metri)
            picchi[metri] = max(self.picco(d) for _ in range(5))
        self.riporta("peak RSS of the 1000 km compile (MB)", picchi[1_000_000] / 1024, 8,
                     f"[{picchi[1_000_000]} KB]")
        scarto = (picchi[1_000_000] - picchi[10_000]) / 1024
        self.riporta("peak RSS 1000 km less 10 km (MB)", scarto, 2,
                     f"[{picchi[1_000_000]} KB against {picchi[10_000]} KB]")

    def avvio(self):
        vuota = self.cartella("avvio")
        vero = shutil.which("true")
        for cosa, argomenti in (("--version", [self.strumento, "--version"]),
                                ("compile start-up", [self.strumento, "compile", "--help"])):
            r, ms, mv, (q1, q9) = mediana_rapporti(
                self.coppie, lambda: None, lambda: esegui(argomenti, vuota),
                lambda: esegui([vero], vuota), lambda m: m[0])
            self.riporta(f"scenario-tool {cosa} / /bin/true (wall)", r, 1.8,
                         f"[{ms * 1e3:.3f} ms against {mv * 1e3:.3f} ms, "
                         f"ratio deciles {q1:.3f} to {q9:.3f}, {self.coppie} pairs]")

    def istruzioni(self, d):
        # valgrind reports "Collected : N" for the whole process.
        r = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                            self.strumento, "compile", "--dir", d],
                           capture_output=True, text=True, check=True)
        return int(re.search(r"Collected : (\d+)", r.stderr).group(1))

    def linearita(self):
        conti = {m: self.istruzioni(self.sorgenti(m)) for m in (100_000, 1_000_000)}
        self.riporta("compile 1000 km / 100 km (instructions)",
                     conti[1_000_000] / conti[100_000], 10.5,
                     f"[{conti[1_000_000]:,} against {conti[100_000]:,}]")


def main():
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("build", nargs="?", default="build-bench")
    a.add_argument("--coppie", type=int, default=200, help="pairs of runs (default 200)")
    o = a.parse_args()
    b = banco(o.build, o.coppie)
    try:
        b.pacchetto_contro_copia()
        b.compile_contro_copia()
        b.memoria()
        b.avvio()
        b.linearita()
    except (RuntimeError, subprocess.CalledProcessError, OSError) as e:
        print(f"cannot measure: {e}", file=sys.stderr)
        return 2
    finally:
        shutil.rmtree(b.lavoro, ignore_errors=True)
    if b.mancate:
        print(f"{len(b.mancate)} budget(s) missed", file=sys.stderr)
        return 1
    print("every budget met")
    return 0


if __name__ == "__main__":
    sys.exit(main())
