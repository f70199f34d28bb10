#!/usr/bin/env python3
"""The include and link check on a small tree of its own: each case adds one file to a tree
that is clean, and the check must give exactly the breaches named (none for an allowed one)."""

import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import controlla_dipendenze as cd  # noqa: E402

ARCHITETTURA = """# Prova

```dipendenze
basso:
alto:       basso
alto/sotto: alto basso
tests:      *
```
"""

# (what, file, content, the breaches expected)
CASI = [
    ("own folder", "basso/b.h", '#include "basso/a.h"\n', []),
    ("allowed folder", "alto/b.cc", '#include "basso/a.h"\n', []),
    ("no folder: generated", "alto/c.cc", '#include "versione.h"\n', []),
    ("upward", "basso/c.cc", '#include "alto/a.h"\n',
     ["basso/c.cc:1: includes alto/a.h: basso/ may not include alto/ (ARCHITECTURE.md)"]),
    ("the longest folder is the file's", "alto/sotto/x.cc", '#include "alto/a.h"\n', []),
    ("into a sub-folder not allowed", "alto/d.cc", '\n#include "alto/sotto/x.h"\n',
     ["alto/d.cc:2: includes alto/sotto/x.h: alto/ may not include alto/sotto/ (ARCHITECTURE.md)"]),
    ("undeclared folder", "basso/d.h", '#  include "altrove/x.h"\n',
     ["basso/d.h:1: includes altrove/x.h, which is in no folder of ARCHITECTURE.md"]),
    ("tests from a test file", "basso/a_test.cc", '#include "tests/aiuti.h"\n', []),
    ("tests from code", "basso/e.cc", '#include "tests/aiuti.h"\n',
     ["basso/e.cc:1: includes tests/aiuti.h: basso/ may not include tests/ (ARCHITECTURE.md)"]),
    ("tests may include anything", "tests/t.cc", '#include "alto/sotto/x.h"\n', []),
    ("allowed link", "alto/CMakeLists.txt",
     "add_library(lib_alto a.cc)\ntarget_link_libraries(lib_alto PUBLIC lib_basso Esterna::x)\n",
     []),
    ("link upward", "basso/CMakeLists.txt",
     "add_library(lib_basso a.cc)\n# a comment: target_link_libraries(lib_basso lib_alto)\n"
     "target_link_libraries(lib_basso\n  PRIVATE lib_alto)\n",
     ["basso/CMakeLists.txt:3: lib_basso links lib_alto: basso/ may not use alto/ "
      "(ARCHITECTURE.md)"]),
]


class ControllaDipendenze(unittest.TestCase):
    def test_casi(self):
        for cosa, nome, contenuto, attesi in CASI:
            with self.subTest(cosa), tempfile.TemporaryDirectory() as radice:
                scrivi(radice, "ARCHITECTURE.md", ARCHITETTURA)
                scrivi(radice, "basso/CMakeLists.txt", "add_library(lib_basso a.cc)\n")
                scrivi(radice, "alto/CMakeLists.txt", "add_library(lib_alto a.cc)\n")
                scrivi(radice, nome, contenuto)
                tabella = cd.leggi_tabella(radice)
                trovati = (cd.controlla_inclusioni(radice, tabella) +
                           cd.controlla_collegamenti(radice, tabella))
                self.assertEqual(trovati, attesi)


def scrivi(radice, nome, contenuto):
    percorso = os.path.join(radice, nome)
    os.makedirs(os.path.dirname(percorso), exist_ok=True)
    with open(percorso, "w", encoding="utf-8") as f:
        f.write(contenuto)


if __name__ == "__main__":
    unittest.main()
