#include "app/MainLoop.h"

#include "app/Scene.h"

void show(MainLoop& loop, Scene& scene) {
    loop.currentScene = &scene;
    scene.init(loop.renderer);
    scene.setDensity(FramePresenter::outputDensity(loop.renderer));
}

bool atRest(const MainLoop& loop) {
    return !loop.placement.settling() && !loop.currentScene->hasWork();
}

void shutDown(MainLoop& loop) {
    loop.currentScene->cleanup();
    loop.presenter.release();
    SDL_DestroyRenderer(loop.renderer);
    SDL_DestroyWindow(loop.window);
    SDL_Quit();
}
