# Language modules: Qt binary resource files packed by langpack (lang/langpack) and rcc.

# vc_language_module(TARGET <name> OUTPUT <file> [STRINGS <file>] [DIALOGS <folder>] [MENUS <folder>]
#                    [TOOLBARS <folder>] [ACCELERATORS <folder>]
#                    [ART <folder> REQUIRED <file>] [DEPENDS <files or targets> ...])
# Packs the string table, the dialog, menu, tool bar and accelerator templates of their folders (a menu,
# tool bar or accelerator folder that does not exist yet packs none) and the pictures that <folder>/bitmaps.txt
# lists into one module; every name of the REQUIRED list must be among those pictures. The target is
# built by default.
function(vc_language_module)
    cmake_parse_arguments(ARG "" "TARGET;OUTPUT;STRINGS;DIALOGS;MENUS;TOOLBARS;ACCELERATORS;ART;REQUIRED" "DEPENDS" ${ARGN})
    set(stage ${CMAKE_CURRENT_BINARY_DIR}/${ARG_TARGET}.stage)
    set(arguments)
    set(inputs ${ARG_DEPENDS})
    if(ARG_STRINGS)
        list(APPEND arguments --strings ${ARG_STRINGS})
        list(APPEND inputs ${ARG_STRINGS})
    endif()
    if(ARG_DIALOGS)
        file(GLOB dialogs CONFIGURE_DEPENDS ${ARG_DIALOGS}/*.json)
        list(APPEND arguments --dialogs ${ARG_DIALOGS})
        list(APPEND inputs ${dialogs})
    endif()
    if(ARG_MENUS AND EXISTS ${ARG_MENUS})
        file(GLOB menus CONFIGURE_DEPENDS ${ARG_MENUS}/*.json)
        list(APPEND arguments --menus ${ARG_MENUS})
        list(APPEND inputs ${menus})
    endif()
    if(ARG_TOOLBARS AND EXISTS ${ARG_TOOLBARS})
        file(GLOB toolbars CONFIGURE_DEPENDS ${ARG_TOOLBARS}/*.json)
        list(APPEND arguments --toolbars ${ARG_TOOLBARS})
        list(APPEND inputs ${toolbars})
    endif()
    if(ARG_ACCELERATORS AND EXISTS ${ARG_ACCELERATORS})
        file(GLOB accelerators CONFIGURE_DEPENDS ${ARG_ACCELERATORS}/*.json)
        list(APPEND arguments --accelerators ${ARG_ACCELERATORS})
        list(APPEND inputs ${accelerators})
    endif()
    if(ARG_ART)
        list(APPEND arguments --art ${ARG_ART} --required ${ARG_REQUIRED})
        list(APPEND inputs ${ARG_REQUIRED})
    endif()
    add_custom_command(
        OUTPUT ${ARG_OUTPUT}
        COMMAND ${CMAKE_COMMAND} -E env LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan.supp
                $<TARGET_FILE:langpack> module --out ${stage} ${arguments}
        COMMAND Qt6::rcc --binary --compress-algo zlib ${stage}/module.qrc -o ${ARG_OUTPUT}.part
        COMMAND ${CMAKE_COMMAND} -E rename ${ARG_OUTPUT}.part ${ARG_OUTPUT}
        DEPENDS langpack ${inputs}
        COMMENT "Packing the language module ${ARG_OUTPUT}"
        VERBATIM)
    add_custom_target(${ARG_TARGET} ALL DEPENDS ${ARG_OUTPUT})
endfunction()

# vc_language_picture(TARGET <name> OUTPUT <file> FROM <bmp> PLACEHOLDER <width>x<height>
#                     [DEPENDS <files or targets> ...])
# Copies a picture of the skin generator; while it draws none, a plain picture of that size stands in.
function(vc_language_picture)
    cmake_parse_arguments(ARG "" "TARGET;OUTPUT;FROM;PLACEHOLDER" "DEPENDS" ${ARGN})
    add_custom_command(
        OUTPUT ${ARG_OUTPUT}
        COMMAND ${CMAKE_COMMAND} -E env LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/scripts/lsan.supp
                $<TARGET_FILE:langpack> picture --out ${ARG_OUTPUT} --from ${ARG_FROM}
                --placeholder ${ARG_PLACEHOLDER}
        DEPENDS langpack ${ARG_DEPENDS}
        COMMENT "Copying the picture ${ARG_OUTPUT}"
        VERBATIM)
    add_custom_target(${ARG_TARGET} ALL DEPENDS ${ARG_OUTPUT})
endfunction()
