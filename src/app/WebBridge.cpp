#include "app/WebBridge.h"

#include <SDL.h>
#include <emscripten.h>

#include "app/CommandLine.h"
#include "app/FramePacer.h"
#include "app/MainLoop.h"
#include "app/Scene.h"
#include "ui/GameScene.h"
#include "ui/Layout.h"

// The page's Module.onCoachChanged, onMotionChanged and onSoundChanged hear of each turn of the
// coach, motion and sound, by whatever means (a key, or the page's own box).
// clang-format off
EM_JS(void, tellPageChoice, (const char* name, int on), {
    var hear = Module['on' + UTF8ToString(name) + 'Changed'];
    if (hear) hear(on);
});

// The choices' folder kept in the browser's IndexedDB (Emscripten's IDBFS): mounted, and copied
// from the browser into the page's file system. Module.choicesArrived is set once that is done,
// or has failed, when the game starts with the defaults and plays on.
EM_JS(void, fetchChoices, (const char* folder), {
    var path = UTF8ToString(folder);
    Module.choicesArrived = false;
    try {
        FS.mkdirTree(path);
        FS.mount(IDBFS, {}, path);
    } catch (error) {
        console.error('blackjack: cannot keep the choices in this browser: ' + error);
        Module.choicesArrived = true;
        return;
    }
    FS.syncfs(true, function(error) {
        if (error) {
            console.error('blackjack: cannot read the choices this browser kept: ' + error);
        }
        Module.choicesArrived = true;
    });
});

EM_JS(int, choicesArrived, (), {
    return Module.choicesArrived ? 1 : 0;
});

// After a write, the folder copied back to the browser, one copy at a time: a write while a copy
// is under way asks for one more after it.
EM_JS(void, storeChoices, (), {
    var store = Module.choicesStore || (Module.choicesStore = {busy: false, again: false});
    if (store.busy) {
        store.again = true;
        return;
    }
    store.busy = true;
    var copy = function() {
        FS.syncfs(false, function(error) {
            if (error) {
                console.error('blackjack: cannot keep the choices in this browser: ' + error);
            }
            if (store.again) {
                store.again = false;
                copy();
            } else {
                store.busy = false;
            }
        });
    };
    copy();
});
// clang-format on

