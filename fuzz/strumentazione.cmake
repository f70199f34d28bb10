# Instrumentation of the fuzzing configuration (-DFUZZ=ON, clang only): every target is
# compiled with libFuzzer coverage, AddressSanitizer and UndefinedBehaviorSanitizer, so that
# the compiler library the harnesses link is watched as closely as the harnesses.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "FUZZ=ON needs clang: configure with CXX=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                    -fno-omit-frame-pointer)
add_link_options(-fsanitize=address,undefined -fno-sanitize-recover=all)
# clang's -Wconversion also warns on sign changes, which the project's GCC warning set leaves
# out; the fuzzing build keeps GCC's set.
add_compile_options(-Wno-sign-conversion)
# The bounded fuzzing runs are CTest tests of this configuration.
enable_testing()
