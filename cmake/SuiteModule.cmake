# Settings that every module of the suite shares.

set(SUITE_BIN_DIR ${CMAKE_BINARY_DIR}/bin)

# The product version the suite's modules name in their version resources is the one the
# programs record as installed (product_version.h), so the two cannot differ. The file version
# is the build's own.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../common/settings/product_version.h SUITE_PRODUCT_VERSION_LINE
     REGEX "kProductVersion\\[\\] = \"[0-9.]+\";")
string(REGEX REPLACE ".*\"([0-9.]+)\".*" "\\1" SUITE_PRODUCT_VERSION "${SUITE_PRODUCT_VERSION_LINE}")
if(NOT SUITE_PRODUCT_VERSION MATCHES "^[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "No product version in common/settings/product_version.h")
endif()

# Our own code: warnings are errors; third-party code keeps its own flags.
function(suite_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror>)
endfunction()

# Parsing the Windows and standard headers, and compiling the inline code that every file
# instantiates again, are most of the compile time of a file. So every C++ target of the suite
# compiles with the precompiled Windows headers of cmake/precompiled, and in batches: up to
# SUITE_UNITY_BATCH files of a target in one translation unit (a batch shares one namespace:
# two files of a target cannot both define a file-local name; rename one, or share it).
# Targets with C files go without both (generated C code defines what the Windows headers read
# before it includes them). Switched off, the build shows a file that leans on another file of
# its batch, or on the precompiled header, instead of including what it uses.
option(SUITE_PRECOMPILED_HEADERS "Compile the suite with its precompiled header" ON)
option(SUITE_UNITY_BUILD "Compile the files of each target in batches" ON)
set(SUITE_UNITY_BATCH 8 CACHE STRING "Files compiled together in a batch")

function(suite_windows_defaults target)
    target_compile_definitions(${target} PRIVATE
        _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0700 NOMINMAX STRICT)
    # The runtime is shared by every module so that C++ exceptions cross DLL boundaries.
    target_link_options(${target} PRIVATE -shared-libgcc)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${SUITE_BIN_DIR}
        LIBRARY_OUTPUT_DIRECTORY ${SUITE_BIN_DIR}
        PREFIX "")
    get_target_property(sources ${target} SOURCES)
    list(FILTER sources INCLUDE REGEX "\\.c$")
    if(NOT sources AND NOT target STREQUAL suite_precompiled)
        if(SUITE_PRECOMPILED_HEADERS)
            set_property(TARGET ${target} PROPERTY PRECOMPILE_HEADERS_REUSE_FROM suite_precompiled)
        endif()
        set_target_properties(${target} PROPERTIES
            UNITY_BUILD ${SUITE_UNITY_BUILD} UNITY_BUILD_BATCH_SIZE ${SUITE_UNITY_BATCH})
        if(SUITE_UNITY_BUILD)
            # To the compiler, the files of a batch after its first are included files, so it
            # would take their file-local types for a header's.
            target_compile_options(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:-Wno-subobject-linkage>)
        endif()
    endif()
endfunction()

# Gives a module its version resource. FILE_TYPE: VFT_APP or VFT_DLL.
function(suite_version_resource target description file_name file_type)
    string(REPLACE "." "," SUITE_VERSION_COMMAS "${PROJECT_VERSION}.0")
    string(REPLACE "." "," SUITE_PRODUCT_VERSION_COMMAS "${SUITE_PRODUCT_VERSION}.0.0")
    set(SUITE_FILE_DESCRIPTION "${description}")
    set(SUITE_FILE_NAME "${file_name}")
    set(SUITE_FILE_TYPE "${file_type}")
    set(SUITE_TARGET_NAME "${target}")
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${out} @ONLY)
    target_sources(${target} PRIVATE ${out})
endfunction()

# A module of the suite: warnings, Windows defaults, output into bin/, version resource.
function(suite_module target description file_name file_type)
    suite_warnings(${target})
    suite_windows_defaults(${target})
    suite_version_resource(${target} "${description}" "${file_name}" "${file_type}")
endfunction()

# Exports a DLL's functions by their undecorated names through a generated .def file. Each
# export is given as name:argument-bytes, because on 32-bit Windows the stdcall symbols carry
# the decoration (name@bytes) while callers look the plain name up.
function(suite_exports_def target dll_name)
    set(def_text "LIBRARY ${dll_name}\nEXPORTS\n")
    foreach(export IN LISTS ARGN)
        string(REPLACE ":" ";" export_parts ${export})
        list(GET export_parts 0 export_name)
        list(GET export_parts 1 export_arg_bytes)
        if(CMAKE_SIZEOF_VOID_P EQUAL 4)
            string(APPEND def_text "    ${export_name} = ${export_name}@${export_arg_bytes} PRIVATE\n")
        else()
            string(APPEND def_text "    ${export_name} PRIVATE\n")
        endif()
    endforeach()
    set(def_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
    file(GENERATE OUTPUT ${def_file} CONTENT "${def_text}")
    target_sources(${target} PRIVATE ${def_file})
endfunction()
