#include "Text.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <cmath>
#include <vector>

namespace artgen {

Fonts::Fonts(std::string sans, std::string narrow, std::string serif)
    : sans_(std::move(sans)), narrow_(std::move(narrow)), serif_(std::move(serif)) {}

Fonts::~Fonts() {
    for (auto& entry : open_) {
        if (entry.second != nullptr) {
            TTF_CloseFont(entry.second);
        }
    }
}

const std::string& Fonts::path(Face face) const {
    switch (face) {
        case Face::Narrow:
            return narrow_;
        case Face::Serif:
            return serif_;
        case Face::Sans:
            break;
    }
    return sans_;
}

TTF_Font* Fonts::get(Face face, int pixelSize) {
    auto key = std::make_pair(static_cast<int>(face), pixelSize);
    auto found = open_.find(key);
    if (found != open_.end()) {
        return found->second;
    }
    TTF_Font* font = TTF_OpenFont(path(face).c_str(), pixelSize);
    if (font != nullptr) {
        // The masks are drawn many times larger than shown, so hinting would only distort.
        TTF_SetFontHinting(font, TTF_HINTING_NONE);
        TTF_SetFontKerning(font, 1);
    }
    open_[key] = font;
    return font;
}

TextImage renderText(Fonts& fonts, Face face, float size, int scale, const std::string& text) {
    TextImage image;
    image.pixelSize = static_cast<int>(std::lround(size * scale));
    TTF_Font* font = fonts.get(face, image.pixelSize);
    if (font == nullptr || text.empty()) {
        return image;
    }
    SDL_Surface* rendered =
        TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (rendered == nullptr) {
        return image;
    }
    SDL_Surface* surface = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(rendered);
    if (surface == nullptr) {
        return image;
    }
    image.mask = Mask(surface->w, surface->h);
    for (int y = 0; y < surface->h; ++y) {
        const Uint8* row =
            static_cast<const Uint8*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch;
        for (int x = 0; x < surface->w; ++x) {
            image.mask.alpha[static_cast<size_t>(y) * surface->w + x] = row[4 * x + 3] / 255.0f;
        }
    }
    SDL_FreeSurface(surface);
    image.baseline = static_cast<float>(TTF_FontAscent(font));
    return image;
}

namespace {

// Maps mask pixels so that the ink's centre lands on `centre`, with the style's squeeze and
// rotation. Also reports the ink's size in units.
Affine placeInk(const TextImage& image, const TextStyle& style, int scale, Vec centre,
                Vec* inkSize) {
    Box ink = image.mask.ink();
    float inkW = (ink.x1 - ink.x0) / scale, inkH = (ink.y1 - ink.y0) / scale;
    float sx = style.stretchX;
    if (style.maxWidth > 0 && inkW * sx > style.maxWidth) {
        sx = style.maxWidth / inkW;
    }
    if (inkSize != nullptr) {
        *inkSize = {inkW * sx, inkH};
    }
    float mx = (ink.x0 + ink.x1) / 2, my = (ink.y0 + ink.y1) / 2;
    return Affine::translate(-mx, -my)
        .then(Affine::scale(sx / scale, 1.0f / scale))
        .then(Affine::rotate(style.rotation))
        .then(Affine::translate(centre.x, centre.y));
}

}  // namespace

Vec drawTextCentered(Canvas& canvas, Fonts& fonts, const std::string& text, const TextStyle& style,
                     Vec centre, const Paint& paint) {
    TextImage image = renderText(fonts, style.face, style.size, canvas.samplesPerUnit(), text);
    if (image.mask.width == 0) {
        return {};
    }
    Vec size;
    Affine place = placeInk(image, style, canvas.samplesPerUnit(), centre, &size);
    canvas.drawMask(image.mask, place, paint);
    return size;
}

void drawTextShadow(Canvas& canvas, Fonts& fonts, const std::string& text, const TextStyle& style,
                    Vec centre, Color color, float blur, float spread) {
    TextImage image = renderText(fonts, style.face, style.size, canvas.samplesPerUnit(), text);
    if (image.mask.width == 0) {
        return;
    }
    Affine place = placeInk(image, style, canvas.samplesPerUnit(), centre, nullptr);
    int spreadSamples = static_cast<int>(std::lround(spread * canvas.samplesPerUnit()));
    int blurSamples = static_cast<int>(std::lround(blur * canvas.samplesPerUnit()));
    int margin = spreadSamples + 2 * blurSamples + 2;
    Mask shadow = image.mask.padded(margin);
    if (spreadSamples > 0) {
        shadow = shadow.dilated(spreadSamples);
    }
    if (blurSamples > 0) {
        shadow = shadow.blurred(blurSamples);
    }
    Affine unpad = Affine::translate(static_cast<float>(-margin), static_cast<float>(-margin));
    canvas.drawMask(shadow, unpad.then(place), solid(color));
}

void drawTextOnArc(Canvas& canvas, Fonts& fonts, const std::string& text, const TextStyle& style,
                   Vec centre, float radius, const Paint& paint, float letterSpacing) {
    int scale = canvas.samplesPerUnit();
    TextImage whole = renderText(fonts, style.face, style.size, scale, text);
    if (whole.mask.width == 0) {
        return;
    }
    TTF_Font* font = fonts.get(style.face, whole.pixelSize);
    // Each letter keeps the position it has in the straight line of text, measured with the
    // font's own advances and kerning, then is bent onto the circle.
    float total = 0;
    std::vector<std::pair<float, float>> spans;  // left edge and width, in units
    for (size_t i = 0; i < text.size(); ++i) {
        int before = 0, through = 0, h = 0;
        TTF_SizeUTF8(font, text.substr(0, i).c_str(), &before, &h);
        TTF_SizeUTF8(font, text.substr(0, i + 1).c_str(), &through, &h);
        float left = static_cast<float>(before) / scale + letterSpacing * i;
        spans.emplace_back(left, static_cast<float>(through - before) / scale);
        total = left + static_cast<float>(through - before) / scale;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') {
            continue;
        }
        TextImage letter = renderText(fonts, style.face, style.size, scale, text.substr(i, 1));
        if (letter.mask.width == 0) {
            continue;
        }
        float along = spans[i].first + spans[i].second / 2 - total / 2;
        // Positive `along` runs to the right, i.e. counter-clockwise at the circle's bottom.
        float angle = -along / radius;
        Vec onArc{centre.x - std::sin(angle) * radius, centre.y + std::cos(angle) * radius};
        float letterMid = static_cast<float>(letter.mask.width) / 2;
        Affine place = Affine::translate(-letterMid, -letter.baseline)
                           .then(Affine::scale(style.stretchX / scale, 1.0f / scale))
                           .then(Affine::rotate(angle))
                           .then(Affine::translate(onArc.x, onArc.y));
        canvas.drawMask(letter.mask, place, paint);
    }
}

}  // namespace artgen
