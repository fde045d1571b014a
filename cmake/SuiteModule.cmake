# Settings that every module of the suite shares.

set(SUITE_BIN_DIR ${CMAKE_BINARY_DIR}/bin)

# Our own code: warnings are errors; third-party code keeps its own flags.
function(suite_warnings target)
    target_compile_options(${target} PRIVATE
        $<$<COMPILE_LANGUAGE:C,CXX>:-Wall -Wextra -Werror>)
endfunction()

function(suite_windows_defaults target)
    target_compile_definitions(${target} PRIVATE
        _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0700 NOMINMAX STRICT)
    # The runtime is shared by every module so that C++ exceptions cross DLL boundaries.
    target_link_options(${target} PRIVATE -shared-libgcc)
    set_target_properties(${target} PROPERTIES
        RUNTIME_OUTPUT_DIRECTORY ${SUITE_BIN_DIR}
        LIBRARY_OUTPUT_DIRECTORY ${SUITE_BIN_DIR}
        PREFIX "")
endfunction()

# Gives a module its version resource. FILE_TYPE: VFT_APP or VFT_DLL.
function(suite_version_resource target description file_name file_type)
    string(REPLACE "." "," SUITE_VERSION_COMMAS "${PROJECT_VERSION}.0")
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
