#include "app/StartupChecks.h"

#include <SDL.h>

#include <filesystem>
#include <iostream>
#include <string>

#include "app/MainLoop.h"

int startupFailure(const char* what) {
    std::cerr << "blackjack: " << what << ": " << SDL_GetError() << std::endl;
    return 1;
}

bool enterAssetFolder() {
    namespace fs = std::filesystem;
    std::error_code error;
    if (fs::is_directory("images", error)) {
        return true;
    }
    char* base = SDL_GetBasePath();
    const fs::path own = fs::u8path(base != nullptr ? base : "");
    SDL_free(base);
    if (!own.empty() && fs::is_directory(own / "images", error) &&
        fs::is_directory(own / "fonts", error)) {
        fs::current_path(own, error);
        if (!error) {
            return true;
        }
    }
    std::cerr << "blackjack: cannot find the game's pictures: no images/ in the working folder "
              << fs::current_path(error).string() << " and no images/ and fonts/ in "
              << (own.empty() ? "the game's own folder (unknown)" : own.string()) << std::endl;
    return false;
}

bool drawsNowhere() {
    const char* current = SDL_GetCurrentVideoDriver();
    const std::string driver = current != nullptr ? current : "";
    if (driver != "offscreen" && driver != "dummy") {
        return false;
    }
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    std::string wanted = asked != nullptr ? asked : "";
    for (char& c : wanted) {
        c = static_cast<char>(SDL_tolower(c));
    }
    if (wanted.find(driver) != std::string::npos) {
        return false;
    }
    std::cerr << "blackjack: no display to show the window on (SDL fell back to its " << driver
              << " video driver); set DISPLAY, or SDL_VIDEODRIVER=" << driver
              << " to run without one" << std::endl;
    return true;
}

int startUp(MainLoop& loop) {
    if (!enterAssetFolder()) {
        return 1;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return startupFailure("cannot initialise SDL video");
    }
    if (drawsNowhere()) {
        SDL_Quit();
        return 1;
    }
    loop.window = loop.placement.open("Blackjack");
    loop.renderer = loop.window != nullptr ? FramePresenter::createRenderer(loop.window) : nullptr;
    if (loop.renderer == nullptr) {
        const int status = startupFailure(loop.window == nullptr ? "cannot open the window"
                                                                 : "cannot create a renderer");
        SDL_DestroyWindow(loop.window);
        loop.window = nullptr;
        SDL_Quit();
        return status;
    }
    return 0;
}
