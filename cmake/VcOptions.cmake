# Build options shared by every target of the project.

option(VC_BUILD_TESTS "Build the GoogleTest suites" ON)
option(VC_BUILD_BENCH "Build the benchmarks" OFF)
option(VC_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VC_WERROR "Treat warnings in our own code as errors" OFF)
option(VC_FUZZ "Build the libFuzzer targets (clang only)" OFF)

find_program(VC_CCACHE ccache)
if(VC_CCACHE)
    set(CMAKE_C_COMPILER_LAUNCHER ${VC_CCACHE})
    set(CMAKE_CXX_COMPILER_LAUNCHER ${VC_CCACHE})
endif()

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
    set(CMAKE_BUILD_TYPE Debug)
endif()

# Designated initializers leave the other members value-initialised on purpose.
add_compile_options(-Wall -Wextra -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    # GCC 12 reports overlapping memcpy inside std::string at -O3 where there is none.
    add_compile_options(-Wno-restrict)
endif()
if(VC_WERROR)
    add_compile_options(-Werror)
endif()

if(VC_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(VC_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "VC_FUZZ needs clang")
    endif()
    # Coverage for libFuzzer in every library the fuzz targets link.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()
