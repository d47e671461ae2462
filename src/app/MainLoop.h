#pragma once

#include <SDL.h>

#include "app/ChoicesKeeper.h"
#include "app/FrameInput.h"
#include "app/FramePresenter.h"
#include "app/WindowPlacement.h"

class Scene;
class MenuScene;
class GameScene;
class DrillScene;

// What the main loop carries from one frame to the next. The window, the renderer and the three
// screens belong to main.
struct MainLoop {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    MenuScene* menu = nullptr;
    GameScene* game = nullptr;
    DrillScene* drill = nullptr;
    // The screen that takes input and is drawn: the menu, then the table, never back; or the
    // drills (T on the menu), and from them back to the menu.
    Scene* currentScene = nullptr;
    WindowPlacement placement;
    FrameInput input;
    FramePresenter presenter;
    // The player's choices, remembered from one run to the next.
    ChoicesKeeper choices;
    // False once a quit request has been seen; the frame that saw it still runs to its end.
    bool running = true;
};

// Makes SCENE the one that takes input and is drawn, from this frame on, at the output's density.
void show(MainLoop& loop, Scene& scene);
// After the frame's input: the menu to the table once START was pressed, the menu to the drills
// on T, and the drills back to the menu on Escape; the screen left is cleaned up.
void switchScenes(MainLoop& loop);
// One frame: read the events, let the current screen take the input and update, switch from the
// menu to the table when START was pressed (or to the drills on T, and back from them on
// Escape), draw the whole window, and remember a choice the player changed.
void runFrame(MainLoop& loop);
// Whether the loop has nothing to do until an event comes: the window settled and the current
// screen at rest.
bool atRest(const MainLoop& loop);
// Releases the current screen (the menu's was released at the switch), the renderer, the window
// and SDL.
void shutDown(MainLoop& loop);
