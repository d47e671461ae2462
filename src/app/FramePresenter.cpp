#include "app/FramePresenter.h"

#include "app/Scene.h"
#include "ui/Layout.h"

SDL_Renderer* FramePresenter::createRenderer(SDL_Window* window) {
    SDL_Renderer* renderer =
        SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer == nullptr) {
        // No GPU (a virtual machine, a remote display): SDL's software renderer serves.
        renderer = SDL_CreateRenderer(window, -1, 0);
    }
    if (renderer != nullptr) {
        // At the table's own size this changes nothing.
        SDL_RenderSetLogicalSize(renderer, kWindowWidth, kWindowHeight);
    }
    return renderer;
}

int FramePresenter::outputDensity(SDL_Renderer* renderer) {
    int outputW = 0, outputH = 0;
    SDL_GetRendererOutputSize(renderer, &outputW, &outputH);
    return densityFor(outputW, outputH);
}

void FramePresenter::present(SDL_Renderer* renderer, Scene& scene) {
    int outputW = 0, outputH = 0;
    SDL_GetRendererOutputSize(renderer, &outputW, &outputH);
    const bool stretched =
        (outputW != kWindowWidth || outputH != kWindowHeight) && densityFor(outputW, outputH) == 1;
    if (stretched && scaledFrame == nullptr) {
        scaledFrame = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                        SDL_TEXTUREACCESS_TARGET, kWindowWidth, kWindowHeight);
        SDL_SetTextureScaleMode(scaledFrame, SDL_ScaleModeLinear);
    }
    // Without such a picture the table is stretched as it is drawn.
    if (!stretched || scaledFrame == nullptr) {
        SDL_RenderClear(renderer);
        scene.render(renderer);
        SDL_RenderPresent(renderer);
        return;
    }
    SDL_SetRenderTarget(renderer, scaledFrame);
    SDL_RenderClear(renderer);
    scene.render(renderer);
    SDL_SetRenderTarget(renderer, nullptr);
    Uint8 r = 0, g = 0, b = 0, a = 0;
    SDL_GetRenderDrawColor(renderer, &r, &g, &b, &a);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    SDL_SetRenderDrawColor(renderer, r, g, b, a);
    SDL_RenderCopy(renderer, scaledFrame, nullptr, nullptr);
    SDL_RenderPresent(renderer);
}

void FramePresenter::release() {
    SDL_DestroyTexture(scaledFrame);
    scaledFrame = nullptr;
}
