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
             share/man/man1/scenario-tool.1 share/bash-completion/completions/scenario-tool
             share/doc/scenario_arona_domodossola/LICENSE
             share/doc/scenario_arona_domodossola/sorgenti.md)
  if(NOT EXISTS ${DEST}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
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
