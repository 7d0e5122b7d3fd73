# The core library is plain C++: fail when any of its files includes a Qt, X11,
# XCB, Win32, GLib, AT-SPI or speech header. Runs at configure time and, in
# script mode (cmake -DQRV_CORE_DIR=... -P), as a test.
function(qrv_check_core_headers dir)
    file(GLOB_RECURSE files "${dir}/*.h" "${dir}/*.cpp")
    set(pattern "#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/|X11/|xcb/|[Ww]indows\\.h|winuser\\.h|glib|gio/|atspi|at-spi|espeak|speech-dispatcher|libspeechd)")
    foreach(f IN LISTS files)
        file(STRINGS "${f}" hits REGEX "${pattern}")
        if(hits)
            message(FATAL_ERROR "core must not include platform headers: ${f}: ${hits}")
        endif()
    endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND QRV_CORE_DIR)
    qrv_check_core_headers("${QRV_CORE_DIR}")
endif()
