# The game in a web page, built with Emscripten: `make web` runs
#
#   emcmake cmake -S . -B build-web -DBLACKJACK_WEB_DEPS=<prefix> -DBLACKJACK_WEB_ASSETS=<web assets>
#
# BLACKJACK_WEB_DEPS is the prefix scripts/build-web-deps fills with SDL2, SDL2_image, SDL2_ttf and
# FreeType built for the web; BLACKJACK_WEB_ASSETS is a folder with the images/ and fonts/ the
# page preloads, made by a desktop build (the art generator is a desktop program): its
# web-assets/, the run directory's pictures and font made lighter for a download, with the 2x
# pictures in images-2x/. The page, its script, its WebAssembly, its data, the 2x pictures' package
# and the licences are written to build-web/site/.

set(BLACKJACK_WEB_DEPS "" CACHE PATH
    "Prefix of the libraries built for the web by scripts/build-web-deps")
set(BLACKJACK_WEB_ASSETS "" CACHE PATH "A desktop build's web-assets/, with images/ and fonts/")
set(BLACKJACK_DESKTOP_MENU_SHOT "" CACHE FILEPATH
    "The desktop menu's screenshot the browser test compares the page with")
set(BLACKJACK_LAYOUT_POINTS "" CACHE FILEPATH
    "The click points a desktop build writes from the game's layout (tests/e2e/layout.sh)")
foreach(path "${BLACKJACK_WEB_DEPS}/lib/libSDL2.a" "${BLACKJACK_WEB_ASSETS}/images/BG.png"
             "${BLACKJACK_WEB_ASSETS}/fonts/ds-digit.ttf")
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "${path} is missing: configure the web build with `make web`")
    endif()
endforeach()

# The libraries, under the names the desktop build gets them by from pkg-config. Archives are
# linked by path; wasm-ld finds symbols in any order, so the order is only for the reader.
function(blackjack_web_library name)
    add_library(${name} INTERFACE IMPORTED)
    set(archives)
    foreach(archive IN LISTS ARGN)
        list(APPEND archives "${BLACKJACK_WEB_DEPS}/lib/${archive}")
    endforeach()
    set_target_properties(${name} PROPERTIES
        INTERFACE_INCLUDE_DIRECTORIES "${BLACKJACK_WEB_DEPS}/include/SDL2"
        INTERFACE_LINK_LIBRARIES "${archives}")
endfunction()
blackjack_web_library(PkgConfig::SDL2 libSDL2.a)
blackjack_web_library(PkgConfig::SDL2_IMAGE libSDL2_image.a libSDL2.a)
blackjack_web_library(PkgConfig::SDL2_TTF libSDL2_ttf.a libfreetype.a libSDL2.a)

set(BLACKJACK_SITE_DIR "${CMAKE_BINARY_DIR}/site")
set(BLACKJACK_RUN_DIR "${BLACKJACK_SITE_DIR}")
add_subdirectory(src)

# The game's paths stay as they are: Emscripten's file system starts in /, where the data file
# puts images/ and fonts/ as they are (PNG pictures and a font of a few kilobytes: LZ4 would save
# less than its decoder weighs). EXIT ends the runtime for good (ui/EndGame.h), which needs
# EXIT_RUNTIME. (-Oz saved 6 KB more, and in one run of the browser test the coach's longest frame
# in the page rose to 135 ms from about 30: not worth it.) The player's choices are kept in the
# browser's IndexedDB through Emscripten's IDBFS (-lidbfs.js; app/WebBridge.cpp). SDL's Web Audio
# driver calls two of Emscripten's JavaScript helpers, which a link against Emscripten's own SDL
# would bring along: one starts the page's sound at its first click or key, as browsers require.
# Their names start with $, which CMake would escape on the command line: they are read from a file.
file(WRITE "${CMAKE_BINARY_DIR}/sdl-audio-helpers.txt" "[\"$autoResumeAudioContext\", \"$dynCall\"]")
file(GLOB_RECURSE _web_assets CONFIGURE_DEPENDS
    "${BLACKJACK_WEB_ASSETS}/images/*" "${BLACKJACK_WEB_ASSETS}/fonts/*")
target_link_options(blackjack PRIVATE
    -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1 -lidbfs.js
    "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_BINARY_DIR}/sdl-audio-helpers.txt"
    "SHELL:--preload-file ${BLACKJACK_WEB_ASSETS}/images@/images"
    "SHELL:--preload-file ${BLACKJACK_WEB_ASSETS}/fonts@/fonts")
set_target_properties(blackjack PROPERTIES SUFFIX ".js" LINK_DEPENDS "${_web_assets}")

# The pictures at twice the size, a second data package of their own with Emscripten's file
# packager: blackjack-2x.data, and blackjack-2x.js, which the page adds once the first frame is up
# on a screen that shows them. It writes them into ./images/2x/ of the running game.
find_program(BLACKJACK_FILE_PACKAGER file_packager
    HINTS "${EMSCRIPTEN_ROOT_PATH}/tools" /usr/share/emscripten/tools REQUIRED)
