// The web page carries the status-text font cut down to the characters the game writes: the
// printable ASCII characters, which hold the table's texts and the coach's, whose lines are
// written from words, numbers, signs and punctuation. This program says which characters those
// are, and checks that the cut-down font letters every text the table can show, and every one of
// the characters, exactly as the whole font does, pixel for pixel:
//
//   status_font --chars FILE           writes the characters, for pyftsubset --text-file
//   status_font --compare FULL SUBSET  renders every text with both fonts; differences fail
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "ui/StatusText.h"

namespace {

// The sizes compared, in points: the table's own and those around it, so that a hinting or
// spacing table the cut left behind shows at some size even where the table's hides it.
constexpr int kSmallestSize = 12;
constexpr int kLargestSize = 36;

// " !\"#$%&'()*+,-./0123456789:;<=>?@A...Z[\\]^_`a...z{|}~"
std::string printableAscii() {
    std::string all;
    for (char c = ' '; c <= '~'; ++c) {
        all += c;
    }
    return all;
}

int writeChars(const char* path) {
    const std::string kept = printableAscii();
    for (const std::string& text : everyStatusText()) {
        if (text.find_first_not_of(kept) != std::string::npos) {
            std::cerr << "status_font: \"" << text << "\" has a character beyond printable ASCII"
                      << std::endl;
            return 1;
        }
    }
    std::ofstream out(path);
    out << kept << "\n";
    out.close();
    if (!out) {
        std::cerr << "status_font: cannot write " << path << std::endl;
        return 1;
    }
    return 0;
}

// True when both fonts give `text` the same pixels.
bool sameText(TTF_Font* full, TTF_Font* subset, const std::string& text) {
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* a = TTF_RenderText_Blended(full, text.c_str(), white);
    SDL_Surface* b = TTF_RenderText_Blended(subset, text.c_str(), white);
    bool same = a != nullptr && b != nullptr && a->w == b->w && a->h == b->h &&
                a->format->format == b->format->format;
    for (int y = 0; same && y < a->h; ++y) {
        const auto* rowA =
            static_cast<const Uint8*>(a->pixels) + static_cast<ptrdiff_t>(y) * a->pitch;
        const auto* rowB =
            static_cast<const Uint8*>(b->pixels) + static_cast<ptrdiff_t>(y) * b->pitch;
        same = std::memcmp(rowA, rowB, static_cast<size_t>(a->w) * a->format->BytesPerPixel) == 0;
    }
    SDL_FreeSurface(a);
    SDL_FreeSurface(b);
    return same;
}

int compare(const char* fullPath, const char* subsetPath) {
    std::vector<std::string> texts = everyStatusText();
    texts.push_back(printableAscii());
    int differences = 0;
    for (int size = kSmallestSize; size <= kLargestSize; ++size) {
        TTF_Font* full = TTF_OpenFont(fullPath, size);
        TTF_Font* subset = TTF_OpenFont(subsetPath, size);
        if (full == nullptr || subset == nullptr) {
            std::cerr << "status_font: cannot open " << (full == nullptr ? fullPath : subsetPath)
                      << ": " << TTF_GetError() << std::endl;
            return 1;
        }
        if (TTF_FontHeight(full) != TTF_FontHeight(subset) ||
            TTF_FontAscent(full) != TTF_FontAscent(subset) ||
            TTF_FontLineSkip(full) != TTF_FontLineSkip(subset)) {
            std::cerr << "status_font: at " << size << " points the line heights differ"
                      << std::endl;
            ++differences;
        }
        for (const std::string& text : texts) {
            if (!sameText(full, subset, text) && ++differences <= 10) {
                std::cerr << "status_font: at " << size << " points \"" << text
                          << "\" is lettered differently" << std::endl;
            }
        }
        TTF_CloseFont(full);
        TTF_CloseFont(subset);
    }
    if (differences > 0) {
        std::cerr << "status_font: " << subsetPath << " letters " << differences << " texts unlike "
                  << fullPath << std::endl;
        return 1;
    }
    std::cout << "status_font: " << texts.size() << " texts at " << kSmallestSize << " to "
              << kLargestSize << " points lettered alike by both fonts" << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--chars") == 0) {
        return writeChars(argv[2]);
    }
    if (argc != 4 || std::strcmp(argv[1], "--compare") != 0) {
        std::cerr << "usage: status_font --chars FILE | --compare FULL SUBSET" << std::endl;
        return 2;
    }
    if (TTF_Init() != 0) {
        std::cerr << "status_font: " << TTF_GetError() << std::endl;
        return 1;
    }
    const int status = compare(argv[2], argv[3]);
    TTF_Quit();
    return status;
}
