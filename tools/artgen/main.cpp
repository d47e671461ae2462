// artgen: draws every picture the game loads, at the table's own size in DIR and at twice the
// size in DIR/2x, and its desktop icon.
//
//   artgen --images DIR --icon FILE --sans TTF --narrow TTF --serif TTF
//          [--contact-sheet FILE] [--mockups DIR]
//
// The output depends only on the arguments: there is no randomness and no clock.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <system_error>

#include "Cards.h"
#include "Preview.h"
#include "Scenery.h"
#include "Widgets.h"

namespace {

// The folder under --images that holds the pictures drawn at twice the density.
const char* const kHighDensityDir = "2x";

int usage(const char* message) {
    std::fprintf(stderr,
                 "artgen: %s\n"
                 "usage: artgen --images DIR --icon FILE --sans TTF --narrow TTF --serif TTF\n"
                 "              [--contact-sheet FILE] [--mockups DIR]\n",
                 message);
    return 2;
}

bool save(const artgen::Canvas& canvas, const std::string& path) {
    if (canvas.savePng(path)) {
        return true;
    }
    std::fprintf(stderr, "artgen: cannot write %s: %s\n", path.c_str(), SDL_GetError());
    return false;
}

// Draws every picture the game loads from images/ at `density` and writes it into `dir` under
// the name the game loads it by, one picture at a time.
bool drawImages(artgen::Fonts& fonts, int density, const std::string& dir) {
    using namespace artgen;
    return save(drawCardSheet(fonts, density), dir + "CARDS.png") &&
           save(drawButtonSheet(fonts, density), dir + "BUTTONS.png") &&
           save(drawArrowSheet(density), dir + "ARROWS.png") &&
           save(drawChipSheet(fonts, density), dir + "CHIPS.png") &&
           save(drawBackground(density), dir + "BG.png") &&
           save(drawLogo(fonts, density), dir + "LOGO.png") &&
           save(drawTable(fonts, density), dir + "TABLE.png") &&
           save(drawChipPanel(density), dir + "CHIPBG.png");
}

bool makeDirectory(const std::string& path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (!error) {
        return true;
    }
    std::fprintf(stderr, "artgen: cannot make %s: %s\n", path.c_str(), error.message().c_str());
    return false;
}

int run(const std::map<std::string, std::string>& options) {
    using namespace artgen;
    Fonts fonts(options.at("--sans"), options.at("--narrow"), options.at("--serif"));
    for (Face face : {Face::Sans, Face::Narrow, Face::Serif}) {
        if (fonts.get(face, 16) == nullptr) {
            std::fprintf(stderr, "artgen: cannot open font %s: %s\n", fonts.path(face).c_str(),
                         TTF_GetError());
            return 1;
        }
    }
    // The pictures as the table shows them at 1024 x 768, then the same drawing at twice the
    // pixel density, for screens with pixels to spare, in images/2x/. The desktop icon and the
    // review pictures are drawn once, at 1x.
    const std::string dir = options.at("--images") + "/";
    bool ok = drawImages(fonts, 1, dir) && makeDirectory(dir + kHighDensityDir) &&
              drawImages(fonts, 2, dir + kHighDensityDir + "/") &&
              save(drawIcon(fonts), options.at("--icon"));
    if (ok && (options.count("--contact-sheet") != 0 || options.count("--mockups") != 0)) {
        const Artwork art{drawCardSheet(fonts), drawButtonSheet(fonts), drawArrowSheet(),
                          drawChipSheet(fonts), drawBackground(),       drawLogo(fonts),
                          drawTable(fonts),     drawChipPanel(),        drawIcon(fonts)};
        if (options.count("--contact-sheet") != 0) {
            ok = save(drawContactSheet(art, fonts), options.at("--contact-sheet"));
        }
        if (ok && options.count("--mockups") != 0) {
            const std::string mockups = options.at("--mockups") + "/";
            ok = save(drawMenuMockup(art), mockups + "menu.png") &&
                 save(drawGameMockup(art, fonts), mockups + "game.png");
        }
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> options;
    for (int i = 1; i < argc; i += 2) {
        std::string name = argv[i];
        if (name != "--images" && name != "--icon" && name != "--sans" && name != "--narrow" &&
            name != "--serif" && name != "--contact-sheet" && name != "--mockups") {
            return usage(("unknown option " + name).c_str());
        }
        if (i + 1 >= argc) {
            return usage(("missing value for " + name).c_str());
        }
        options[name] = argv[i + 1];
    }
    for (const char* required : {"--images", "--icon", "--sans", "--narrow", "--serif"}) {
        if (options.count(required) == 0) {
            return usage((std::string("missing ") + required).c_str());
        }
    }
    if (SDL_Init(0) != 0 || TTF_Init() != 0) {
        std::fprintf(stderr, "artgen: cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }
    int status = run(options);
    TTF_Quit();
    SDL_Quit();
    return status;
}
