# The hardening of every program, in one place: position-independent executables with the
# usual flags of the platform. The programs read files that authors and drivers pass around,
# so a memory fault must not find the image at a known address or the stack unguarded.
#   ELF: PIE, -fstack-protector-strong, -fstack-clash-protection, _FORTIFY_SOURCE=2, full RELRO
#        (-z relro -z now) and a non-executable stack. Not -fcf-protection: the linker keeps
#        the IBT and SHSTK note only when every object has it, and Debian 12's C start files
#        (Scrt1.o, crti.o) and zlib do not.
#   PE:  ASLR (a relocatable image, 64-bit entropy) and DEP.
# hardening-check reports it on every installed program (cmake/prova_deb.cmake).
if(WIN32)
  add_link_options(-Wl,--dynamicbase,--nxcompat,--high-entropy-va)
  return()
endif()

include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
# The static libraries are then built -fPIC, as if for a shared library whose functions another
# library could replace at load time; GCC would then call rather than inline them. They only
# ever go into programs, where nothing replaces them (3% of a package run's instructions).
add_compile_options(-fno-semantic-interposition)

add_compile_options(-fstack-protector-strong -fstack-clash-protection -Wformat
                    -Werror=format-security)
add_link_options(-Wl,-z,relro -Wl,-z,now -Wl,-z,noexecstack)

# _FORTIFY_SOURCE checks need the optimiser (glibc warns without it, an error under
# -Werror), and the sanitizers leave it out: ASan intercepts memcpy and its kin but not all
# of their __*_chk forms, so fortified calls would escape its checks. A compiler that
# defines it already (some distributions' do) would warn of a redefinition.
if(NOT SANITIZZATORI AND NOT FUZZ)
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
