# The game for 64-bit Windows, cross-built on Linux (cmake/mingw-w64-x86_64.cmake; `make windows`).
#
# Only the game itself is built here. SDL2, SDL2_image and SDL2_ttf are the static libraries of
# the dependency prefix that scripts/build-windows-deps makes (given as CMAKE_PREFIX_PATH), so
# blackjack.exe needs nothing but Windows' own DLLs. The pictures and the font come from a native
# build: its art generator runs on this machine, and BLACKJACK_ASSETS_DIR names its run directory.

set(BLACKJACK_ASSETS_DIR "" CACHE PATH
    "Run directory of a native build whose images/ and fonts/ the Windows game ships")
if(NOT EXISTS "${BLACKJACK_ASSETS_DIR}/fonts/ds-digit.ttf")
    message(FATAL_ERROR "BLACKJACK_ASSETS_DIR (\"${BLACKJACK_ASSETS_DIR}\") holds no "
        "fonts/ds-digit.ttf: build the assets natively first (`make windows` does).")
endif()

find_package(SDL2 2.26 REQUIRED CONFIG COMPONENTS SDL2-static SDL2main)
find_package(SDL2_image 2.6 REQUIRED CONFIG)
find_package(SDL2_ttf 2.20 REQUIRED CONFIG)

# The code links the libraries by the names pkg-config gives them on Linux; here those names stand
# for the static libraries. SDL2main is the process entry: MinGW's console start-up (libmingw32)
# calls its WinMain, which converts the command line to UTF-8 and calls the game's main.
add_library(PkgConfig::SDL2 INTERFACE IMPORTED)
target_link_libraries(PkgConfig::SDL2 INTERFACE mingw32 SDL2::SDL2main SDL2::SDL2-static)
add_library(PkgConfig::SDL2_IMAGE INTERFACE IMPORTED)
target_link_libraries(PkgConfig::SDL2_IMAGE INTERFACE SDL2_image::SDL2_image-static)
add_library(PkgConfig::SDL2_TTF INTERFACE IMPORTED)
target_link_libraries(PkgConfig::SDL2_TTF INTERFACE SDL2_ttf::SDL2_ttf-static)

# The native build's pictures and font, copied into this build's run directory.
include(${CMAKE_CURRENT_LIST_DIR}/CopyAssets.cmake)
blackjack_copy_assets("${BLACKJACK_ASSETS_DIR}")

enable_language(RC)
add_subdirectory(src)

# The application manifest, through the resource compiler: blackjack.exe is aware of each
# monitor's DPI, so Windows leaves its window's pixels alone and the game sizes the window to the
# system's scale itself.
target_sources(blackjack PRIVATE "${PROJECT_SOURCE_DIR}/packaging/windows/blackjack.rc")
set_property(SOURCE "${PROJECT_SOURCE_DIR}/packaging/windows/blackjack.rc" APPEND PROPERTY
    OBJECT_DEPENDS "${PROJECT_SOURCE_DIR}/packaging/windows/blackjack.manifest")

# A console program, as on every platform the game writes its diagnostic lines to standard
# output. The C and C++ runtimes and winpthreads are linked in.
target_link_options(blackjack PRIVATE -static -mconsole)
# The zip ships the game alone; the simulator is a Linux command.
set_target_properties(blackjack-sim blackjack_sim_core PROPERTIES EXCLUDE_FROM_ALL ON)

include(cmake/WindowsPackaging.cmake)
