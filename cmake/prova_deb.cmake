# Test: the .deb that `cpack -G DEB` builds from the build folder BUILD (into DEST) passes
# lintian with no error and no warning; every program in it is hardened as
# cmake/indurimento.cmake asks, by hardening-check and readelf; and its package, stripped by
# cpack, still finds its payload and writes the same bytes as the build's package.
# Run with cmake -DBUILD=... -DDEST=... -DCPACK=... -P prova_deb.cmake
find_program(lintian lintian REQUIRED)
find_program(hardening_check hardening-check REQUIRED)
find_program(readelf readelf REQUIRED)
find_program(dpkg_deb dpkg-deb REQUIRED)

# Runs a command; stops the test with its output unless it ends with status 0.
function(esegui cosa)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE esito OUTPUT_VARIABLE uscita
                  ERROR_VARIABLE uscita)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "${cosa}: status ${esito}\n${uscita}")
  endif()
  set(uscita "${uscita}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${DEST})
esegui("cpack" ${CPACK} -G DEB --config ${BUILD}/CPackConfig.cmake -B ${DEST})
file(GLOB deb ${DEST}/*.deb)
list(LENGTH deb quanti)
if(NOT quanti EQUAL 1)
  message(FATAL_ERROR "cpack made ${quanti} .deb files: ${deb}")
endif()

# No configuration file and no override may hide a tag.
esegui("lintian" ${lintian} --no-cfg --no-override --fail-on error,warning ${deb})
if(uscita MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian:\n${uscita}")
endif()

set(contenuto ${DEST}/contenuto)
esegui("dpkg-deb -x" ${dpkg_deb} -x ${deb} ${contenuto})
set(pacchetto usr/libexec/scenario-tool/ARONA_DOMODOSSOLA_324)
# hardening-check's own verdicts. Fortify reads "yes" when every fortifiable call it finds is
# fortified, and "yes (some protected functions found)" when unchecked ones remain beside them
# (sizes the compiler proved, the static C++ runtime's own calls); "unknown" (no fortifiable
# call at all) or "no" fail.
# Stack clash protection reads "unknown" where no frame needs probing, which is no failure.
# Control flow integrity cannot be had on Debian 12 (cmake/indurimento.cmake) and is skipped.
set(attese "Position Independent Executable: yes" "Stack protected: yes"
           "Fortify Source functions: yes( \\(some protected functions found\\))?"
           "Read-only relocations: yes" "Immediate binding: yes")
foreach(programma usr/bin/scenario-tool usr/lib/scenario-tool/scenario-runtime
                  usr/lib/scenario-tool/scenario-tool-plot ${pacchetto})
  esegui("hardening-check ${programma}" ${hardening_check} --nocfprotection
         ${contenuto}/${programma})
  foreach(riga IN LISTS attese)
    if(NOT uscita MATCHES "\n ${riga}\n")
      message(FATAL_ERROR "hardening-check ${programma}: no \"${riga}\"\n${uscita}")
    endif()
  endforeach()
  # NX: the stack segment is readable and writable, never executable.
  esegui("readelf ${programma}" ${readelf} -lW ${contenuto}/${programma})
  if(NOT uscita MATCHES "\n +GNU_STACK( +0x[0-9a-f]+)+ RW +0x[0-9a-f]+\n")
    message(FATAL_ERROR "${programma}: the stack is not RW only\n${uscita}")
  endif()
endforeach()

# The installed package and the build's, each run in a fresh folder without a display, write
# the same six files.
foreach(quale installato build)
  file(MAKE_DIRECTORY ${DEST}/corsa_${quale})
endforeach()
file(COPY ${contenuto}/${pacchetto} DESTINATION ${DEST}/corsa_installato)
file(COPY ${BUILD}/ARONA_DOMODOSSOLA_324 DESTINATION ${DEST}/corsa_build)
foreach(quale installato build)
  set(cartella ${DEST}/corsa_${quale})
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY ${cartella}/ARONA_DOMODOSSOLA_324
                  WORKING_DIRECTORY ${cartella} RESULT_VARIABLE esito)
  if(NOT esito EQUAL 0)
    message(FATAL_ERROR "the ${quale} package ended with status ${esito}")
  endif()
  file(REMOVE ${cartella}/ARONA_DOMODOSSOLA_324)
  file(GLOB uscite_${quale} RELATIVE ${cartella} ${cartella}/*)
endforeach()
list(LENGTH uscite_build quante)
if(NOT quante EQUAL 6 OR NOT uscite_installato STREQUAL uscite_build)
  message(FATAL_ERROR "outputs: installed ${uscite_installato}, build ${uscite_build}")
endif()
foreach(nome IN LISTS uscite_build)
  file(SHA256 ${DEST}/corsa_build/${nome} atteso)
  file(SHA256 ${DEST}/corsa_installato/${nome} ottenuto)
  if(NOT ottenuto STREQUAL atteso)
    message(FATAL_ERROR "the installed package wrote other bytes in ${nome}")
  endif()
endforeach()
file(REMOVE_RECURSE ${DEST})
