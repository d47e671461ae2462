// artgen: draws every picture the game loads, and its desktop icon.
//
//   artgen --images DIR --icon FILE --sans TTF --narrow TTF --serif TTF
//          [--contact-sheet FILE] [--mockups DIR]
//
// The output depends only on the arguments: there is no randomness and no clock.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <string>

#include "Cards.h"
#include "Preview.h"
#include "Scenery.h"
#include "Widgets.h"

namespace {

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
    Artwork art{drawCardSheet(fonts), drawButtonSheet(fonts), drawArrowSheet(),
                drawChipSheet(fonts), drawBackground(),       drawLogo(fonts),
                drawTable(fonts),     drawChipPanel(),        drawIcon(fonts)};
    const std::string dir = options.at("--images") + "/";
    bool ok = save(art.cards, dir + "CARDS.png") && save(art.buttons, dir + "BUTTONS.png") &&
              save(art.arrows, dir + "ARROWS.png") && save(art.chips, dir + "CHIPS.png") &&
              save(art.background, dir + "BG.png") && save(art.logo, dir + "LOGO.png") &&
              save(art.table, dir + "TABLE.png") && save(art.panel, dir + "CHIPBG.png") &&
              save(art.icon, options.at("--icon"));
    if (ok && options.count("--contact-sheet") != 0) {
        ok = save(drawContactSheet(art, fonts), options.at("--contact-sheet"));
    }
    if (ok && options.count("--mockups") != 0) {
        const std::string mockups = options.at("--mockups") + "/";
        ok = save(drawMenuMockup(art), mockups + "menu.png") &&
             save(drawGameMockup(art, fonts), mockups + "game.png");
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
