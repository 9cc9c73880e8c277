# Helpers for test, fuzz and benchmark targets.

find_package(GTest REQUIRED)
include(GoogleTest)

# vc_add_test(NAME <target> SOURCES ... [LIBS ...])
# One GoogleTest binary; its tests carry the label of the folder it lives in under tests/.
function(vc_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    target_compile_definitions(${ARG_NAME} PRIVATE
        VC_PROGRAM_DIR="${VC_PROGRAM_DIR}"
        VC_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        VC_TEST_BINARY_DIR="${CMAKE_CURRENT_BINARY_DIR}")
    set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    file(RELATIVE_PATH label ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
    gtest_discover_tests(${ARG_NAME}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS "${label}" ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# vc_add_fuzzer(NAME <target> SOURCES ... [LIBS ...] [SECONDS n] [SEED_COMMAND cmd ...])
# A libFuzzer target; CTest runs it for a short fixed time over a corpus in the build tree.
# A single allocation over 512 MB counts as a failure: hostile sizes must be refused before allocating.
# SEED_COMMAND, when given, runs first (as a fixture) with the corpus folder appended, to write seed files.
function(vc_add_fuzzer)
    cmake_parse_arguments(ARG "" "NAME;SECONDS" "SOURCES;LIBS;SEED_COMMAND" ${ARGN})
    if(NOT ARG_SECONDS)
        set(ARG_SECONDS 15)
    endif()
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
    target_link_options(${ARG_NAME} PRIVATE -fsanitize=fuzzer)
    set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    set(corpus ${CMAKE_BINARY_DIR}/fuzz/${ARG_NAME}.corpus)
    file(MAKE_DIRECTORY ${corpus})
    add_test(NAME ${ARG_NAME}
        COMMAND $<TARGET_FILE:${ARG_NAME}> -max_total_time=${ARG_SECONDS} -rss_limit_mb=2048 -malloc_limit_mb=512
                -timeout=10
                -print_final_stats=0 ${corpus})
    set_tests_properties(${ARG_NAME} PROPERTIES LABELS fuzz TIMEOUT 300)
    if(ARG_SEED_COMMAND)
        add_test(NAME ${ARG_NAME}_seeds COMMAND ${ARG_SEED_COMMAND} ${corpus})
        set_tests_properties(${ARG_NAME}_seeds PROPERTIES LABELS fuzz FIXTURES_SETUP ${ARG_NAME}_seeds)
        set_tests_properties(${ARG_NAME} PROPERTIES FIXTURES_REQUIRED ${ARG_NAME}_seeds)
    endif()
endfunction()
