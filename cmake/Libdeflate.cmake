# Qrv::Libdeflate: the system's libdeflate, or, for a cross build, one built
# here from the source tree QRV_LIBDEFLATE_SOURCE_DIR names.
set(QRV_LIBDEFLATE_SOURCE_DIR "" CACHE PATH "libdeflate source tree to build instead of the installed library")
if(TARGET Qrv::Libdeflate)
    return()
endif()
if(QRV_LIBDEFLATE_SOURCE_DIR)
    enable_language(C)
    file(GLOB libdeflate_sources ${QRV_LIBDEFLATE_SOURCE_DIR}/lib/*.c
         ${QRV_LIBDEFLATE_SOURCE_DIR}/lib/x86/*.c)
    add_library(qrv_libdeflate STATIC ${libdeflate_sources})
    target_include_directories(qrv_libdeflate SYSTEM PUBLIC ${QRV_LIBDEFLATE_SOURCE_DIR})
    target_compile_options(qrv_libdeflate PRIVATE -w)  # not our code to keep warning-free
    add_library(Qrv::Libdeflate ALIAS qrv_libdeflate)
else()
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(LIBDEFLATE REQUIRED IMPORTED_TARGET GLOBAL libdeflate)
    add_library(Qrv::Libdeflate ALIAS PkgConfig::LIBDEFLATE)
endif()
