# Backends stand side by side: a backend folder (NAME/ holding
# NAME_backend.h) includes its own headers and the shared folders', never
# another backend's. The shared folders include no backend's either, except
# in a file that is one backend's implementation of a shared header
# (files/regular_file_reader_win32.cpp). Runs at configure time and, in
# script mode (cmake -DQRV_SOURCE_DIR=... -P), as a test.
cmake_policy(SET CMP0057 NEW)  # if(IN_LIST), also in script mode
function(qrv_check_backend_includes source_dir)
    set(platform_dir "${source_dir}/src/platform")
    file(GLOB backend_headers "${platform_dir}/*/*_backend.h")
    set(backends "")
    foreach(header IN LISTS backend_headers)
        get_filename_component(dir "${header}" DIRECTORY)
        get_filename_component(name "${dir}" NAME)
        if(header STREQUAL "${dir}/${name}_backend.h")
            list(APPEND backends "${name}")
        endif()
    endforeach()
    file(GLOB_RECURSE files "${platform_dir}/*.h" "${platform_dir}/*.cpp")
    foreach(f IN LISTS files)
        file(RELATIVE_PATH relative "${platform_dir}" "${f}")
        string(REGEX MATCH "^[^/]+" folder "${relative}")
        get_filename_component(file_name "${f}" NAME_WE)
        file(STRINGS "${f}" includes REGEX "#[ \t]*include[ \t]*[<\"]platform/[^/]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE ".*platform/([^/]+)/.*" "\\1" included "${line}")
            if(included IN_LIST backends AND NOT included STREQUAL folder
               AND NOT (NOT folder IN_LIST backends AND file_name MATCHES "_${included}$"))
                message(FATAL_ERROR
                        "only the ${included} backend includes platform/${included}/: ${f}: ${line}")
            endif()
        endforeach()
    endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND QRV_SOURCE_DIR)
    qrv_check_backend_includes("${QRV_SOURCE_DIR}")
endif()
