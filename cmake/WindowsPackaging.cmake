# The Windows zip, written by `cpack` in the build folder: blackjack-windows-x64.zip holds
# blackjack.exe beside images/ (with images/2x/, the pictures drawn at twice the size) and fonts/,
# README.txt for Windows players, the game's LICENSE.txt and, in licenses/, the licences of
# everything else inside: the font, the libraries linked into the game and the MinGW-w64 runtime.

install(TARGETS blackjack RUNTIME DESTINATION . COMPONENT game)
install(DIRECTORY "${BLACKJACK_RUN_DIR}/images" "${BLACKJACK_RUN_DIR}/fonts"
        DESTINATION . COMPONENT game)
install(FILES "${PROJECT_SOURCE_DIR}/packaging/windows/README.txt" DESTINATION . COMPONENT game)
install(FILES "${PROJECT_SOURCE_DIR}/LICENSE" DESTINATION . RENAME LICENSE.txt COMPONENT game)
install(FILES "${PROJECT_SOURCE_DIR}/packaging/licenses/DejaVu.txt"
        DESTINATION licenses RENAME DejaVu-fonts.txt COMPONENT game)

# The libraries' licences, gathered by scripts/build-windows-deps beside the libraries themselves.
set(_licences)
foreach(_prefix IN LISTS CMAKE_PREFIX_PATH)
    file(GLOB _found "${_prefix}/share/licenses/*.txt")
    list(APPEND _licences ${_found})
endforeach()
foreach(_name SDL2 SDL2_image stb_image SDL2_ttf FreeType mingw-w64-runtime)
    if(NOT _licences MATCHES "/${_name}\\.txt(;|$)")
        message(FATAL_ERROR "No ${_name}.txt in share/licenses of the dependency prefix "
            "(${CMAKE_PREFIX_PATH}): scripts/build-windows-deps puts it there")
    endif()
endforeach()
install(FILES ${_licences} DESTINATION licenses COMPONENT game)

set(CPACK_PACKAGE_NAME blackjack)
set(CPACK_PACKAGE_VENDOR "The Blackjack team")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_FILE_NAME blackjack-windows-x64)
set(CPACK_GENERATOR ZIP)
# Unzipped, the files sit in the folder Windows makes for the zip: blackjack.exe is one
# double-click away.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};game;/")
set(CPACK_SOURCE_GENERATOR "")

include(CPack)
