# Installing and packaging the game.
#
# The game finds ./images and ./fonts relative to its working directory, so it is installed as it
# runs in the build's run directory: the binary beside images/ and fonts/ in a data folder
# (share/blackjack). The `blackjack` command in bin/ is a small launcher that changes into that
# folder, found relative to the launcher itself, so any prefix or staging root works. A desktop
# entry and an icon put the game in a desktop's menu.
#
# Everything here belongs to the `game` install component, the only one CPack packs: tests and
# tools are never installed with it.

include(GNUInstallDirs)

set(BLACKJACK_INSTALL_DATA_DIR "${CMAKE_INSTALL_DATADIR}/blackjack")

# The game and its assets.
install(TARGETS blackjack RUNTIME DESTINATION "${BLACKJACK_INSTALL_DATA_DIR}" COMPONENT game)

# The assets are made at build time, so they are gathered when installing: the pictures, those
# drawn at twice the size for high-density screens (images/2x) and the font. Each file is copied
# by content: a symbolic link in the run directory (a font taken from the system, say) would not
# survive the move to another machine.
install(CODE "
    set(_run_dir \"${BLACKJACK_RUN_DIR}\")
    set(_data_dir \"\${CMAKE_INSTALL_PREFIX}/${BLACKJACK_INSTALL_DATA_DIR}\")
    foreach(_sub images images/2x fonts)
        file(GLOB _assets LIST_DIRECTORIES false \"\${_run_dir}/\${_sub}/*\")
        if(NOT _assets)
            message(FATAL_ERROR \"No \${_sub} in \${_run_dir}: build the game first\")
        endif()
        foreach(_asset IN LISTS _assets)
            get_filename_component(_name \"\${_asset}\" NAME)
            file(REAL_PATH \"\${_asset}\" _content)
            file(INSTALL DESTINATION \"\${_data_dir}/\${_sub}\" TYPE FILE
                 PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
                 FILES \"\${_content}\" RENAME \"\${_name}\")
        endforeach()
    endforeach()
" COMPONENT game)

# The launcher: bin/ to the data folder is a fixed relative step.
file(RELATIVE_PATH BLACKJACK_BIN_TO_DATA
     "/${CMAKE_INSTALL_BINDIR}" "/${BLACKJACK_INSTALL_DATA_DIR}")
configure_file("${PROJECT_SOURCE_DIR}/packaging/blackjack.sh.in"
               "${CMAKE_BINARY_DIR}/packaging/blackjack" @ONLY)
install(PROGRAMS "${CMAKE_BINARY_DIR}/packaging/blackjack"
        DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT game)

# The strategy and house-edge calculator, a command of its own.
if(TARGET blackjack-sim)
    install(TARGETS blackjack-sim RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}" COMPONENT game)
endif()

# The desktop menu entry and its icon.
install(FILES "${PROJECT_SOURCE_DIR}/packaging/blackjack.desktop"
        DESTINATION "${CMAKE_INSTALL_DATADIR}/applications" COMPONENT game)
if(DEFINED BLACKJACK_ICON)
    install(FILES "${BLACKJACK_ICON}"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps"
            RENAME blackjack.png COMPONENT game)
else()
    message(WARNING "BLACKJACK_ICON is not defined: the desktop entry goes without its icon")
endif()

# The copyright file, in Debian's machine-readable format, for the .deb and the .tar.gz alike: the
# game's own licence (LICENSE) and the licence of the font it ships, which must travel with it
# (packaging/licenses/DejaVu.txt). Each text keeps its one home; this file quotes them.
function(blackjack_licence_paragraph var file)
    file(READ "${file}" _text)
    string(FIND "${_text}" "Permission is hereby granted" _start)
    if(_start LESS 0)
        message(FATAL_ERROR "${file} holds no licence text")
    endif()
    string(SUBSTRING "${_text}" ${_start} -1 _text)
    string(STRIP "${_text}" _text)
    # A paragraph's lines are indented by one space; an empty line is written " .".
    string(REPLACE "\n\n" "\n.\n" _text "${_text}")
    string(REPLACE "\n" "\n " _text " ${_text}")
    set(${var} "${_text}" PARENT_SCOPE)
endfunction()
blackjack_licence_paragraph(BLACKJACK_MIT_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
blackjack_licence_paragraph(BLACKJACK_DEJAVU_LICENSE
    "${PROJECT_SOURCE_DIR}/packaging/licenses/DejaVu.txt")
configure_file("${PROJECT_SOURCE_DIR}/packaging/copyright.in"
               "${CMAKE_BINARY_DIR}/packaging/copyright" @ONLY)
install(FILES "${CMAKE_BINARY_DIR}/packaging/copyright"
        DESTINATION "${CMAKE_INSTALL_DOCDIR}" COMPONENT game)

# ---- CPack: a .deb and a .tar.gz ----------------------------------------------------------------

set(CPACK_PACKAGE_NAME blackjack)
set(CPACK_PACKAGE_VENDOR "The Blackjack team")
set(CPACK_PACKAGE_CONTACT "Blackjack maintainers <blackjack@localhost>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Single-player blackjack against the dealer, on a desktop table")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop blackjack table: one player against the dealer with a 1000-dollar wallet, five \
kinds of chips, and deal, hit, stand, double and split with the mouse. The dealer draws to 16 \
and stands on every 17; blackjack pays 3:2.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY blackjack)
set(CPACK_STRIP_FILES TRUE)
set(CPACK_GENERATOR "DEB;TGZ")
# Only the game's own component goes into a package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};game;/")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "${CPACK_PACKAGE_DESCRIPTION_SUMMARY}\n${CPACK_PACKAGE_DESCRIPTION}")
# A .deb installs under /usr (CPack's default for it); the .tar.gz unpacks to bin/ and share/.
# The libraries come from dpkg-shlibdeps where it is installed (dpkg-dev); the SDL libraries
# the game loads are named in any case, so the list is never empty.
find_program(BLACKJACK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(BLACKJACK_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libsdl2-2.0-0, libsdl2-image-2.0-0, libsdl2-ttf-2.0-0, libstdc++6, libc6")
endif()

set(CPACK_SOURCE_GENERATOR "")

include(CPack)
