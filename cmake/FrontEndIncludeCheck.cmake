# The front ends open the platform only through platform/desktop_platform.h:
# fail when any of their files includes another header of platform/. Runs at
# configure time and, in script mode (cmake -DQRV_SOURCE_DIR=... -P), as a
# test.
function(qrv_check_front_end_includes source_dir)
    foreach(front_end IN ITEMS app cli python)
        file(GLOB_RECURSE files "${source_dir}/src/${front_end}/*.h"
             "${source_dir}/src/${front_end}/*.cpp")
        foreach(f IN LISTS files)
            file(STRINGS "${f}" hits REGEX "#[ \t]*include[ \t]*[<\"]platform/")
            list(FILTER hits EXCLUDE REGEX "[<\"]platform/desktop_platform\\.h[>\"]")
            if(hits)
                message(FATAL_ERROR
                        "front ends include only platform/desktop_platform.h of platform/: ${f}: ${hits}")
            endif()
        endforeach()
    endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND QRV_SOURCE_DIR)
    qrv_check_front_end_includes("${QRV_SOURCE_DIR}")
endif()
