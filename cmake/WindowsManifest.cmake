# Embeds the manifest that makes a Windows executable run with the UTF-8 code
# page, so its argv and narrow file names are UTF-8 like on Linux.
if(WIN32)
    enable_language(RC)
endif()

function(qrv_embed_utf8_manifest target)
    if(NOT WIN32)
        return()
    endif()
    set(QRV_UTF8_MANIFEST ${PROJECT_SOURCE_DIR}/cmake/windows/utf8_code_page.manifest)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_utf8_code_page.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/windows/utf8_code_page.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()
