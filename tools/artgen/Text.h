// Lettering: text rendered by SDL_ttf into coverage masks at the canvas's sample resolution.
#pragma once

#include <map>
#include <string>
#include <utility>

#include <SDL_ttf.h>

#include "Canvas.h"

namespace artgen {

enum class Face {
    Sans,    // bold sans-serif: labels, values
    Narrow,  // condensed bold sans-serif: card indices
    Serif,   // bold serif: court letters, table lettering, logo
};

// Opens each font file once per pixel size and closes them all on destruction.
class Fonts {
public:
    Fonts(std::string sans, std::string narrow, std::string serif);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    // Null when the file cannot be opened.
    TTF_Font* get(Face face, int pixelSize);
    const std::string& path(Face face) const;

private:
    std::string sans_, narrow_, serif_;
    std::map<std::pair<int, int>, TTF_Font*> open_;
};

// A line of text as a mask, plus where its baseline lies in the mask.
struct TextImage {
    Mask mask;
    float baseline = 0;  // mask rows from the top
    int pixelSize = 0;
};

// Renders `text` at `size` units for a canvas of `scale` samples per unit: the font is opened
// at size x scale pixels, and the letters end up size x density pixels tall in the picture.
TextImage renderText(Fonts& fonts, Face face, float size, int scale, const std::string& text);

struct TextStyle {
    Face face = Face::Sans;
    float size = 16;     // em size in units
    float stretchX = 1;  // horizontal scale
    float maxWidth = 0;  // when > 0, squeezes the ink horizontally to fit
    float rotation = 0;  // radians, about the anchor
};

// Draws text with the centre of its ink on `centre`. Returns the ink's size in units.
Vec drawTextCentered(Canvas& canvas, Fonts& fonts, const std::string& text, const TextStyle& style,
                     Vec centre, const Paint& paint);

// Draws a drop shadow or glow under text placed as by drawTextCentered.
void drawTextShadow(Canvas& canvas, Fonts& fonts, const std::string& text, const TextStyle& style,
                    Vec centre, Color color, float blur, float spread);

// Sets text along a circle: the baseline's middle at angle `middle` (radians, 0 = straight
// down from the centre, so the text reads left to right along the bottom of the circle).
void drawTextOnArc(Canvas& canvas, Fonts& fonts, const std::string& text, const TextStyle& style,
                   Vec centre, float radius, const Paint& paint, float letterSpacing = 0);

}  // namespace artgen
