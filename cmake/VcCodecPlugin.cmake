# vc_add_codec_plugin(NAME <name> SOURCES ... [LIBS ...] [OUTPUT_DIRECTORY dir])
# A codec plug-in: a module "<name>.phl" (no lib prefix) whose only visible symbols are its exports.
# It links its own copies of the static libraries and binds its references to them, so nothing of the
# program that loads it is interposed. Written to the program folder's plugins unless told otherwise;
# those are installed with the program.
function(vc_add_codec_plugin)
    cmake_parse_arguments(ARG "" "NAME;OUTPUT_DIRECTORY" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_OUTPUT_DIRECTORY)
        set(ARG_OUTPUT_DIRECTORY ${VC_PROGRAM_DIR}/plugins)
    endif()
    add_library(${ARG_NAME} MODULE ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PRIVATE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS})
    set_target_properties(${ARG_NAME} PROPERTIES
        PREFIX ""
        SUFFIX ".phl"
        CXX_VISIBILITY_PRESET hidden
        C_VISIBILITY_PRESET hidden
        VISIBILITY_INLINES_HIDDEN ON
        LIBRARY_OUTPUT_DIRECTORY ${ARG_OUTPUT_DIRECTORY})
    target_link_options(${ARG_NAME} PRIVATE -Wl,--exclude-libs,ALL -Wl,-Bsymbolic -Wl,--as-needed)
    if(ARG_OUTPUT_DIRECTORY STREQUAL "${VC_PROGRAM_DIR}/plugins")
        install(TARGETS ${ARG_NAME} LIBRARY DESTINATION lib/vellumcraft/plugins)
    endif()
endfunction()
