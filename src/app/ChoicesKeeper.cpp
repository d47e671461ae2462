#include "app/ChoicesKeeper.h"

#include "app/CommandLine.h"
#include "app/FullscreenKeys.h"
#include "app/MainLoop.h"
#include "ui/GameScene.h"

Choices choicesInForce(const MainLoop& loop, const Choices& last) {
    Choices now = last;
    now.coach = loop.game->coaching.isOn();
#ifndef __EMSCRIPTEN__
    now.fullscreen = isFullscreen(loop.window);
#endif
    now.motionChosen = last.motionChosen || now.motion != last.motion;
    return now;
}

void applyChoices(MainLoop& loop, const Choices& choices) {
    loop.game->setCoach(choices.coach);
    if (choices.fullscreen != isFullscreen(loop.window)) {
        setFullscreen(loop.window, choices.fullscreen);
    }
}

void ChoicesKeeper::begin(MainLoop& loop, const CommandLine& options) {
    Choices start;
    if (!options.defaults) {
        start = file_.read();
        applyChoices(loop, start);
    }
    if (options.coach) {
        loop.game->setCoach(true);
    }
    last_ = choicesInForce(loop, start);
    keeping_ = !options.defaults;
}

void ChoicesKeeper::keep(const MainLoop& loop) {
    if (!keeping_) {
        return;
    }
    const Choices now = choicesInForce(loop, last_);
    if (now == last_) {
        return;
    }
    // A write that failed has said so once; the game plays on, and writes again at the next change.
    last_ = now;
    if (file_.write(now)) {
        ++writes_;
    }
}
