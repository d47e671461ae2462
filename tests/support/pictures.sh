# Sourced by the package tests: the pictures the game loads, checked in a folder of them as a
# package or a zip holds them.

# The pictures the game loads from images/, each also drawn at twice the size in images/2x/.
game_pictures=(BG LOGO BUTTONS TABLE CHIPBG CHIPS ARROWS CARDS)

# png_size FILE: prints "WIDTH HEIGHT" from a PNG file's header (big-endian words at bytes 16 to
# 23 of its IHDR chunk); returns 1 when FILE is not a PNG file.
png_size() {
    local magic header
    magic=$(head -c 8 "$1" 2>/dev/null | od -An -tx1 | tr -d ' \n')
    [ "$magic" = 89504e470d0a1a0a ] || return 1
    header=$(od -An -j16 -N8 -tx1 "$1" | tr -d ' \n')
    echo "$((16#${header:0:8})) $((16#${header:8:8}))"
}

# pictures_problem IMAGES: says what is wrong with the pictures in the folder IMAGES and returns 1;
# silent, returning 0, when every picture is a PNG file (not a link) and images/2x holds each at
# exactly twice its width and height.
pictures_problem() {
    local dir=$1 name f one two
    for name in "${game_pictures[@]}"; do
        for f in "$dir/$name.png" "$dir/2x/$name.png"; do
            if [ ! -f "$f" ] || [ -L "$f" ] || ! png_size "$f" >/dev/null; then
                echo "images/${f#"$dir"/} missing, a link or not a PNG file"
                return 1
            fi
        done
        read -r -a one <<<"$(png_size "$dir/$name.png")"
        read -r -a two <<<"$(png_size "$dir/2x/$name.png")"
        if [ "${two[0]}" -ne $((2 * one[0])) ] || [ "${two[1]}" -ne $((2 * one[1])) ]; then
            echo "images/2x/$name.png is ${two[0]} x ${two[1]}, not twice ${one[0]} x ${one[1]}"
            return 1
        fi
    done
}