file(GLOB _web_assets_2x CONFIGURE_DEPENDS "${BLACKJACK_WEB_ASSETS}/images-2x/*")
if(NOT _web_assets_2x)
    message(FATAL_ERROR "${BLACKJACK_WEB_ASSETS}/images-2x/ is empty: configure the web build "
        "with `make web`")
endif()
add_custom_command(
    OUTPUT "${BLACKJACK_SITE_DIR}/blackjack-2x.data" "${BLACKJACK_SITE_DIR}/blackjack-2x.js"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${BLACKJACK_SITE_DIR}"
    COMMAND "${BLACKJACK_FILE_PACKAGER}" blackjack-2x.data
        "--preload" "${BLACKJACK_WEB_ASSETS}/images-2x@/images/2x" "--js-output=blackjack-2x.js"
    WORKING_DIRECTORY "${BLACKJACK_SITE_DIR}"
    DEPENDS ${_web_assets_2x}
    COMMENT "Packing the 2x pictures for the page"
    VERBATIM)
add_custom_target(blackjack_sharp_pictures ALL
    DEPENDS "${BLACKJACK_SITE_DIR}/blackjack-2x.data" "${BLACKJACK_SITE_DIR}/blackjack-2x.js")

# The page itself and the licences of everything it carries.
set(_licences_dir "${BLACKJACK_SITE_DIR}/licenses")
set(_dejavu_copyright /usr/share/doc/fonts-dejavu-extra/copyright)
if(NOT EXISTS "${_dejavu_copyright}")
    set(_dejavu_copyright /usr/share/doc/fonts-dejavu-core/copyright)
endif()
set(_site_files
    "${BLACKJACK_SITE_DIR}/index.html"
    "${_licences_dir}/SDL2.txt" "${_licences_dir}/SDL2_image.txt" "${_licences_dir}/SDL2_ttf.txt"
    "${_licences_dir}/FreeType.txt" "${_licences_dir}/DejaVu.txt")
set(_site_sources
    "${PROJECT_SOURCE_DIR}/web/index.html"
    "${BLACKJACK_WEB_DEPS}/share/licenses/SDL2/LICENSE.txt"
    "${BLACKJACK_WEB_DEPS}/share/licenses/SDL2_image/LICENSE.txt"
    "${BLACKJACK_WEB_DEPS}/share/licenses/SDL2_ttf/LICENSE.txt"
    "${BLACKJACK_WEB_DEPS}/share/licenses/freetype/LICENSE.txt"
    "${_dejavu_copyright}")
if(EXISTS "${PROJECT_SOURCE_DIR}/LICENSE")
    list(APPEND _site_files "${BLACKJACK_SITE_DIR}/LICENSE")
    list(APPEND _site_sources "${PROJECT_SOURCE_DIR}/LICENSE")
endif()
set(_copies)
foreach(from to IN ZIP_LISTS _site_sources _site_files)
    list(APPEND _copies COMMAND ${CMAKE_COMMAND} -E copy "${from}" "${to}")
endforeach()
add_custom_command(
    OUTPUT ${_site_files}
    COMMAND ${CMAKE_COMMAND} -E make_directory "${_licences_dir}"
    ${_copies}
    DEPENDS ${_site_sources}
    COMMENT "Laying out the page and the licences"
    VERBATIM)
add_custom_target(blackjack_site ALL DEPENDS ${_site_files})

enable_testing()
# The toolchain's version, which keys the cache of the libraries above, read 50 times in a row
# (about 15 s): a reader that stopped at emcc's first line made emcc die of a broken pipe now and
# then, and failed the build.
add_test(NAME web_toolchain_version
    COMMAND bash "${PROJECT_SOURCE_DIR}/tests/web/toolchain_version.sh"
        "${PROJECT_SOURCE_DIR}/scripts/emscripten-version" 50)
set_tests_properties(web_toolchain_version PROPERTIES LABELS web TIMEOUT 120)

# The browser test: the page served on 127.0.0.1 and played in headless Chromium through the
# DevTools protocol, with Debian's python3-websocket; the first Python that has it runs the test.
set(_python)
foreach(candidate python3 /usr/bin/python3)
    find_program(_found NAMES "${candidate}" NO_CACHE)
    if(_found AND NOT _python)
        execute_process(COMMAND "${_found}" -c "import websocket"
            RESULT_VARIABLE _no_websocket OUTPUT_QUIET ERROR_QUIET)
        if(_no_websocket EQUAL 0)
            set(_python "${_found}")
        endif()
    endif()
    unset(_found)
endforeach()
if(NOT _python)
    message(WARNING "No Python with the websocket module (Debian: python3-websocket): the "
        "browser test is not set up")
    return()
endif()
add_test(NAME web_play
    COMMAND "${_python}" "${PROJECT_SOURCE_DIR}/tests/web/play.py" "${BLACKJACK_SITE_DIR}"
        "${BLACKJACK_DESKTOP_MENU_SHOT}")
set_tests_properties(web_play PROPERTIES LABELS web TIMEOUT 300
    ENVIRONMENT "BLACKJACK_LAYOUT=${BLACKJACK_LAYOUT_POINTS}")
