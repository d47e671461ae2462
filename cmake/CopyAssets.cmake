# blackjack_copy_assets(DIR): the target blackjack_assets, which copies the pictures of another
# desktop build's run directory DIR (with those drawn at twice the size, in images/2x) and its
# font into this build's run directory, for the builds that do not draw the art themselves.
function(blackjack_copy_assets dir)
    file(GLOB _images CONFIGURE_DEPENDS "${dir}/images/*.png" "${dir}/images/2x/*.png")
    set(_copies)
    foreach(_asset IN LISTS _images ITEMS "${dir}/fonts/ds-digit.ttf")
        file(RELATIVE_PATH _name "${dir}" "${_asset}")
        add_custom_command(
            OUTPUT "${BLACKJACK_RUN_DIR}/${_name}"
            COMMAND ${CMAKE_COMMAND} -E copy "${_asset}" "${BLACKJACK_RUN_DIR}/${_name}"
            DEPENDS "${_asset}"
            VERBATIM)
        list(APPEND _copies "${BLACKJACK_RUN_DIR}/${_name}")
    endforeach()
    add_custom_target(blackjack_assets ALL DEPENDS ${_copies})
endfunction()