namespace {

// How often a page at rest looks for something to do, in ms: about a frame of 60 a second.
constexpr int kRestLookMs = 16;

// The game as the page's calls find it; no loop before runInPage and after the loop ends.
struct Page {
    MainLoop* loop = nullptr;
    FramePacer* pacer = nullptr;
    // The canvas's size in the screen's own pixels, as the page last told it, and whether the 2x
    // pictures are in.
    SDL_Point devicePixels{kWindowWidth, kWindowHeight};
    bool sharpPictures = false;
    // The coach, motion and sound as the page was last told of them, and whether the page
    // changed something the next frame must show.
    bool coachTold = false;
    bool motionTold = false;
    bool soundTold = false;
    bool redraw = true;
    // Whether the browser calls the frames at every display refresh, as it does at first.
    bool everyRefresh = true;
    // The command line the choices start with, whether they have been read, and the keeper's
    // writes (and the rounds kept) the browser has been given.
    CommandLine options;
    bool choicesRead = false;
    int choicesStored = 0;
    int roundsStored = 0;
};
Page page;

// The canvas's own pixels: the screen's pixels when they call for density 2 (at least 1.5 times
// the table) and the 2x pictures are in; the table's own size otherwise, which the browser scales
// as it shows the canvas.
void fitCanvas(MainLoop& loop) {
    const SDL_Point& device = page.devicePixels;
    const bool sharp = page.sharpPictures && densityFor(device.x, device.y) == 2;
    const SDL_Point size = sharp ? device : SDL_Point{kWindowWidth, kWindowHeight};
    int w = 0, h = 0;
    SDL_GetWindowSize(loop.window, &w, &h);
    if (w != size.x || h != size.y) {
        SDL_SetWindowSize(loop.window, size.x, size.y);
    }
    page.redraw = true;
}

// Tells the page of each choice that is not as it last heard.
void tellPageOfChoices(const GameScene& game) {
    const struct {
        const char* name;
        bool now;
        bool& told;
    } choices[] = {{"Coach", game.coaching.isOn(), page.coachTold},
                   {"Motion", game.motion.isOn(), page.motionTold},
                   {"Sound", game.sounds.isOn(), page.soundTold}};
    for (const auto& choice : choices) {
        if (choice.now != choice.told) {
            choice.told = choice.now;
            tellPageChoice(choice.name, choice.now ? 1 : 0);
        }
    }
}

// A frame in the page, skipped while the table is at rest and nothing happened. A page that goes
// away takes the game with it, so no quit request is expected; should one come, it ends the loop
// as closing the window does on the desktop.
void runPageFrame(void* arg) {
    MainLoop& loop = *static_cast<MainLoop*>(arg);
    if (!page.choicesRead && choicesArrived() != 0) {
        page.choicesRead = true;
        loop.choices.begin(loop, page.options);
        page.redraw = true;
    }
    const bool due = page.pacer->frameDue(atRest(loop) && !page.redraw);
    // A page that asks for every display refresh has the browser compose a frame at each, drawn
    // or not; at rest the game looks again after a frame's time by a timer instead, which the
    // browser answers with no frame at all.
    if (due != page.everyRefresh) {
        page.everyRefresh = due;
        if (due) {
            emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
        } else {
            emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, kRestLookMs);
        }
    }
    if (!due) {
        return;
    }
    page.redraw = false;
    runFrame(loop);
    // The rounds kept live in the same folder, stored with it.
    if (loop.choices.writes() != page.choicesStored ||
        loop.game->kept.writes() != page.roundsStored) {
        page.choicesStored = loop.choices.writes();
        page.roundsStored = loop.game->kept.writes();
        storeChoices();
    }
    tellPageOfChoices(*loop.game);
    if (!loop.running) {
        emscripten_cancel_main_loop();
        page.loop = nullptr;
        shutDown(loop);
    }
}

}  // namespace

void runInPage(MainLoop& loop, const CommandLine& options) {
    static FramePacer pacer(loop.window);
    page.pacer = &pacer;
    page.loop = &loop;
    page.options = options;
    if (options.defaults) {
        page.choicesRead = true;
        loop.choices.begin(loop, options);
    } else {
        fetchChoices(loop.choices.file().folder().c_str());
    }
    tellPageOfChoices(*loop.game);
    emscripten_set_main_loop_arg(runPageFrame, &loop, 0, 1);
}

extern "C" EMSCRIPTEN_KEEPALIVE void blackjack_set_coach(int on) {
    if (page.loop != nullptr) {
        page.loop->game->setCoach(on != 0);
        // The page knows already.
        page.coachTold = page.loop->game->coaching.isOn();
        page.redraw = true;
    }
}

extern "C" EMSCRIPTEN_KEEPALIVE void blackjack_set_motion(int on) {
    if (page.loop != nullptr && page.loop->game->motion.isOn() != (on != 0)) {
        page.loop->game->motion.toggle();
        page.motionTold = page.loop->game->motion.isOn();
        page.redraw = true;
    }
}

extern "C" EMSCRIPTEN_KEEPALIVE void blackjack_set_sound(int on) {
    if (page.loop != nullptr) {
        page.loop->game->sounds.turn(on != 0);
        page.soundTold = page.loop->game->sounds.isOn();
        page.redraw = true;
    }
}

extern "C" EMSCRIPTEN_KEEPALIVE int blackjack_set_device_pixels(int w, int h) {
    if (page.loop == nullptr || w <= 0 || h <= 0) {
        return 1;
    }
    page.devicePixels = SDL_Point{w, h};
    fitCanvas(*page.loop);
    return densityFor(w, h);
}

// The current screen takes them (the table, set up later, reads them itself) and the canvas takes
// the screen's pixels where they call for them.
extern "C" EMSCRIPTEN_KEEPALIVE void blackjack_sharp_pictures_arrived() {
    if (page.loop == nullptr) {
        return;
    }
    page.sharpPictures = true;
    page.loop->currentScene->loadSharpPictures(page.loop->renderer);
    fitCanvas(*page.loop);
}
