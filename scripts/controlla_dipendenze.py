#!/usr/bin/env python3
"""Checks that no folder includes or links what ARCHITECTURE.md does not allow it.

    python3 scripts/controlla_dipendenze.py [SOURCE_FOLDER]

The table is the block marked `dipendenze` in ARCHITECTURE.md: each line "FOLDER: FOLDERS"
names the folders FOLDER's code may include besides its own ("*": any). Every quoted include
with a "/" in a .cc or .h file must lead into a folder of the table that the file's folder may
include (a *_test.cc may also include tests/), and every target that a CMake target links must
belong to such a folder. Each breach is printed as FILE:LINE: reason; the status is 1 if there
is one, 0 otherwise.
"""

import os
import re
import sys

INCLUSIONE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
DEFINIZIONE = re.compile(r'\badd_(?:library|executable)\(\s*([A-Za-z0-9_.+-]+)')
COLLEGAMENTO = re.compile(r'\btarget_link_libraries\(\s*([A-Za-z0-9_.+-]+)([^)]*)\)', re.S)
PAROLE_CMAKE = {"PUBLIC", "PRIVATE", "INTERFACE"}


def leggi_tabella(radice):
    """The table of ARCHITECTURE.md: {folder: set of folders it may include, or {"*"}}."""
    with open(os.path.join(radice, "ARCHITECTURE.md"), encoding="utf-8") as f:
        testo = f.read()
    blocco = re.search(r"^```dipendenze\n(.*?)^```", testo, re.S | re.M)
    if not blocco:
        raise SystemExit("ARCHITECTURE.md: no ```dipendenze block")
    tabella = {}
    for riga in blocco.group(1).splitlines():
        if not riga.strip():
            continue
        cartella, _, permesse = riga.partition(":")
        tabella[cartella.strip()] = set(permesse.split())
    return tabella


def cartella_di(percorso, tabella):
    """The longest folder of the table that `percorso` (relative, with "/") lies in."""
    migliore = None
    for cartella in tabella:
        if percorso.startswith(cartella + "/") and (migliore is None or len(cartella) > len(migliore)):
            migliore = cartella
    return migliore


def permessa(da, a, tabella):
    return da == a or "*" in tabella[da] or a in tabella[da]


def file_del_progetto(radice, estensioni):
    """Relative paths of the project's files, without build folders and hidden ones."""
    for cartella, sotto, nomi in os.walk(radice):
        sotto[:] = sorted(s for s in sotto if not s.startswith((".", "build")))
        for nome in sorted(nomi):
            if nome.endswith(estensioni):
                yield os.path.relpath(os.path.join(cartella, nome), radice).replace(os.sep, "/")


def controlla_inclusioni(radice, tabella):
    errori = []
    for percorso in file_del_progetto(radice, (".cc", ".h")):
        da = cartella_di(percorso, tabella)
        if da is None:
            continue
        with open(os.path.join(radice, percorso), encoding="utf-8", errors="replace") as f:
            for numero, riga in enumerate(f, 1):
                trovata = INCLUSIONE.match(riga)
                if not trovata or "/" not in trovata.group(1):
                    continue
                incluso = trovata.group(1)
                a = cartella_di(incluso, tabella)
                if a is None:
                    errori.append(f"{percorso}:{numero}: includes {incluso}, which is in no "
                                  "folder of ARCHITECTURE.md")
                elif a == "tests" and percorso.endswith("_test.cc"):
                    continue
                elif not permessa(da, a, tabella):
                    errori.append(f"{percorso}:{numero}: includes {incluso}: {da}/ may not "
                                  f"include {a}/ (ARCHITECTURE.md)")
    return errori


def testo_cmake(radice, percorso):
    with open(os.path.join(radice, percorso), encoding="utf-8") as f:
        return "".join(re.sub(r"#.*", "", riga) for riga in f)


def controlla_collegamenti(radice, tabella):
    liste = list(file_del_progetto(radice, ("CMakeLists.txt",)))
    bersagli = {}
    for percorso in liste:
        for nome in DEFINIZIONE.findall(testo_cmake(radice, percorso)):
            bersagli.setdefault(nome, cartella_di(percorso, tabella))
    errori = []
    for percorso in liste:
        testo = testo_cmake(radice, percorso)
        for trovato in COLLEGAMENTO.finditer(testo):
            chi, collegati = trovato.group(1), trovato.group(2).split()
            da = bersagli.get(chi)
            if da is None:
                continue
            numero = testo.count("\n", 0, trovato.start()) + 1
            for nome in collegati:
                a = bersagli.get(nome)
                if nome in PAROLE_CMAKE or a is None or permessa(da, a, tabella):
                    continue
                errori.append(f"{percorso}:{numero}: {chi} links {nome}: {da}/ may not use "
                              f"{a}/ (ARCHITECTURE.md)")
    return errori


def main():
    radice = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    tabella = leggi_tabella(radice)
    errori = controlla_inclusioni(radice, tabella) + controlla_collegamenti(radice, tabella)
    for e in errori:
        print(e)
    return 1 if errori else 0


if __name__ == "__main__":
    sys.exit(main())
