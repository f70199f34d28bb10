# Test: `cmake --install` of the build folder BUILD into DEST puts every installed file in
# place. Run with cmake -DBUILD=... -DDEST=... -P prova_installazione.cmake
file(REMOVE_RECURSE ${DEST})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${DEST}
                RESULT_VARIABLE esito OUTPUT_QUIET)
if(NOT esito EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${esito}")
endif()
foreach(file bin/scenario-tool libexec/scenario-tool/ARONA_DOMODOSSOLA_324
             lib/scenario-tool/scenario-tool-plot lib/scenario-tool/scenario-tool-serve
             lib/scenario-tool/scenario-runtime
             share/man/man1/scenario-tool.1.gz share/bash-completion/completions/scenario-tool
             share/doc/scenario-tool/README.md share/doc/scenario-tool/LICENSE
             share/doc/scenario-tool/copyright share/doc/scenario-tool/docs/sorgenti.md
             share/doc/scenario-tool/changelog.gz)
  if(NOT EXISTS ${DEST}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
# The man page is gzip data, and no document is installed under the project's old name.
file(READ ${DEST}/share/man/man1/scenario-tool.1.gz testa LIMIT 2 HEX)
if(NOT testa STREQUAL "1f8b")
  message(FATAL_ERROR "share/man/man1/scenario-tool.1.gz is not gzipped")
endif()
if(EXISTS ${DEST}/share/doc/scenario_arona_domodossola)
  message(FATAL_ERROR "documents installed under share/doc/scenario_arona_domodossola")
endif()
# Every relative link of the installed documents leads to an installed file.
file(GLOB_RECURSE documenti ${DEST}/share/doc/scenario-tool/*.md)
foreach(documento ${documenti})
  file(READ ${documento} testo)
  get_filename_component(cartella ${documento} DIRECTORY)
  # A square bracket in a list's item keeps its semicolons from separating the items: each
  # link's "](" becomes "@(" and the other brackets go.
  string(REPLACE "](" "@(" testo "${testo}")
  string(REPLACE "[" "" testo "${testo}")
  string(REPLACE "]" "" testo "${testo}")
  string(REGEX MATCHALL "@\\([^)]+\\)" collegamenti "${testo}")
  foreach(collegamento ${collegamenti})
    string(REGEX REPLACE "^@\\(([^)#]*).*\\)$" "\\1" bersaglio "${collegamento}")
    if(bersaglio MATCHES "^[a-z]+:" OR bersaglio STREQUAL "")
      continue()
    endif()
    if(NOT EXISTS ${cartella}/${bersaglio})
      message(FATAL_ERROR "${documento}: the link to ${bersaglio} leads nowhere once installed")
    endif()
  endforeach()
endforeach()
execute_process(COMMAND ${DEST}/bin/scenario-tool --version OUTPUT_VARIABLE versione
                RESULT_VARIABLE esito)
if(NOT esito EQUAL 0 OR NOT versione MATCHES "^scenario-tool [0-9]+\\.[0-9]+\\.[0-9]+\n$")
  message(FATAL_ERROR "installed scenario-tool --version: ${esito} ${versione}")
endif()
# The package, joined again at install time, still finds its payload.
execute_process(COMMAND ${DEST}/libexec/scenario-tool/ARONA_DOMODOSSOLA_324 --version
                OUTPUT_VARIABLE versione RESULT_VARIABLE esito)
if(NOT esito EQUAL 0 OR NOT versione MATCHES "^ARONA_DOMODOSSOLA_324 [0-9]+\\.[0-9]+\\.[0-9]+\n$")
  message(FATAL_ERROR "installed ARONA_DOMODOSSOLA_324 --version: ${esito} ${versione}")
endif()
file(REMOVE_RECURSE ${DEST})
