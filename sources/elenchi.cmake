# The files of the payload library and of the shipped texts, shared by this folder's build and
# by the build machine's own pacchetto-spedito of a cross-build (ospite/).
set(file_carico carico.cc nome_valido.cc)
set(file_sorgenti_scenario contenuti.cc scrittori.cc carico_spedito.cc)
